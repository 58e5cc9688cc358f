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
COLORREF Background(int x, int y) {
    return RGB(200, 3 * x, 3 * y);
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

    // A canvas showing the background pattern.
    static void Prepare(DibCanvas& canvas) { canvas.Paint(Background); }

    WBmpList list{2};
};

TEST_F(WBmpListDraw, CopyModeDrawsTheWholeImageAtItsOwnSize) {
    DibCanvas target(30, 20);
    Prepare(target);
    list.DrawBitmap(target.Dc(), 1, WBmpList::modeCopy, 3, 2);
    EXPECT_EQ("", target.Mismatch(0, 0, 30, 20, [](int x, int y) {
        bool inside = x >= 3 && x < 23 && y >= 2 && y < 12;
        return inside ? Picture(x - 3, y - 2) : Background(x, y);
    }));
}

TEST_F(WBmpListDraw, MaskFromColourBlackensThoseImagePixelsAndMarksThemTransparent) {
    DibCanvas image(20, 10), mask(20, 10);
    list.DrawBitmap(image.Dc(), 0, WBmpList::modeCopy, 0, 0);
    EXPECT_EQ("", image.Mismatch(0, 0, 20, 10, [](int x, int y) {
        return IsHole(x, y) ? black : Distinct(x, y);
    }));
    // The mask comes out black and white whatever colours the target has set.
    SetTextColor(mask.Dc(), RGB(255, 0, 0));
    SetBkColor(mask.Dc(), RGB(0, 0, 255));
    list.DrawBitmap(mask.Dc(), 0, WBmpList::modeMask, 0, 0);
    EXPECT_EQ(
        "", mask.Mismatch(0, 0, 20, 10, [](int x, int y) { return IsHole(x, y) ? white : black; }));
    EXPECT_EQ(RGB(255, 0, 0), GetTextColor(mask.Dc()));
    EXPECT_EQ(RGB(0, 0, 255), GetBkColor(mask.Dc()));

    DibCanvas clear(6, 4, magenta);
    std::string path = Save(clear, "clear.bmp");
    ASSERT_EQ(2,
              list.x_AddBitmap(GetModuleHandleA(nullptr), path.c_str(), LR_LOADFROMFILE, magenta));
    list.DrawBitmap(clear.Dc(), 2, WBmpList::modeCopy, 0, 0);
    EXPECT_EQ("", clear.Mismatch(0, 0, 6, 4, [](int, int) { return black; }));
    list.DrawBitmap(clear.Dc(), 2, WBmpList::modeMask, 0, 0);
    EXPECT_EQ("", clear.Mismatch(0, 0, 6, 4, [](int, int) { return white; }));
    EXPECT_EQ(nullptr, WBmpList::CreateMask(nullptr, black));
}

TEST_F(WBmpListDraw, TransparentModeLeavesTheTargetUnderTransparentPixels) {
    DibCanvas target(30, 20);
    Prepare(target);
    SetTextColor(target.Dc(), RGB(0, 255, 0));
    SetBkColor(target.Dc(), RGB(0, 0, 255));
    list.DrawBitmap(target.Dc(), 0, WBmpList::modeTransparent, 4, 5);
    EXPECT_EQ("", target.Mismatch(0, 0, 30, 20, [](int x, int y) {
        bool inside = x >= 4 && x < 24 && y >= 5 && y < 15;
        return inside && !IsHole(x - 4, y - 5) ? Distinct(x - 4, y - 5) : Background(x, y);
    }));

    DibCanvas doubled(40, 20);
    Prepare(doubled);
    list.DrawBitmapPart(doubled.Dc(), 0, WBmpList::modeTransparent, 0, 0, 40, 20, 0, 0, 20, 10);
    EXPECT_EQ("", doubled.Mismatch(0, 0, 40, 20, [](int x, int y) {
        return IsHole(x / 2, y / 2) ? Background(x, y) : Distinct(x / 2, y / 2);
    }));
}

TEST_F(WBmpListDraw, NothingIsDrawnWithoutTheModesBitmapOrForUnknownModesAndIndexes) {
    DibCanvas target(25, 15), untouched(25, 15);
    Prepare(target);
    Prepare(untouched);
    list.DrawBitmap(target.Dc(), 1, WBmpList::modeTransparent, 0, 0); // entry 1 has no mask
    list.DrawBitmap(target.Dc(), 1, WBmpList::modeMask, 0, 0);
    list.DrawBitmap(target.Dc(), 0, 3, 0, 0);
    list.DrawBitmap(target.Dc(), 0, -1, 0, 0);
    list.DrawBitmap(target.Dc(), 2, WBmpList::modeCopy, 0, 0);
    list.DrawBitmapPart(target.Dc(), -1, WBmpList::modeCopy, 0, 0, 5, 5, 0, 0, 5, 5);
    EXPECT_EQ("", target.Differences(untouched));
}

