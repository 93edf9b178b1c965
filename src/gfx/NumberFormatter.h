// Decimal text for the HUD and the score listing.
#pragma once

#include <cstdint>

// Holds any signed 32-bit value in base 10 with its sign and the terminating NUL.
constexpr int kNumberTextSize = 12;

struct NumberFormatter {
    // Writes value in the given base (2 or more) into buffer, most significant digit first,
    // with a leading '-' when negative; returns buffer. Digit d is the character '0' + d, so
    // only bases up to 10 give ordinary digits: the game uses base 10.
    char* itoa(int32_t value, char* buffer, int base) const;
};
