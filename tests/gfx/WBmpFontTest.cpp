#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <cstring>
#include <vector>

namespace {

const char builtInMap[] = "06 AMNWXYmw\r\n"
                          "06 4 #*+@^_\r\n"
                          "05 BCDGHJKOP\r\n"
                          "05 QRSUVZabc\r\n"
                          "05 de\xE9\xE8ghkno\r\n"
                          "05 pqrsuvxy\r\n"
                          "05 z02356789\r\n"
                          "05 \"$%&<=>?\r\n"
                          "04 EFLTft/\\{}\xEFI\r\n"
                          "03 j1'(),-.:;[]`\r\n"
                          "02 il!|";
const int glyphHeight = 11;
const COLORREF black = RGB(0, 0, 0);

// Glyph pixels are all different; black ones are transparent.
bool IsHole(int x, int y) {
    return (x * 7 + y * 3) % 5 == 0;
}
COLORREF Glyphs(int x, int y) {
    return IsHole(x, y) ? black : Distinct(x, y);
}
COLORREF Background(int x, int y) {
    return RGB(220, 4 * x, 4 * y);
}

struct GlyphRect {
    int x, y, width;
};

// The pixel of the glyph strip that lays the glyphs side by side; -1 beyond it.
int StripX(const std::vector<GlyphRect>& glyphs, int x, int& glyphIndex) {
    for (glyphIndex = 0; glyphIndex < int(glyphs.size()); glyphIndex++) {
        if (x < glyphs[glyphIndex].width) return x;
        x -= glyphs[glyphIndex].width;
    }
    return -1;
}

// Entry 0 is a decoy; the glyphs are entry 1, masked by black.
class WBmpFontDraw : public GfxFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(strlen(builtInMap), 150u);
        HINSTANCE program = GetModuleHandleA(nullptr);
        DibCanvas decoy(48, 121, RGB(255, 255, 255)), glyphs(48, 121);
        glyphs.Paint(Glyphs);
        std::string decoyPath = Save(decoy, "decoy.bmp"), glyphPath = Save(glyphs, "font.bmp");
        ASSERT_EQ(0, list.x_AddBitmap(program, decoyPath.c_str(), LR_LOADFROMFILE, black));
        ASSERT_EQ(1, list.x_AddBitmap(program, glyphPath.c_str(), LR_LOADFROMFILE, black));
    }

    // Draws at (2, 3) on a background canvas, checks the width and every pixel.
    void ExpectDrawn(const char* text, const std::vector<GlyphRect>& glyphs, int width, int height,
                     int stretch, int transparent) {
        int total = 0;
        for (const GlyphRect& glyph : glyphs)
            total += glyph.width;
        DibCanvas canvas(70, 40);
        canvas.Paint(Background);
        EXPECT_EQ(total,
                  font.DrawString(canvas.Dc(), text, 2, 3, width, height, stretch, transparent))
            << text;
        EXPECT_EQ("",
                  AreaMismatch(canvas, 2, 3, width, height,
                               [&](int x, int y) {
                                   int stripX = stretch ? x * total / width : x;
                                   int stripY = stretch ? y * glyphHeight / height : y;
                                   int index;
                                   stripX = StripX(glyphs, stripX, index);
                                   if (stripX < 0 || stripY >= glyphHeight)
                                       return Background(x + 2, y + 3);
                                   int gx = glyphs[index].x + stripX, gy = glyphs[index].y + stripY;
                                   return transparent && IsHole(gx, gy) ? Background(x + 2, y + 3)
                                                                        : Glyphs(gx, gy);
                               }))
            << text;
    }

    WBmpList list{2};
    WBmpFont font{&list, 1, builtInMap, glyphHeight};
};

TEST_F(WBmpFontDraw, BuiltInMapPlacesGlyphsSideBySide) {
    ExpectDrawn("MW", {{6, 0, 6}, {18, 0, 6}}, 60, 30, 0, 0);
    ExpectDrawn("il", {{0, 110, 2}, {2, 110, 2}}, 60, 30, 0, 0);
    ExpectDrawn("l\xE9", {{2, 110, 2}, {10, 44, 5}}, 60, 30, 0, 0);
    ExpectDrawn("A B", {{0, 0, 6}, {6, 11, 6}, {0, 22, 5}}, 60, 30, 0, 0);
}

TEST_F(WBmpFontDraw, TransparentTextChangesOnlyGlyphPixelsAndSkipsUnmappedCharacters) {
    ExpectDrawn("A?B", {{0, 0, 6}, {35, 77, 5}, {0, 22, 5}}, 60, 30, 0, 1);
    ExpectDrawn("A~B", {{0, 0, 6}, {0, 22, 5}}, 60, 30, 0, 1);
    ExpectDrawn("~\x01\xFF", {}, 60, 30, 0, 1);
    ExpectDrawn("~\x01\xFF", {}, 60, 30, 0, 0);
    ExpectDrawn("", {}, 60, 30, 0, 1);
}

TEST_F(WBmpFontDraw, NarrowDestinationCutsTheTextButReturnsItsWholeWidth) {
    ExpectDrawn("MW", {{6, 0, 6}, {18, 0, 6}}, 8, 30, 0, 1);
    ExpectDrawn("MW", {{6, 0, 6}, {18, 0, 6}}, 30, 5, 0, 0);
}

TEST_F(WBmpFontDraw, StretchScalesTheTextToTheDestination) {
    ExpectDrawn("MW", {{6, 0, 6}, {18, 0, 6}}, 24, 22, 1, 0);
    ExpectDrawn("il", {{0, 110, 2}, {2, 110, 2}}, 12, 33, 1, 1);
}

TEST_F(WBmpFontDraw, SetFontSwitchesMapAndHeight) {
    EXPECT_EQ(5, font.SetFont(&list, 1, "03 xyz\n04 Q", 5));
    DibCanvas canvas(20, 10);
    canvas.Paint(Background);
    EXPECT_EQ(7, font.DrawStringRect(canvas.Dc(), "zQ", {1, 2, 15, 8}, 0, 0));
    EXPECT_EQ("", AreaMismatch(canvas, 1, 2, 7, 5, [](int x, int y) {
                  return x < 3 ? Glyphs(6 + x, y) : Glyphs(x - 3, 5 + y);
              }));
}

} // namespace
