#include "settings/random_generator.h"

#include <gtest/gtest.h>

#include <set>

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
    // state' = state * 214013 + 2531011, value = bits 16..30 of the new state.
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    EXPECT_EQ(NextRandom(), 26500);
}

TEST(RandomGenerator, SameSeedSameSequenceAndValuesInRange) {
    SeedRandom(0xDEADBEEF);
    int first[50];
    for (int& value : first) value = NextRandom();
    SeedRandom(0xDEADBEEF);
    for (int value : first) EXPECT_EQ(NextRandom(), value);

    std::set<int> models;
    for (int i = 0; i < 1000; ++i) {
        const int value = NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
        models.insert(value % 9);
    }
    EXPECT_EQ(models.size(), 9u);
}