TEST_F(WBmpListDraw, PartAndRectStretchTheSourceRectangleToTheDestination) {
    DibCanvas target(16, 12);
    Prepare(target);
    list.DrawBitmapRect(target.Dc(), 1, WBmpList::modeCopy, {1, 1, 12, 9}, {2, 3, 4, 3});
    EXPECT_EQ("", target.Mismatch(0, 0, 16, 12, [](int x, int y) {
        bool inside = x >= 1 && x < 13 && y >= 1 && y < 10;
        return inside ? Picture(2 + (x - 1) / 3, 3 + (y - 1) / 3) : Background(x, y);
    }));
}

TEST_F(WBmpListDraw, TilingRepeatsTheSourceAndCutsTheLastColumnAndRow) {
    // 10 x 10 over 25 x 12: cells 10, 10 and 5 wide, 10 and 2 high.
    DibCanvas tiled(30, 17), byRect(30, 17);
    Prepare(tiled);
    Prepare(byRect);
    list.TileBitmap(tiled.Dc(), 1, WBmpList::modeCopy, {2, 3, 25, 12}, {5, 0, 10, 10});
    EXPECT_EQ("", tiled.Mismatch(0, 0, 30, 17, [](int x, int y) {
        bool inside = x >= 2 && x < 27 && y >= 3 && y < 15;
        return inside ? Picture(5 + (x - 2) % 10, (y - 3) % 10) : Background(x, y);
    }));
    list.TileBitmapRect(byRect.Dc(), 1, WBmpList::modeCopy, {2, 3, 27, 15}, {5, 0, 15, 10});
    EXPECT_EQ("", byRect.Differences(tiled));

    // Empty remainders add no cell beyond the destination.
    DibCanvas exact(26, 14);
    Prepare(exact);
    list.TileBitmap(exact.Dc(), 1, WBmpList::modeCopy, {1, 2, 20, 10}, {0, 0, 10, 5});
    EXPECT_EQ("", exact.Mismatch(0, 0, 26, 14, [](int x, int y) {
        bool inside = x >= 1 && x < 21 && y >= 2 && y < 12;
        return inside ? Picture((x - 1) % 10, (y - 2) % 5) : Background(x, y);
    }));

    DibCanvas untouched(26, 14);
    Prepare(untouched);
    list.TileBitmap(untouched.Dc(), 1, WBmpList::modeCopy, {0, 0, 20, 10}, {0, 0, 0, 5});
    list.TileBitmap(untouched.Dc(), 1, WBmpList::modeCopy, {0, 0, 20, 10}, {0, 0, 5, 0});
    list.TileBitmap(untouched.Dc(), 1, WBmpList::modeCopy, {20, 0, -5, 10}, {0, 0, 5, 5});
    EXPECT_EQ("", untouched.Mismatch(0, 0, 26, 14, Background));
}

TEST_F(WBmpListDraw, DrawFromCopiesUnscaledOrStretchesToTheFarCorner) {
    DibCanvas target(12, 10);
    Prepare(target);
    list.DrawBitmapFrom(target.Dc(), 1, WBmpList::modeCopy, {5, 5, 6, 3}, 3, 4, 0);
    EXPECT_EQ("", target.Mismatch(0, 0, 12, 10, [](int x, int y) {
        bool inside = x >= 5 && x < 11 && y >= 5 && y < 8;
        return inside ? Picture(x - 2, y - 1) : Background(x, y);
    }));

    // From (3, 4) to the corner of the 20 x 10 bitmap is 17 x 6, here drawn twice as large.
    DibCanvas corner(36, 14);
    Prepare(corner);
    list.DrawBitmapFrom(corner.Dc(), 1, WBmpList::modeCopy, {1, 1, 34, 12}, 3, 4, 1);
    EXPECT_EQ("", corner.Mismatch(0, 0, 36, 14, [](int x, int y) {
        bool inside = x >= 1 && x < 35 && y >= 1 && y < 13;
        return inside ? Picture(3 + (x - 1) / 2, 4 + (y - 1) / 2) : Background(x, y);
    }));
}

TEST_F(WBmpListDraw, BlitDCCopiesFromTheSourceContextsOrigin) {
    DibCanvas source(10, 10), target(12, 8);
    source.Paint(Distinct);
    Prepare(target);
    WBmpList::BlitDC(target.Dc(), {4, 3, 5, 2}, source.Dc());
    EXPECT_EQ("", target.Mismatch(0, 0, 12, 8, [](int x, int y) {
        bool inside = x >= 4 && x < 9 && y >= 3 && y < 5;
        return inside ? Distinct(x - 4, y - 3) : Background(x, y);
    }));
}

} // namespace
