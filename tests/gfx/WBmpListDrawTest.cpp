#include "gfx/WBmpList.h"

#include "GfxFixture.h"

namespace {

const COLORREF magenta = RGB(255, 0, 255), black = RGB(0, 0, 0), white = RGB(255, 255, 255);
const int copy = WBmpList::modeCopy, see = WBmpList::modeTransparent, mask = WBmpList::modeMask;

bool IsHole(int x, int y) {
    return (x + 2 * y) % 7 == 0;
}
COLORREF Picture(int x, int y) {
    return IsHole(x, y) ? magenta : Distinct(x, y);
}
COLORREF Mask(int x, int y) {
    return IsHole(x, y) ? white : black;
}

// What a transparent drawing shows with the picture's (x, y) at the canvas' (cx, cy).
COLORREF Over(int x, int y, int cx, int cy) {
    return IsHole(x, y) ? Background(cx, cy) : Distinct(x, y);
}

// Entry 0: the 20 x 10 picture masked by magenta; entry 1: the same picture unmasked.
class WBmpListDraw : public GfxFixture {
protected:
    void SetUp() override {
        std::string path = Save(Picture, 20, 10, "picture.bmp");
        ASSERT_EQ(0, list.x_AddBitmap(nullptr, path.c_str(), LR_LOADFROMFILE, magenta));
        ASSERT_EQ(1, list.x_AddBitmap(nullptr, path.c_str(), LR_LOADFROMFILE, nullptr, 0));
    }

    WBmpList list{2};
};

TEST_F(WBmpListDraw, ModesCopyTheImageOrItsMaskOrOnlyItsOpaquePixelsStretchedToTheDestination) {
    list.DrawBitmap(Fresh(), 1, copy, 3, 2);
    EXPECT_EQ("", Shows({3, 2, 20, 10}, Picture));
    list.DrawBitmap(Fresh(), 0, copy, 0, 0);
    EXPECT_EQ("", Shows({0, 0, 20, 10},
                        [](int x, int y) { return IsHole(x, y) ? black : Distinct(x, y); }))
        << "masking turns the image's pixels black";
    list.DrawBitmap(Fresh(), 0, mask, 0, 0);
    EXPECT_EQ("", Shows({0, 0, 20, 10}, Mask));
    EXPECT_EQ(RGB(255, 0, 0), GetTextColor(canvas.Dc()));
    list.DrawBitmapPart(Fresh(), 0, see, 4, 5, 40, 20, 0, 0, 20, 10);
    EXPECT_EQ("",
              Shows({4, 5, 40, 20}, [](int x, int y) { return Over(x / 2, y / 2, x + 4, y + 5); }));

    list.DrawBitmapRect(Fresh(), 1, copy, {1, 1, 12, 9}, {2, 3, 4, 3});
    EXPECT_EQ("", Shows({1, 1, 12, 9}, [](int x, int y) { return Picture(2 + x / 3, 3 + y / 3); }));
    // From (3, 4) to the far corner is 17 x 6, here drawn twice as large.
    list.DrawBitmapFrom(Fresh(), 1, copy, {1, 1, 34, 12}, 3, 4, 1);
    EXPECT_EQ("",
              Shows({1, 1, 34, 12}, [](int x, int y) { return Picture(3 + x / 2, 4 + y / 2); }));
    HDC dc = Fresh(); // none of these has what it needs: no mask, mode, entry or size
    list.DrawBitmap(dc, 1, see, 0, 0);
    list.DrawBitmap(dc, 1, mask, 0, 0);
    list.DrawBitmap(dc, 0, 3, 0, 0);
    list.DrawBitmap(dc, 2, copy, 0, 0);
    list.DrawBitmapPart(dc, -1, copy, 0, 0, 5, 5, 0, 0, 5, 5);
    list.TileBitmap(dc, 1, copy, {0, 0, 20, 10}, {0, 0, 0, 5});
    list.TileBitmap(dc, 1, copy, {0, 0, 20, 10}, {0, 0, 5, 0});
    list.TileBitmap(dc, 1, copy, {20, 0, -5, 10}, {0, 0, 5, 5});
    EXPECT_EQ("", Shows({0, 0, 0, 0}, Background));
}

TEST_F(WBmpListDraw, TilingRepeatsTheSourceAndCutsTheLastColumnAndRow) {
    // 10 x 10 over 25 x 12: cells 10, 10 and 5 wide, 10 and 2 high, in every mode.
    const SourceRect area = {2, 3, 25, 12}, cell = {5, 0, 10, 10};
    list.TileBitmapRect(Fresh(), 1, copy, {2, 3, 27, 15}, {5, 0, 15, 10});
    EXPECT_EQ("", Shows(area, [](int x, int y) { return Picture(5 + x % 10, y % 10); }));
    list.TileBitmap(Fresh(), 0, see, area, cell);
    EXPECT_EQ("", Shows(area, [](int x, int y) { return Over(5 + x % 10, y % 10, x + 2, y + 3); }));

    // Empty remainders add no cell.
    list.TileBitmap(Fresh(), 1, copy, {1, 2, 20, 10}, {0, 0, 10, 5});
    EXPECT_EQ("", Shows({1, 2, 20, 10}, [](int x, int y) { return Picture(x % 10, y % 5); }));
}

} // namespace
