#include <gtest/gtest.h>

TEST(Skeleton, BuildsAndRuns)
{
    EXPECT_EQ(1 + 1, 2);
}
