#include "gfx/TextMap.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <string>
#include <vector>

namespace {

const char textMap[] = "06 AMW \r\n05 B\xE9\r\n02 ils";
const int glyphHeight = 11;

// Glyph pixels are all different; black ones are transparent.
bool IsHole(int x, int y) {
    return (x * 7 + y * 3) % 5 == 0;
}
COLORREF Glyphs(int x, int y) {
    return IsHole(x, y) ? RGB(0, 0, 0) : Distinct(x, y);
}

using WBmpFontDraw = GfxFixture;

TEST_F(WBmpFontDraw, GlyphsLieSideBySideCutOrStretchedToTheDestination) {
    // Entry 0 is a decoy; the glyphs are entry 1, masked by black.
    WBmpList list(2);
    for (auto pixels : {Background, Glyphs})
        list.x_AddBitmap(nullptr, Save(pixels, 30, 33, "font.bmp").c_str(), LR_LOADFROMFILE, 0);
    WBmpFont font(&list, 1, textMap, glyphHeight);
    const SourceRect A = {0, 0, 6, 11}, M = {6, 0, 6, 11}, W = {12, 0, 6, 11},
                     blank = {18, 0, 6, 11}, B = {0, 11, 5, 11}, eAcute = {5, 11, 5, 11},
                     i = {0, 22, 2, 11}, l = {2, 22, 2, 11}, s = {4, 22, 2, 11};
    // Text, its glyphs, destination width and height, stretch, transparent.
    const struct {
        const char* text;
        std::vector<SourceRect> glyphs;
        int width, height, stretch, transparent;
    } cases[] = {{"MW", {M, W}, 60, 30, 0, 0},
                 {"l\xE9", {l, eAcute}, 60, 30, 0, 0},
                 {"A B", {A, blank, B}, 60, 30, 0, 0},
                 {"A~\001B", {A, blank, B}, 60, 30, 0, 1},
                 {"MW", {M, W}, 8, 30, 0, 1},
                 {"MW", {M, W}, 30, 5, 0, 0},
                 {"MW", {M, W}, 24, 22, 1, 0},
                 {"il", {i, l}, 12, 33, 1, 1},
                 // Letters it lacks: Á as A, ß as ss, ï as i; ÿ, whose y it lacks too, a blank.
                 {"\xC1\xDF\xEF\xFFM", {A, s, s, i, blank, M}, 60, 30, 0, 1}};
    for (const auto& test : cases) {
        int total = 0;
        for (const SourceRect& glyph : test.glyphs)
            total += glyph.width;
        EXPECT_EQ(total, font.DrawString(Fresh(), test.text, 2, 3, test.width, test.height,
                                         test.stretch, test.transparent))
            << test.text;
        DibCanvas::PixelAt expected = [&](int x, int y) {
            int stripX = test.stretch ? x * total / test.width : x;
            int stripY = test.stretch ? y * glyphHeight / test.height : y;
            for (const SourceRect& glyph : test.glyphs) {
                int gx = glyph.x + stripX, gy = glyph.y + stripY;
                if (stripX < glyph.width && stripY < glyph.height)
                    return test.transparent && IsHole(gx, gy) ? Background(x + 2, y + 3)
                                                              : Glyphs(gx, gy);
                stripX -= glyph.width;
            }
            return Background(x + 2, y + 3);
        };
        EXPECT_EQ("", Shows({2, 3, test.width, test.height}, expected)) << test.text;
    }
}

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

// The glyphs that show each character, "column row width," each, "|" after each character.
std::string Shapes(const char* map, const std::string& characters) {
    std::string shapes;
    for (char c : characters) {
        TextMap::Glyph g[TextMap::maxShapeGlyphs];
        for (int i = 0, count = TextMap(map).Shape(c, g); i < count; i++)
            shapes += std::to_string(g[i].column) + " " + std::to_string(g[i].row) + " " +
                      std::to_string(g[i].width) + ",";
        shapes += "|";
    }
    return shapes;
}

TEST(TextMap, FindsTheFirstPlaceOfACharacterAndNeverReadsPastTheMap) {
    EXPECT_EQ("0 0 6;1 0 6;2 0 6;1 1 5;0 2 12;-;-;-;",
              Where("06 AB\r\n05 C A\n12 E", std::string("AB\r E\n0\0", 8)));
    // No map; row heads cut short by the end.
    EXPECT_EQ("-;-;-;", Where(nullptr, "A") + Where("05 ab\n0", "0") + Where("05 ab\n07", "7"));
    // A row without a whole head maps nothing but keeps its place: later rows stay put.
    EXPECT_EQ("-;0 2 3;", Where("x5 ab\n04 \n03 q", "bq"));
    EXPECT_EQ("0 0 5;0 2 5;1 2 5;", Where("05 ab\n\n05 cd", "acd"));
    EXPECT_EQ("-;0 3 4;", Where("0\n5b\n05\n04 cb", "5c"));
    std::string tooLong = "02 " + std::string(251, 'a') + "WX"; // W is character 255
    EXPECT_EQ("251 0 2;-;", Where(tooLong.c_str(), "WX"));
    // Without a space glyph a blank is a gap as wide as most glyphs (here 4); control
    // characters take no room; a letter in the map is itself, not its base letter.
    EXPECT_EQ("0 0 5,|0 0 5,2 1 4,|-1 0 4,|-1 0 4,||1 1 4,|",
              Shapes("05 ab\r\n04 cde", "\xE0\xE6~\xD7\001d"));
}

} // namespace
