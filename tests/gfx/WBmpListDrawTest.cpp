#include "gfx/WBmpList.h"

#include "GfxFixture.h"

namespace {

const COLORREF magenta = RGB(255, 0, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF white = RGB(255, 255, 255);

bool IsHole(int x, int y) {
    return (x + 2 * y) % 7 == 0;
}
COLORREF Picture(int x, int y) {
    return IsHole(x, y) ? magenta : Distinct(x, y);
}

// Entry 0: the 20 x 10 picture masked by magenta; entry 1: the same picture unmasked.
class WBmpListDraw : public GfxFixture {
protected:
    void SetUp() override {
        DibCanvas picture(20, 10);
        picture.Paint(Picture);
        std::string path = Save(picture, "picture.bmp");
        HINSTANCE program = GetModuleHandleA(nullptr);
        ASSERT_EQ(0, list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, magenta));
        ASSERT_EQ(1, list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, nullptr, 0));
    }
    static DibCanvas& Prepared(DibCanvas& canvas) {
        canvas.Paint(Background);
        return canvas;
    }

    WBmpList list{2};
};

TEST_F(WBmpListDraw, CopyAndMaskModesShowTheImageBlackenedWhereTheMaskMarksTransparency) {
    DibCanvas copy(30, 20), image(20, 10), mask(20, 10);
    list.DrawBitmap(Prepared(copy).Dc(), 1, WBmpList::modeCopy, 3, 2);
    EXPECT_EQ("", AreaMismatch(copy, 3, 2, 20, 10, Picture));
    list.DrawBitmap(image.Dc(), 0, WBmpList::modeCopy, 0, 0);
    EXPECT_EQ("", AreaMismatch(image, 0, 0, 20, 10,
                               [](int x, int y) { return IsHole(x, y) ? black : Distinct(x, y); }));
    // The mask comes out black and white whatever colours the target has set.
    SetTextColor(mask.Dc(), RGB(255, 0, 0));
    SetBkColor(mask.Dc(), RGB(0, 0, 255));
    list.DrawBitmap(mask.Dc(), 0, WBmpList::modeMask, 0, 0);
    EXPECT_EQ("", AreaMismatch(mask, 0, 0, 20, 10,
                               [](int x, int y) { return IsHole(x, y) ? white : black; }));
    EXPECT_EQ(RGB(255, 0, 0), GetTextColor(mask.Dc()));

    DibCanvas clear(6, 4, magenta);
    std::string path = Save(clear, "clear.bmp");
    ASSERT_EQ(1, list.ReplaceBitmapMaskedF(1, path.c_str(), magenta));
    list.DrawBitmap(clear.Dc(), 1, WBmpList::modeCopy, 0, 0);
    EXPECT_EQ("", AreaMismatch(clear, 0, 0, 6, 4, [](int, int) { return black; }));
    list.DrawBitmap(clear.Dc(), 1, WBmpList::modeMask, 0, 0);
    EXPECT_EQ("", AreaMismatch(clear, 0, 0, 6, 4, [](int, int) { return white; }));
}

TEST_F(WBmpListDraw, TransparentModeKeepsTheTargetUnderTransparentPixelsAtAnyScale) {
    DibCanvas target(30, 20), doubled(40, 20);
    SetTextColor(Prepared(target).Dc(), RGB(0, 255, 0));
    SetBkColor(target.Dc(), RGB(0, 0, 255));
    list.DrawBitmap(target.Dc(), 0, WBmpList::modeTransparent, 4, 5);
    EXPECT_EQ("", AreaMismatch(target, 4, 5, 20, 10, [](int x, int y) {
                  return IsHole(x, y) ? Background(x + 4, y + 5) : Distinct(x, y);
              }));
    list.DrawBitmapPart(Prepared(doubled).Dc(), 0, WBmpList::modeTransparent, 0, 0, 40, 20, 0, 0,
                        20, 10);
    EXPECT_EQ("", AreaMismatch(doubled, 0, 0, 40, 20, [](int x, int y) {
                  return IsHole(x / 2, y / 2) ? Background(x, y) : Distinct(x / 2, y / 2);
              }));

    // No mask, unknown modes and indexes outside the list draw nothing.
    DibCanvas untouched(25, 15);
    Prepared(untouched);
    list.DrawBitmap(untouched.Dc(), 1, WBmpList::modeTransparent, 0, 0);
    list.DrawBitmap(untouched.Dc(), 1, WBmpList::modeMask, 0, 0);
    list.DrawBitmap(untouched.Dc(), 0, 3, 0, 0);
    list.DrawBitmap(untouched.Dc(), 2, WBmpList::modeCopy, 0, 0);
    list.DrawBitmapPart(untouched.Dc(), -1, WBmpList::modeCopy, 0, 0, 5, 5, 0, 0, 5, 5);
    EXPECT_EQ("", untouched.Mismatch(0, 0, 25, 15, Background));
}

