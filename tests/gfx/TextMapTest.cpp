#include "gfx/TextMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "column row width;" of each character's first place in the map, "-;" when it has none.
std::string Where(const char* map, const std::string& characters) {
    std::string places;
    for (char c : characters) {
        TextMap::Glyph g;
        places += TextMap(map).Find(c, g) ? std::to_string(g.column) + " " + std::to_string(g.row) +
                                                " " + std::to_string(g.width) + ";"
                                          : "-;";
    }
    return places;
}

TEST(TextMap, FindsTheFirstPlaceOfACharacterAndNeverReadsPastTheMap) {
    EXPECT_EQ("0 0 6;1 0 6;2 0 6;1 1 5;0 2 12;-;-;-;",
              Where("06 AB\r\n05 C A\n12 E", std::string("AB\r E\n0\0", 8)));
    EXPECT_EQ("-;", Where(nullptr, "A"));
    EXPECT_EQ("-;-;", Where("05 ab\n0", "0") + Where("05 ab\n07", "7")); // row heads cut short
    EXPECT_EQ("0 2 3;", Where("05 a\n04 \n03 q", "q"));         // an empty row still counts
    EXPECT_EQ("1 0 0;0 1 4;", Where("x5 ab\n04 c", "bc"));      // no two-digit width: no width
    std::string tooLong = "02 " + std::string(251, 'a') + "WX"; // W is character 255
    EXPECT_EQ("251 0 2;-;", Where(tooLong.c_str(), "WX"));
}

} // namespace
