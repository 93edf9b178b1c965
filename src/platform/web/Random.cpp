// The random sequence in the browser, whose C library's rand() gives other numbers than the
// desktop's and the handheld's: with this one a seed gives the same boards, pickups and enemies
// on every platform. The generator is their C library's default one: an additive feedback
// generator over the last 34 values, r[i] = r[i-3] + r[i-31], started by the 16807
// multiplicative generator, its first 310 values thrown away, and each result shifted right
// once. Like rand()'s, its state is process-wide.
#include "platform/Random.h"

#include <cstdint>

namespace {
constexpr int kKept = 34;
constexpr int kDiscarded = 310;

struct Generator {
    uint32_t values[kKept];
    int next;  // index of the value to make next, modulo kKept

    uint32_t step() {
        const uint32_t value =
            values[(next + kKept - 31) % kKept] + values[(next + kKept - 3) % kKept];
        values[next] = value;
        next = (next + 1) % kKept;
        return value;
    }

    void seed(unsigned seed) {
        int32_t word = static_cast<int32_t>(seed == 0 ? 1 : seed);
        values[0] = static_cast<uint32_t>(word);
        for (int i = 1; i < 31; ++i) {
            // 16807 * word modulo 2^31 - 1, without overflowing 32 bits (Schrage's method).
            const int32_t hi = word / 127773;
            const int32_t lo = word % 127773;
            word = 16807 * lo - 2836 * hi;
            if (word < 0) {
                word += 2147483647;
            }
            values[i] = static_cast<uint32_t>(word);
        }
        for (int i = 31; i < kKept; ++i) {
            values[i] = values[i - 31];
        }
        next = 0;
        for (int i = 0; i < kDiscarded; ++i) {
            step();
        }
    }
};

Generator& generator() {
    // Unseeded, the C library's generator behaves as if seeded with 1.
    static Generator g = [] {
        Generator made{};
        made.seed(1);
        return made;
    }();
    return g;
}
}  // namespace

void seedRandom(unsigned seed) {
    generator().seed(seed);
}

int randomDraw() {
    return static_cast<int>(generator().step() >> 1);
}
