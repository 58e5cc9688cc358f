#include "player/PlayOrderText.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayOrderText, PiecesAreSignedLeadingDigitsSplitAtRunsOfSpaces) {
    EXPECT_EQ(12, PlayOrderText::ParseNumber("12abc"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber("abc"));
    EXPECT_EQ(-4, PlayOrderText::ParseNumber("-4"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber("-x"));
    EXPECT_EQ(2147483647, PlayOrderText::ParseNumber("99999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, PlayOrderText::ParseNumber("-99999999999999999999"));
    EXPECT_EQ(std::vector<int>({1, 2, 0}), PlayOrderText::Parse("   1    2 x9", 3));
    EXPECT_EQ(std::vector<int>({2}), PlayOrderText::Parse("2 5 ", -3));
}

TEST(PlayOrderText, BuildsEveryIndexWithATrailingSpaceAndReadsItBack) {
    EXPECT_EQ("2 0 0 ", PlayOrderText::Build({2, 0, 0}));
    std::vector<int> many;
    for (int i = 0; i < 700; i++)
        many.push_back((i * 37) % 255 - (i == 3 ? 9 : 0));
    std::string text = PlayOrderText::Build(many);
    EXPECT_GT(text.size(), 2000u);
    EXPECT_EQ(many, PlayOrderText::Parse(text.c_str(), int(many.size())));
}

} // namespace
