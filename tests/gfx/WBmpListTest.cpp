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
    // An entry loaded from a fresh 4 x 3 file.
    int AddFile(WBmpList& list) {
        DibCanvas canvas(4, 3, RGB(1, 2, 3));
        std::string path = Save(canvas, "entry" + std::to_string(files++) + ".bmp");
        return list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, nullptr, 0);
    }
    std::string Missing() const { return folder.File("missing.bmp"); }

    int files = 0;
};

TEST_F(WBmpListStorage, AllocTakesAtLeastOneEntryAndRefusesASecondBlock) {
    WBmpList zero(0), negative(-5);
    EXPECT_EQ(1, zero.Capacity());
    EXPECT_EQ(1, negative.Capacity());
    EXPECT_EQ(0, zero.Count());

    EXPECT_EQ(0, zero.Alloc(3));
    EXPECT_EQ(1, zero.Capacity());
    EXPECT_EQ("WBmpList::Alloc(int size) *** ERROR !\nMemory already alloceted.",
              ThrownText(zero, [&] { zero.Alloc(3); }));

    ASSERT_EQ(0, AddFile(zero));
    HBITMAP image = zero.Image(0);
    EXPECT_EQ(1, zero.DeAlloc());
    EXPECT_FALSE(IsLiveGdiObject(image)) << "the list owns its bitmaps";
    EXPECT_EQ(0, zero.Capacity());
    EXPECT_EQ(0, zero.Count());
    EXPECT_EQ(0, zero.DeAlloc());
    EXPECT_EQ("WBmpList::DeAlloc() *** ERROR !\nMemory not allocated.",
              ThrownText(zero, [&] { zero.DeAlloc(); }));
    EXPECT_EQ(0, zero.ReAlloc(4));
    EXPECT_EQ(-1, AddFile(zero)) << "no block to append to";

    EXPECT_EQ(1, zero.Alloc(2));
    EXPECT_EQ(2, zero.Capacity());
    EXPECT_EQ(0, AddFile(zero));
}

TEST_F(WBmpListStorage, AppendingPastCapacityGrowsByOneEntryAndKeepsTheOthers) {
    WBmpList list(6);
    HBITMAP images[7];
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(i, AddFile(list));
        images[i] = list.Image(i);
    }
    EXPECT_EQ(6, list.Capacity());
    EXPECT_EQ(6, AddFile(list));
    images[6] = list.Image(6);
    EXPECT_EQ(7, list.Capacity());
    EXPECT_EQ(7, list.Count());
    EXPECT_EQ(nullptr, list.Mask(6));
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(images[i], list.Image(i)) << i;
        EXPECT_TRUE(IsLiveGdiObject(images[i])) << i;
    }

    // Shrinking drops the entries that no longer fit, with their bitmaps.
    EXPECT_EQ(1, list.ReAlloc(3));
    EXPECT_EQ(3, list.Capacity());
    EXPECT_EQ(3, list.Count());
    EXPECT_TRUE(IsLiveGdiObject(images[2]));
    for (int i = 3; i < 7; i++)
        EXPECT_FALSE(IsLiveGdiObject(images[i])) << i;
    EXPECT_EQ(3, AddFile(list));
    EXPECT_EQ(4, list.Capacity());
}

