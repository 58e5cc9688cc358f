#include "player/PlayOrderText.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayOrderText, PiecesAreSignedSaturatedLeadingDigitsSplitAtRunsOfSpaces) {
    EXPECT_EQ(12, PlayOrderText::ParseNumber("12abc"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber("-x"));
    EXPECT_EQ(-4, PlayOrderText::ParseNumber("-4"));
    EXPECT_EQ(2147483647, PlayOrderText::ParseNumber("18446744073709551621")); // 2^64 + 5
    EXPECT_EQ(-2147483647 - 1, PlayOrderText::ParseNumber("-18446744073709551621"));
    EXPECT_EQ(std::vector<int>({1, 2, 0}), PlayOrderText::Parse("   1    2 x9", 3));
    EXPECT_EQ(std::vector<int>({2}), PlayOrderText::Parse("2 5 ", -3));
    EXPECT_EQ("2 0 -1 ", PlayOrderText::Build({2, 0, -1}));
}

} // namespace
