#include "gfx/TextMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "column row width" of the character's first place in the map, "" when it has none.
std::string Where(const char* map, char c) {
    TextMap::Glyph g;
    if (!TextMap(map).Find(c, g)) return "";
    return std::to_string(g.column) + " " + std::to_string(g.row) + " " + std::to_string(g.width);
}

TEST(TextMap, FindsTheFirstPlaceOfACharacterAndNeverReadsPastTheMap) {
    const char* rows = "06 AB\r\n05 C A\n12 E";
    EXPECT_EQ("0 0 6", Where(rows, 'A'));
    EXPECT_EQ("1 0 6", Where(rows, 'B'));
    EXPECT_EQ("2 0 6", Where(rows, '\r'));
    EXPECT_EQ("1 1 5", Where(rows, ' '));
    EXPECT_EQ("0 2 12", Where(rows, 'E'));
    for (char absent : {'\n', '0', '\0'})
        EXPECT_EQ("", Where(rows, absent)) << int(absent);
    EXPECT_EQ("", Where(nullptr, 'A'));
    EXPECT_EQ("", Where("05 ab\n0", '0')); // row heads cut short by the end
    EXPECT_EQ("", Where("05 ab\n07", '7'));
    EXPECT_EQ("0 2 3", Where("05 a\n04 \n03 q", 'q')); // an empty row still counts
    EXPECT_EQ("1 0 0", Where("x5 ab\n04 c", 'b'));     // no two-digit width: no width
    EXPECT_EQ("0 1 4", Where("x5 ab\n04 c", 'c'));
    std::string tooLong = "02 " + std::string(251, 'a') + "WX"; // W is character 255
    EXPECT_EQ("251 0 2", Where(tooLong.c_str(), 'W'));
    EXPECT_EQ("", Where(tooLong.c_str(), 'X'));
}

} // namespace
