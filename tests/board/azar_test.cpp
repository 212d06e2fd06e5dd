// The engine's own rand(): the very sequence of the C library it was written against (glibc,
// unseeded), so that Zobrist keys and book choices are the same on every system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform.h"

TEST(Azar, FollowsGlibcRand) {
    for (int k = 0; k < 1000000; k++) ASSERT_EQ(AzarC(), std::rand()) << "draw " << k;
}
