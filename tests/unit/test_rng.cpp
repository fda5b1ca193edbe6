#include "shell/rng.h"

#include <gtest/gtest.h>

TEST(GameRand, FollowsTheLinearCongruentialSequence) {
    game_srand(0);
    // seed 0 -> 2531011 -> 0x269EC3 >> 16 = 38; the classic sequence.
    const int expected[] = {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612};
    for (int value : expected) EXPECT_EQ(game_rand(), value);
}

TEST(GameRand, WrapsModulo2To32AndStaysInRange) {
    game_srand(0xFFFFFFFFu);
    uint32_t seed = 0xFFFFFFFFu;
    for (int i = 0; i < 100000; i++) {
        seed = seed * 214013u + 2531011u;
        int value = game_rand();
        ASSERT_EQ(value, (int)((seed >> 16) & 0x7FFF));
        ASSERT_GE(value, 0);
        ASSERT_LE(value, GAME_RAND_MAX);
    }
    EXPECT_EQ(game_rand_state(), seed);
}
