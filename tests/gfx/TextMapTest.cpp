#include "gfx/TextMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectGlyph(const TextMap& map, char c, int column, int row, int width) {
    TextMap::Glyph glyph = {-1, -1, -1};
    ASSERT_TRUE(map.Find(c, glyph)) << "character " << int((unsigned char)c);
    EXPECT_EQ(column, glyph.column) << c;
    EXPECT_EQ(row, glyph.row) << c;
    EXPECT_EQ(width, glyph.width) << c;
}

TEST(TextMap, RowsGiveColumnRowAndWidthAndTheFirstPlaceWins) {
    TextMap map("06 AB\r\n05 C A\n12 E");
    ExpectGlyph(map, 'A', 0, 0, 6);
    ExpectGlyph(map, 'B', 1, 0, 6);
    ExpectGlyph(map, '\r', 2, 0, 6); // a carriage return is the last character of its row
    ExpectGlyph(map, ' ', 1, 1, 5);
    ExpectGlyph(map, 'E', 0, 2, 12);
    TextMap::Glyph glyph;
    for (char c : {'\n', 'Z', '0', '\0'})
        EXPECT_FALSE(map.Find(c, glyph)) << int(c);
}

TEST(TextMap, BrokenMapsFindNothingOutsideThemAndNeverReadPastTheEnd) {
    TextMap::Glyph glyph;
    EXPECT_FALSE(TextMap(nullptr).Find('A', glyph));
    EXPECT_FALSE(TextMap("05").Find('5', glyph));
    EXPECT_FALSE(TextMap("05 ab\n0").Find('0', glyph)); // a row head cut short by the end
    EXPECT_FALSE(TextMap("05 ab\n07").Find('7', glyph));
    // An empty row counts: the jump past its head lands on the next line feed.
    ExpectGlyph(TextMap("05 a\n04 \n03 q"), 'q', 0, 2, 3);
    // A row whose width is not two digits has glyphs of no width.
    ExpectGlyph(TextMap("x5 ab\n04 c"), 'b', 1, 0, 0);
    ExpectGlyph(TextMap("x5 ab\n04 c"), 'c', 0, 1, 4);
}

TEST(TextMap, MapLongerThanItsFieldIsCutAfter255Characters) {
    std::string text = "02 " + std::string(251, 'a') + "WXYZ"; // W is character 255
    TextMap map(text.c_str());
    EXPECT_EQ(255u, std::string(map.Text()).size());
    ExpectGlyph(map, 'W', 251, 0, 2);
    TextMap::Glyph glyph;
    EXPECT_FALSE(map.Find('X', glyph));
}

} // namespace
