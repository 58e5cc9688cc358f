#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"

#include "GfxFixture.h"
#include "support/HandleCounts.h"

#include <functional>

namespace {

const int oemCheck = 32760; // OBM_CHECK, carried by the system
const COLORREF magenta = RGB(255, 0, 255), black = RGB(0, 0, 0), white = RGB(255, 255, 255);
const int copy = WBmpList::modeCopy, see = WBmpList::modeTransparent, mask = WBmpList::modeMask;

bool IsHole(int x, int y) {
    return (x + 2 * y) % 7 == 0;
}
COLORREF Picture(int x, int y) {
    return IsHole(x, y) ? magenta : Distinct(x, y);
}

// What a transparent drawing shows with the picture's (x, y) at the canvas' (cx, cy).
COLORREF Over(int x, int y, int cx, int cy) {
    return IsHole(x, y) ? Background(cx, cy) : Distinct(x, y);
}

// The failing call's result, then the text it throws when the list throws its errors.
template <class Call> std::string Failure(WBmpList& list, Call call) {
    std::string text = std::to_string(call()) + " ";
    list.throwErrors = 1;
    try {
        call();
    } catch (const char* message) {
        text += message;
    }
    list.throwErrors = 0;
    return text;
}

// Entry 0: the 20 x 10 picture masked by magenta; entry 1: the same picture unmasked.
class WBmpListTest : public GfxFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(0, list.x_AddBitmap(nullptr, picture, LR_LOADFROMFILE, magenta));
        ASSERT_EQ(1, AddFile());
    }
    int AddFile() { return list.x_AddBitmap(nullptr, picture, LR_LOADFROMFILE, nullptr, 0); }

    std::string picturePath = Save(Picture, 20, 10, "picture.bmp");
    std::string missingPath = folder.File("missing.bmp");
    const char *picture = picturePath.c_str(), *missing = missingPath.c_str();
    WBmpList list{6};
};

TEST_F(WBmpListTest, ModesCopyMaskOrSeeThroughTheImageStretchedTiledOrCutToTheDestination) {
    list.DrawBitmap(Fresh(), 0, copy, 3, 2);
    EXPECT_EQ("", Shows({3, 2, 20, 10},
                        [](int x, int y) { return IsHole(x, y) ? black : Distinct(x, y); }))
        << "masking turns the image's pixels black";
    list.DrawBitmap(Fresh(), 0, mask, 0, 0);
    EXPECT_EQ("", Shows({0, 0, 20, 10}, [](int x, int y) { return IsHole(x, y) ? white : black; }));
    EXPECT_EQ(RGB(255, 0, 0), GetTextColor(canvas.Dc()));
    list.DrawBitmapPart(Fresh(), 0, see, 4, 5, 40, 20, 0, 0, 20, 10);
    EXPECT_EQ("",
              Shows({4, 5, 40, 20}, [](int x, int y) { return Over(x / 2, y / 2, x + 4, y + 5); }));

    list.DrawBitmapFrom(Fresh(), 1, copy, {1, 1, 34, 12}, 3, 4, 1);
    EXPECT_EQ("",
              Shows({1, 1, 34, 12}, [](int x, int y) { return Picture(3 + x / 2, 4 + y / 2); }));
    HDC dc = Fresh(); // none of these has what it needs: no mask, mode, entry or size
    list.DrawBitmap(dc, 1, see, 0, 0);
    list.DrawBitmap(dc, 0, 3, 0, 0);
    list.DrawBitmap(dc, 2, copy, 0, 0);
    list.DrawBitmapPart(dc, -1, copy, 0, 0, 5, 5, 0, 0, 5, 5);
    list.TileBitmap(dc, 1, copy, {0, 0, 20, 10}, {0, 0, 0, 5});
    list.TileBitmap(dc, 1, copy, {0, 0, 20, 10}, {0, 0, 5, 0});
    list.TileBitmap(dc, 1, copy, {20, 0, -5, 10}, {0, 0, 5, 5});
    EXPECT_EQ("", Shows({0, 0, 0, 0}, Background));

    // 10 x 10 over 25 x 12: cells 10, 10 and 5 wide, 10 and 2 high.
    const SourceRect area = {2, 3, 25, 12}, cell = {5, 0, 10, 10};
    list.TileBitmapRect(Fresh(), 1, copy, {2, 3, 27, 15}, {5, 0, 15, 10});
    EXPECT_EQ("", Shows(area, [](int x, int y) { return Picture(5 + x % 10, y % 10); }));
    list.TileBitmap(Fresh(), 0, see, area, cell);
    EXPECT_EQ("", Shows(area, [](int x, int y) { return Over(5 + x % 10, y % 10, x + 2, y + 3); }));

    // Empty remainders add no cell.
    list.TileBitmap(Fresh(), 1, copy, {1, 2, 20, 10}, {0, 0, 10, 5});
    EXPECT_EQ("", Shows({1, 2, 20, 10}, [](int x, int y) { return Picture(x % 10, y % 5); }));
}

