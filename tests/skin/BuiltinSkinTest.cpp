// The built-in skin as the program carries it: the records and bitmaps generated from the skin
// folder in the sources hold the glyph grid and the sizes the windows are built from. That the
// records hold that folder's values is the skin reader's test.
#include "gfx/TextMap.h"
#include "skin/BuiltinRecords.h"
#include "support/ThisProgram.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(BuiltinSkin, TextMapAndBitmapsMatchTheGlyphGridAndTheirSizes) {
    const std::string map = BuiltinRecords::Text(Module(), 903);
    EXPECT_EQ(241u, map.size());
    TextMap textMap(map.c_str());
    const struct {
        char c;
        int column, row, width;
    } glyphs[] = {{'M', 1, 0, 6},     {'l', 1, 10, 2}, {'\xE9', 2, 4, 5},  {' ', 1, 1, 6},
                  {'\xEF', 10, 8, 4}, {'`', 12, 9, 3}, {'\xDF', 12, 12, 5}};
    for (auto& g : glyphs) {
        TextMap::Glyph found = {};
        ASSERT_TRUE(textMap.Find(g.c, found)) << g.c;
        EXPECT_EQ((std::vector<int>{g.column, g.row, g.width}),
                  (std::vector<int>{found.column, found.row, found.width}))
            << g.c;
    }
    const struct {
        int id, width, height;
    } bitmaps[] = {{950, 275, 116}, {951, 275, 28}, {952, 88, 162},
                   {953, 80, 16},   {954, 84, 176}, {955, 178, 172}};
    for (auto& b : bitmaps) {
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(b.id));
        BITMAP info = {};
        ASSERT_TRUE(bitmap && GetObjectA(bitmap, sizeof info, &info)) << b.id;
        EXPECT_EQ((std::vector<int>{b.width, b.height}),
                  (std::vector<int>{int(info.bmWidth), int(info.bmHeight)}))
            << b.id;
        DeleteObject(bitmap);
    }
}

} // namespace
