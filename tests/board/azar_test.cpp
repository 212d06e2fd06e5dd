// The engine's own rand(): the very sequence of the C library it was written against (glibc,
// unseeded), so that Zobrist keys and book choices are the same on every system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform.h"

// The engine has already drawn its keys: find its place in the C library's sequence, then
// the two must agree draw for draw.
TEST(Azar, FollowsGlibcRand) {
    const int siguiente = AzarC();
    int saltos = 0;
    while (std::rand() != siguiente) ASSERT_LT(++saltos, 100000) << "AzarC's draw is not in rand()'s sequence";
    for (int k = 0; k < 1000000; k++) ASSERT_EQ(AzarC(), std::rand()) << "draw " << k;
}