TEST_F(WBmpListTest, BlockGrowsByOneOwnsItsBitmapsAndFailuresKeepTheOtherEntries) {
    EXPECT_EQ(1, WBmpList(-5).Capacity());
    for (int i = 2; i < 6; i++)
        AddFile();
    HBITMAP first = list.Image(0), sixth = list.Image(5);
    EXPECT_EQ(6, AddFile());
    const std::pair<const char*, std::function<int()>> outOfBounds[] = {
        {"ReplaceBitmap", [&] { return list.ReplaceBitmap(7, nullptr, oemCheck, 0); }},
        {"ReplaceBitmapMasked", [&] { return list.ReplaceBitmapMasked(7, nullptr, oemCheck, 0); }},
        {"ReplaceBitmapF", [&] { return list.ReplaceBitmapF(-1, picture, nullptr); }},
        {"ReplaceBitmapMaskedF", [&] { return list.ReplaceBitmapMaskedF(7, picture, 0); }}};
    for (const auto& [name, call] : outOfBounds)
        EXPECT_EQ(std::string("-1 WBmpList::") + name + " *** ERROR !\nIndex out of bounds.",
                  Failure(list, call));
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nCan't load image",
              Failure(list, [&] { return list.AddBitmap(31999); }));
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nCan't load mask",
              Failure(list, [&] { return list.ReplaceBitmap(1, nullptr, oemCheck, 31999); }));
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nName or identifier of image can't be NULL",
              Failure(list, [&] { return list.x_AddBitmap(nullptr, nullptr, 0, nullptr, 0); }));
    EXPECT_NE(0u, GetObjectType(sixth));

    // A failed load leaves an empty entry that a later replacement fills.
    EXPECT_EQ(-1, list.ReplaceBitmapF(0, missing, nullptr));
    EXPECT_EQ(nullptr, list.Image(0));
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(0, list.ReplaceBitmapMasked(0, nullptr, oemCheck, RGB(255, 255, 255)));
    HBITMAP kept = list.Mask(0);
    EXPECT_NE(0u, GetObjectType(kept));
    EXPECT_EQ(0, list.ReplaceBitmapF(0, picture, nullptr));
    EXPECT_EQ(kept, list.Mask(0)) << "a mask that is not replaced stays";

    // Shrinking below the count drops the entries that no longer fit, with their bitmaps.
    EXPECT_EQ(1, list.ReAlloc(5));
    EXPECT_EQ(0u, GetObjectType(sixth));
    EXPECT_EQ(1, list.DeAlloc());
    EXPECT_EQ(0u, GetObjectType(kept));
    EXPECT_EQ(-1, AddFile()) << "no block to append to";
    EXPECT_EQ("0 WBmpList::DeAlloc() *** ERROR !\nMemory not allocated.",
              Failure(list, [&] { return list.DeAlloc(); }));
    EXPECT_EQ(1, list.Alloc(2));
    EXPECT_EQ("0 WBmpList::Alloc(int size) *** ERROR !\nMemory already alloceted.",
              Failure(list, [&] { return list.Alloc(3); }));
}

TEST_F(WBmpListTest, LoadingReplacingFailingAndDrawingReleaseEveryGdiObject) {
    auto exerciseEverything = [&] {
        WBmpList bitmaps(1);
        bitmaps.x_AddBitmap(nullptr, picture, LR_LOADFROMFILE, RGB(1, 2, 3));
        bitmaps.x_AddBitmap(nullptr, picture, LR_LOADFROMFILE, picture, LR_LOADFROMFILE);
        bitmaps.x_AddBitmap(nullptr, picture, LR_LOADFROMFILE, missing, LR_LOADFROMFILE);
        bitmaps.ReplaceBitmapF(1, missing, nullptr);
        Failure(bitmaps, [&] { return bitmaps.ReplaceBitmapF(0, picture, missing); });
        bitmaps.ReplaceBitmapMaskedF(0, picture, RGB(1, 2, 3));
        for (int mode = 0; mode < 3; mode++)
            bitmaps.TileBitmap(Fresh(), 0, mode, {0, 0, 37, 29}, {1, 1, 2, 1});
        WBmpFont font(&bitmaps, 0, "01 abcd\n01 efgh", 1);
        for (int flags = 0; flags < 4; flags++) // stretch, transparent
            font.DrawString(Fresh(), "bad cafe", 0, 0, 10, 30, flags & 1, flags >> 1);
    };
    exerciseEverything(); // the platform's own first-use objects are made here
    const int before = HandleCounts::GdiRoom();
    ASSERT_GT(before, 1000);
    for (int round = 0; round < 20; round++)
        exerciseEverything();
    EXPECT_EQ(before, HandleCounts::GdiRoom());
}

} // namespace
