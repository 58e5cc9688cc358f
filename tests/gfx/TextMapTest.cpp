#include "gfx/TextMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TextMap::Glyph Found(const TextMap& map, char c) {
    TextMap::Glyph glyph = {-1, -1, -1};
    EXPECT_TRUE(map.Find(c, glyph)) << "character " << int((unsigned char)c);
    return glyph;
}

void ExpectGlyph(const TextMap& map, char c, int column, int row, int width) {
    TextMap::Glyph glyph = Found(map, c);
    EXPECT_EQ(column, glyph.column) << c;
    EXPECT_EQ(row, glyph.row) << c;
    EXPECT_EQ(width, glyph.width) << c;
}

TEST(TextMap, RowsGiveColumnRowAndWidthAndCarriageReturnsEndTheirRow) {
    TextMap map("06 AB\r\n05 CD\n12 E");
    ExpectGlyph(map, 'A', 0, 0, 6);
    ExpectGlyph(map, 'B', 1, 0, 6);
    ExpectGlyph(map, '\r', 2, 0, 6); // a carriage return is the last character of its row
    ExpectGlyph(map, 'D', 1, 1, 5);
    ExpectGlyph(map, 'E', 0, 2, 12);
    TextMap::Glyph glyph;
    EXPECT_FALSE(map.Find('\n', glyph));
    EXPECT_FALSE(map.Find('Z', glyph));
    EXPECT_FALSE(map.Find('0', glyph)) << "the width digits are no glyphs";
    EXPECT_FALSE(map.Find('\0', glyph));
}

TEST(TextMap, RepeatedCharacterIsFoundAtItsFirstPlaceAndBlankIsAGlyph) {
    TextMap map("04 xAyA\n03 A z");
    ExpectGlyph(map, 'A', 1, 0, 4);
    ExpectGlyph(map, ' ', 1, 1, 3);
    ExpectGlyph(map, 'z', 2, 1, 3);
}

TEST(TextMap, BrokenMapsFindNothingOutsideThemAndNeverReadPastTheEnd) {
    TextMap::Glyph glyph;
    EXPECT_FALSE(TextMap("").Find('A', glyph));
    EXPECT_FALSE(TextMap(nullptr).Find('A', glyph));
    EXPECT_FALSE(TextMap("0").Find('0', glyph));
    EXPECT_FALSE(TextMap("05").Find('5', glyph));
    // A row head cut short by the end of the map.
    EXPECT_FALSE(TextMap("05 ab\n0").Find('0', glyph));
    EXPECT_FALSE(TextMap("05 ab\n07").Find('7', glyph));
    ExpectGlyph(TextMap("05 ab\n07 "), 'b', 1, 0, 5);
    // An empty row still counts as a row: the jump past its head lands on the next line feed.
    ExpectGlyph(TextMap("05 a\n04 \n03 q"), 'q', 0, 2, 3);
    // A row whose width is not two digits has glyphs of no width.
    ExpectGlyph(TextMap("x5 ab\n04 c"), 'b', 1, 0, 0);
    ExpectGlyph(TextMap("x5 ab\n04 c"), 'c', 0, 1, 4);
}

TEST(TextMap, MapLongerThanItsFieldIsCutAfter255Characters) {
    std::string text = "02 ";
    while (text.size() < 255)
        text += 'a';
    text += "XYZ"; // characters 256 to 258
    TextMap map(text.c_str());
    EXPECT_EQ(255u, std::string(map.Text()).size());
    ExpectGlyph(map, 'a', 0, 0, 2);
    TextMap::Glyph glyph;
    EXPECT_FALSE(map.Find('X', glyph));
    text[254] = 'W';
    ExpectGlyph(TextMap(text.c_str()), 'W', 251, 0, 2);
}

} // namespace
