// Decimal (or any base) text of a signed 32-bit value.
#include "gfx/NumberFormatter.h"

char* NumberFormatter::itoa(int32_t value, char* buffer, int base) const {
    // Work on the magnitude in 64 bits so that the most negative value has one too.
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    char digits[33];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % base);
        magnitude /= base;
    } while (magnitude > 0);
    char* out = buffer;
    if (value < 0) {
        *out++ = '-';
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    *out = '\0';
    return buffer;
}