TEST_F(WBmpListStorage, ReplacingOutsideTheListFailsAndDeletesNothing) {
    WBmpList list(6);
    for (int i = 0; i < 6; i++)
        AddFile(list);
    HBITMAP last = list.Image(5);
    std::string path = Save(DibCanvas(2, 2), "other.bmp");

    EXPECT_EQ(-1, list.ReplaceBitmap(6, program, oemCheckBitmap, 0));
    EXPECT_EQ(-1, list.ReplaceBitmapF(-1, path.c_str(), nullptr));
    EXPECT_EQ("WBmpList::ReplaceBitmap *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmap(6, program, oemCheckBitmap, 0); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapMasked *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapMasked(6, nullptr, oemCheckBitmap, 0); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapF *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapF(7, path.c_str(), nullptr); }));
    EXPECT_EQ("WBmpList::ReplaceBitmapMaskedF *** ERROR !\nIndex out of bounds.",
              ThrownText(list, [&] { list.ReplaceBitmapMaskedF(-3, path.c_str(), 0); }));
    EXPECT_EQ(6, list.Count());
    EXPECT_EQ(last, list.Image(5));
    EXPECT_TRUE(IsLiveGdiObject(last));
}

TEST_F(WBmpListStorage, FailedLoadsLeaveNothingBehindAndTheEntryCanBeReplacedLater) {
    WBmpList list(2);
    ASSERT_EQ(0, AddFile(list));
    ASSERT_EQ(1, AddFile(list));
    HBITMAP old = list.Image(0);

    EXPECT_EQ(-1, list.ReplaceBitmapF(0, Missing().c_str(), nullptr));
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(nullptr, list.Image(0));
    EXPECT_FALSE(IsLiveGdiObject(old));
    DibCanvas target(8, 8, RGB(9, 9, 9)), untouched(8, 8, RGB(9, 9, 9));
    list.DrawBitmap(target.Dc(), 0, WBmpList::modeCopy, 0, 0);
    list.DrawBitmapPart(target.Dc(), 0, WBmpList::modeCopy, 0, 0, 4, 3, 0, 0, 4, 3);
    EXPECT_EQ("", target.Differences(untouched)) << "an entry without image draws nothing";

    DibCanvas picture(5, 6);
    std::string good = Save(picture, "good.bmp");
    EXPECT_EQ(0, list.ReplaceBitmapMaskedF(0, good.c_str(), RGB(0, 0, 0)));
    EXPECT_TRUE(IsLiveGdiObject(list.Image(0)));
    EXPECT_TRUE(IsLiveGdiObject(list.Mask(0)));

    // Replacing only the image keeps the mask; a mask that cannot load takes nothing with it.
    HBITMAP mask = list.Mask(0);
    EXPECT_EQ(0, list.ReplaceBitmapF(0, good.c_str(), nullptr));
    EXPECT_EQ(mask, list.Mask(0));
    EXPECT_EQ(-1, list.x_AddBitmap(program, good.c_str(), LR_LOADFROMFILE, Missing().c_str(),
                                   LR_LOADFROMFILE));
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(nullptr, list.Image(2)) << "nothing beyond the count holds a bitmap";

    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nCan't load image",
              ThrownText(list, [&] { list.ReplaceBitmapF(1, Missing().c_str(), nullptr); }));
    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nCan't load mask",
              ThrownText(list, [&] { list.ReplaceBitmapF(1, good.c_str(), Missing().c_str()); }));
    EXPECT_EQ("WBmpList::x_AddBitmap *** ERROR !\nName or identifier of image can't be NULL",
              ThrownText(list, [&] { list.x_AddBitmap(program, nullptr, 0, nullptr, 0); }));
    EXPECT_EQ(2, list.Count());
}

TEST_F(WBmpListStorage, BitmapsLoadFromModuleResources) {
    WBmpList list(1);
    EXPECT_EQ(-1, list.AddBitmap(31999)) << "the program carries no such bitmap";
    EXPECT_EQ(-1, list.AddBitmapMasked(31999, RGB(0, 0, 0)));
    ASSERT_EQ(0, list.x_AddBitmap(nullptr, MAKEINTRESOURCEA(oemCheckBitmap), 0, nullptr, 0));
    BITMAP info;
    ASSERT_TRUE(GetObjectA(list.Image(0), sizeof info, &info));
    EXPECT_GT(info.bmWidth, 0);

    EXPECT_EQ(0, list.ReplaceBitmapMasked(0, nullptr, oemCheckBitmap, RGB(255, 255, 255)));
    EXPECT_TRUE(IsLiveGdiObject(list.Mask(0)));
    EXPECT_EQ(0, list.ReplaceBitmap(0, nullptr, oemCheckBitmap, oemCheckBitmap));
    EXPECT_EQ(-1, list.ReplaceBitmap(0, program, 31999, 0));
    EXPECT_EQ(nullptr, list.Image(0));
}

} // namespace
