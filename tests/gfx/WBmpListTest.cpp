#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <string>

namespace {

const HINSTANCE program = GetModuleHandleA(nullptr);
const int oemCheckBitmap = 32760; // OBM_CHECK, carried by the system

// Runs an operation with failures thrown and returns the thrown text ("" if none).
template <class Operation> std::string ThrownText(WBmpList& list, Operation operation) {
    list.throwErrors = 1;
    std::string text;
    try {
        operation();
    } catch (const char* message) {
        text = message;
    }
    list.throwErrors = 0;
    return text;
}

class WBmpListStorage : public GfxFixture {
protected:
    void SetUp() override {
        picture = Save(DibCanvas(4, 3, RGB(1, 2, 3)), "picture.bmp");
        missing = folder.File("missing.bmp");
    }
    int AddFile(WBmpList& list) {
        return list.x_AddBitmap(program, picture.c_str(), LR_LOADFROMFILE, nullptr, 0);
    }

    std::string picture, missing;
};

TEST_F(WBmpListStorage, BlockHoldsAtLeastOneEntryGrowsByOneAndIsHeldOnce) {
    WBmpList zero(0), negative(-5), list(6);
    EXPECT_EQ(1, zero.Capacity());
    EXPECT_EQ(1, negative.Capacity());
    EXPECT_EQ(0, zero.Alloc(3));
    EXPECT_EQ("WBmpList::Alloc(int size) *** ERROR !\nMemory already alloceted.",
              ThrownText(zero, [&] { zero.Alloc(3); }));

    for (int i = 0; i < 6; i++)
        EXPECT_EQ(i, AddFile(list));
    HBITMAP first = list.Image(0), sixth = list.Image(5);
    EXPECT_EQ(6, list.Capacity());
    EXPECT_EQ(6, AddFile(list));
    EXPECT_EQ(7, list.Capacity());
    EXPECT_EQ(7, list.Count());
    EXPECT_EQ(nullptr, list.Mask(6));
    EXPECT_EQ(first, list.Image(0)) << "entries survive the block's move";
    // Shrinking below the count drops the entries that no longer fit, with their bitmaps.
    EXPECT_EQ(1, list.ReAlloc(5));
    EXPECT_EQ(5, list.Count());
    EXPECT_FALSE(IsLiveGdiObject(sixth));

    EXPECT_EQ(1, list.DeAlloc());
    EXPECT_FALSE(IsLiveGdiObject(first)) << "the list owns its bitmaps";
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ("WBmpList::DeAlloc() *** ERROR !\nMemory not allocated.",
              ThrownText(list, [&] { list.DeAlloc(); }));
    EXPECT_EQ(-1, AddFile(list)) << "no block to append to";
    EXPECT_EQ(1, list.Alloc(2));
    EXPECT_EQ(0, AddFile(list));
}

TEST_F(WBmpListStorage, ReplacingOutsideTheListFailsWithItsOwnTextAndDeletesNothing) {
    WBmpList list(6);
    for (int i = 0; i < 6; i++)
        AddFile(list);
    HBITMAP last = list.Image(5);
    EXPECT_EQ(-1, list.ReplaceBitmap(6, nullptr, oemCheckBitmap, 0));
    EXPECT_EQ(-1, list.ReplaceBitmapF(-1, picture.c_str(), nullptr));
    EXPECT_EQ("WBmpList::ReplaceBitmap *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmap(6, nullptr, oemCheckBitmap, 0); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapMasked *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapMasked(6, nullptr, oemCheckBitmap, 0); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapF *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapF(7, picture.c_str(), nullptr); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapMaskedF *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapMaskedF(-3, picture.c_str(), 0); }));
    EXPECT_EQ(6, list.Count());
    EXPECT_EQ(last, list.Image(5));
    EXPECT_TRUE(IsLiveGdiObject(last));
}

TEST_F(WBmpListStorage, FailedLoadLeavesAnEmptyEntryThatALaterReplacementFills) {
    WBmpList list(2);
    AddFile(list);
    AddFile(list);
    HBITMAP old = list.Image(0);
    EXPECT_EQ(-1, list.ReplaceBitmapF(0, missing.c_str(), nullptr));
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(nullptr, list.Image(0));
    EXPECT_FALSE(IsLiveGdiObject(old));
    DibCanvas target(8, 8);
    target.Paint(Background);
    list.DrawBitmap(target.Dc(), 0, WBmpList::modeCopy, 0, 0);
    list.DrawBitmapPart(target.Dc(), 0, WBmpList::modeCopy, 0, 0, 4, 3, 0, 0, 4, 3);
    EXPECT_EQ("", target.Mismatch(0, 0, 8, 8, Background));

    EXPECT_EQ(0, list.ReplaceBitmapMaskedF(0, picture.c_str(), RGB(0, 0, 0)));
    HBITMAP mask = list.Mask(0);
    EXPECT_TRUE(IsLiveGdiObject(list.Image(0)));
    EXPECT_EQ(0, list.ReplaceBitmapF(0, picture.c_str(), nullptr));
    EXPECT_EQ(mask, list.Mask(0)) << "a mask that is not replaced stays";

    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nCan't load image",
              ThrownText(list, [&] { list.ReplaceBitmapF(1, missing.c_str(), nullptr); }));
    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nCan't load mask", ThrownText(list, [&] {
                  list.x_AddBitmap(program, picture.c_str(), LR_LOADFROMFILE, missing.c_str(),
                                   LR_LOADFROMFILE);
              }));
    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nName or identifier of image can't be NULL",
              ThrownText(list, [&] { list.x_AddBitmap(program, nullptr, 0, nullptr, 0); }));
    EXPECT_EQ(2, list.Count());
}

TEST_F(WBmpListStorage, BitmapsLoadFromModuleResources) {
    WBmpList list(1);
    EXPECT_EQ(-1, list.AddBitmap(31999)) << "the program carries no such bitmap";
    EXPECT_EQ(-1, list.AddBitmapMasked(31999, RGB(0, 0, 0)));
    ASSERT_EQ(0, list.x_AddBitmap(nullptr, MAKEINTRESOURCEA(oemCheckBitmap), 0, nullptr, 0));
    EXPECT_TRUE(IsLiveGdiObject(list.Image(0)));
    EXPECT_EQ(0, list.ReplaceBitmapMasked(0, nullptr, oemCheckBitmap, RGB(255, 255, 255)));
    EXPECT_TRUE(IsLiveGdiObject(list.Mask(0)));
    EXPECT_EQ(-1, list.ReplaceBitmap(0, program, 31999, 0));
    EXPECT_EQ(nullptr, list.Image(0));
}

} // namespace