TEST_F(WBmpListDraw, RectStretchesAndDrawFromCopiesOrStretchesToTheFarCorner) {
    DibCanvas stretched(16, 12), from(12, 10), corner(36, 14);
    list.DrawBitmapRect(Prepared(stretched).Dc(), 1, 0, {1, 1, 12, 9}, {2, 3, 4, 3});
    EXPECT_EQ("", AreaMismatch(stretched, 1, 1, 12, 9,
                               [](int x, int y) { return Picture(2 + x / 3, 3 + y / 3); }));
    list.DrawBitmapFrom(Prepared(from).Dc(), 1, 0, {5, 5, 6, 3}, 3, 4, 0);
    EXPECT_EQ("",
              AreaMismatch(from, 5, 5, 6, 3, [](int x, int y) { return Picture(3 + x, 4 + y); }));
    // From (3, 4) to the corner of the 20 x 10 bitmap is 17 x 6, here drawn twice as large.
    list.DrawBitmapFrom(Prepared(corner).Dc(), 1, 0, {1, 1, 34, 12}, 3, 4, 1);
    EXPECT_EQ("", AreaMismatch(corner, 1, 1, 34, 12,
                               [](int x, int y) { return Picture(3 + x / 2, 4 + y / 2); }));
}

TEST_F(WBmpListDraw, TilingRepeatsTheSourceAndCutsTheLastColumnAndRow) {
    // 10 x 10 over 25 x 12: cells 10, 10 and 5 wide, 10 and 2 high.
    DibCanvas tiled(30, 17), byRect(30, 17), exact(26, 14), untouched(26, 14);
    list.TileBitmap(Prepared(tiled).Dc(), 1, 0, {2, 3, 25, 12}, {5, 0, 10, 10});
    EXPECT_EQ("", AreaMismatch(tiled, 2, 3, 25, 12,
                               [](int x, int y) { return Picture(5 + x % 10, y % 10); }));
    list.TileBitmapRect(Prepared(byRect).Dc(), 1, 0, {2, 3, 27, 15}, {5, 0, 15, 10});
    EXPECT_EQ("", byRect.Differences(tiled));
    // Transparent and mask cells tile alike.
    DibCanvas seeThrough(30, 17), masks(30, 17);
    list.TileBitmap(Prepared(seeThrough).Dc(), 0, 1, {2, 3, 25, 12}, {5, 0, 10, 10});
    EXPECT_EQ("", AreaMismatch(seeThrough, 2, 3, 25, 12, [](int x, int y) {
                  return IsHole(5 + x % 10, y % 10) ? Background(x + 2, y + 3)
                                                    : Distinct(5 + x % 10, y % 10);
              }));
    list.TileBitmap(masks.Dc(), 0, 2, {2, 3, 25, 12}, {5, 0, 10, 10});
    EXPECT_EQ("", AreaMismatch(
                      masks, 2, 3, 25, 12,
                      [](int x, int y) { return IsHole(5 + x % 10, y % 10) ? white : black; },
                      [](int, int) { return black; }));
    // Empty remainders add no cell beyond the destination.
    list.TileBitmap(Prepared(exact).Dc(), 1, 0, {1, 2, 20, 10}, {0, 0, 10, 5});
    EXPECT_EQ(
        "", AreaMismatch(exact, 1, 2, 20, 10, [](int x, int y) { return Picture(x % 10, y % 5); }));
    list.TileBitmap(Prepared(untouched).Dc(), 1, 0, {0, 0, 20, 10}, {0, 0, 0, 5});
    list.TileBitmap(untouched.Dc(), 1, 0, {0, 0, 20, 10}, {0, 0, 5, 0});
    list.TileBitmap(untouched.Dc(), 1, 0, {20, 0, -5, 10}, {0, 0, 5, 5});
    EXPECT_EQ("", untouched.Mismatch(0, 0, 26, 14, Background));
}

TEST_F(WBmpListDraw, BlitDCCopiesFromTheSourceContextsOrigin) {
    DibCanvas source(10, 10), target(12, 8);
    source.Paint(Distinct);
    WBmpList::BlitDC(Prepared(target).Dc(), {4, 3, 5, 2}, source.Dc());
    EXPECT_EQ("", AreaMismatch(target, 4, 3, 5, 2, Distinct));
}

} // namespace
