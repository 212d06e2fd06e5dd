// The C library's rand() as glibc draws it, unseeded (seed 1), for every system.
#include "platform.h"

#include <cstdint>

namespace {

// glibc's additive feedback generator over 32-bit words: r[0] is the seed, r[1..30] follow by
// a multiplicative congruential step, r[31..33] repeat r[0..2], and from then on
// r[n] = r[n-31] + r[n-3]; the draws are r[344], r[345], ... shifted right by one (31 bits).
struct AzarGlibc {
    std::uint32_t r[31];  // the last 31 words, r[n] at index n % 31
    int p = 0;            // n % 31 for the next word

    AzarGlibc() {
        std::int32_t v = 1;
        r[0] = 1;
        for (int k = 1; k < 31; k++) {
            // 16807 * v mod (2^31 - 1), as glibc computes it (Schrage's method, no overflow).
            const std::int32_t hi = v / 127773, lo = v % 127773;
            v = 16807 * lo - 2836 * hi;
            if (v < 0) v += 2147483647;
            r[k] = std::uint32_t(v);
        }
        p = 34 % 31;  // r[31..33] are r[0..2], already in their places
        for (int n = 34; n < 344; n++) Siguiente();
    }

    std::uint32_t Siguiente() {
        const std::uint32_t w = r[p] + r[(p + 28) % 31];  // r[n-31] + r[n-3]
        r[p] = w;
        p = (p + 1) % 31;
        return w;
    }
};

AzarGlibc azar;

}  // namespace

int AzarC() { return int(azar.Siguiente() >> 1); }
