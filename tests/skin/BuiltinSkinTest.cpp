// The built-in skin as the program carries it: records and bitmaps generated from the skin
// folder in the sources must hold exactly the values and sizes the windows are built from.
#include "gfx/TextMap.h"
#include "skin/BuiltinRecords.h"
#include "skin/SkinControl.h"
#include "support/ThisProgram.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The record's integers from the given one on.
std::vector<int> Ints(int id, size_t from = 0) {
    std::vector<std::int32_t> values = BuiltinRecords::Integers(Module(), id);
    return std::vector<int>(values.begin() + std::min(from, values.size()), values.end());
}

TEST(BuiltinSkin, RecordsHoldTheLayoutOfTheBuiltInLook) {
    const std::pair<int, size_t> sizes[] = {{900, 32}, {901, 384}, {902, 128}, {903, 242},
                                            {904, 96}, {905, 128}, {906, 72},  {907, 46},
                                            {908, 48}, {909, 28},  {910, 192}};
    for (auto [id, size] : sizes)
        EXPECT_EQ(size, BuiltinRecords::Bytes(Module(), id).size()) << id;
    EXPECT_EQ((std::vector<int>{0, 0, 275, 116, 0, 0, 275, 14}), Ints(900));
    const std::vector<int> buttons = Ints(901);
    ASSERT_EQ(96u, buttons.size());
    SkinControl play = SkinControl::FromValues(&buttons[8]);
    EXPECT_EQ((std::vector<int>{39, 88, 22, 18, 22, 18, 22, 18}),
              (std::vector<int>{play.placement.x, play.placement.y, play.placement.width,
                                play.placement.height, play.cells[1].x, play.cells[1].y,
                                play.cells[1].width, play.cells[1].height}));
    SkinControl close = SkinControl::FromValues(&buttons[88]);
    EXPECT_EQ((std::vector<int>{262, 3, 27, 152, 9}),
              (std::vector<int>{close.placement.x, close.placement.y, close.cells[3].x,
                                close.cells[3].y, close.cells[3].width}));
    EXPECT_EQ((std::vector<int>{262, 50, 4, 60, 0, 6, 16, 10}), Ints(902, 24));
    EXPECT_EQ((std::vector<int>{161, 42, 55, 11}), Ints(904, 20));
    // The side borders' record lacks the two zero bytes of its last integer.
    EXPECT_EQ((std::vector<int>{0, 0, 9, 29, 64, 81, 0, 0, 7, 29, 74, 81}), Ints(907));
    EXPECT_EQ((std::vector<int>{0, 0, 9, 0, 82, 81, 36, 20, 119, 81, 9, 28}), Ints(908));
    // The selection bar's colour first, then the current track's, red in bits 16 to 23.
    EXPECT_EQ((std::vector<int>{28, 120, 20, 18, 18, 0x560474, 0xB10D01}), Ints(909));
    EXPECT_EQ((std::vector<int>{5, 3, 9, 9, 82, 110, 36, 9}), Ints(910, 40));
}

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
