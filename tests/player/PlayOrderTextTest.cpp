#include "player/PlayOrderText.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayOrderText, NumbersComeFromTheLeadingDigitsOfAPiece) {
    EXPECT_EQ(12, PlayOrderText::ParseNumber("12abc"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber("abc"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber(""));
    EXPECT_EQ(-4, PlayOrderText::ParseNumber("-4"));
    EXPECT_EQ(7, PlayOrderText::ParseNumber("+7"));
    EXPECT_EQ(0, PlayOrderText::ParseNumber("-x"));
    EXPECT_EQ(2147483647, PlayOrderText::ParseNumber("99999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, PlayOrderText::ParseNumber("-99999999999999999999"));
}

TEST(PlayOrderText, TakesTheFirstPieceThenUpToNumplayPieces) {
    using V = std::vector<int>;
    EXPECT_EQ(V({4, 1}), PlayOrderText::Parse("4 1 3 ", 2));
    EXPECT_EQ(V({2}), PlayOrderText::Parse("2 ", 0));     // at least the first piece
    EXPECT_EQ(V({2}), PlayOrderText::Parse("2 5 ", -3));
    EXPECT_EQ(V({3, 0}), PlayOrderText::Parse("3 0 ", 9)); // fewer pieces, fewer entries
    EXPECT_EQ(V(), PlayOrderText::Parse("     ", 4));
    EXPECT_EQ(V(), PlayOrderText::Parse("", 1));
    EXPECT_EQ(V({1, 2, 0}), PlayOrderText::Parse("   1    2 x9", 3));
}

TEST(PlayOrderText, BuildsEveryIndexWithATrailingSpaceAndReadsItBack) {
    EXPECT_EQ("2 0 0 ", PlayOrderText::Build({2, 0, 0}));
    EXPECT_EQ("", PlayOrderText::Build({}));
    std::vector<int> many;
    for (int i = 0; i < 700; i++) many.push_back((i * 37) % 255 - (i == 3 ? 9 : 0));
    std::string text = PlayOrderText::Build(many);
    EXPECT_GT(text.size(), 2000u);
    EXPECT_EQ(many, PlayOrderText::Parse(text.c_str(), int(many.size())));
}

} // namespace
