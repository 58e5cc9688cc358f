#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <string>

namespace {

const int oemCheckBitmap = 32760; // OBM_CHECK, carried by the system
const int absentBitmap = 31999;

bool IsLive(HGDIOBJ object) {
    return object && GetObjectType(object) != 0;
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

class WBmpListStorage : public GfxFixture {
protected:
    int AddFile(int times = 1) {
        int index = -1;
        while (times--)
            index = list.x_AddBitmap(nullptr, picture.c_str(), LR_LOADFROMFILE, nullptr, 0);
        return index;
    }

    std::string picture = Save(DibCanvas(4, 3, RGB(1, 2, 3)), "picture.bmp");
    std::string missing = folder.File("missing.bmp");
    WBmpList list{6};
};

TEST_F(WBmpListStorage, BlockHoldsAtLeastOneEntryGrowsByOneAndOwnsTheBitmaps) {
    EXPECT_EQ(1, WBmpList(-5).Capacity());
    EXPECT_EQ(5, AddFile(6));
    HBITMAP first = list.Image(0), sixth = list.Image(5);
    EXPECT_EQ(6, AddFile());
    EXPECT_EQ(7, list.Capacity());
    EXPECT_EQ(first, list.Image(0)) << "entries survive the block's move";
    // Shrinking below the count drops the entries that no longer fit, with their bitmaps.
    EXPECT_EQ(1, list.ReAlloc(5));
    EXPECT_EQ(5, list.Count());
    EXPECT_FALSE(IsLive(sixth));
    EXPECT_EQ(1, list.DeAlloc());
    EXPECT_FALSE(IsLive(first));
    EXPECT_EQ(-1, AddFile()) << "no block to append to";
    EXPECT_EQ(1, list.Alloc(2));
    EXPECT_EQ(0, AddFile());
}

TEST_F(WBmpListStorage, FailuresReturnTheirResultOrThrowTheirTextAndKeepOtherEntries) {
    AddFile(6);
    HBITMAP last = list.Image(5);
    EXPECT_EQ("0 WBmpList::Alloc(int size) *** ERROR !\nMemory already alloceted.",
              Failure(list, [&] { return list.Alloc(3); }));
    EXPECT_EQ("-1 WBmpList::ReplaceBitmap *** ERROR !\nIndex out of bounds.",
              Failure(list, [&] { return list.ReplaceBitmap(6, nullptr, oemCheckBitmap, 0); }));
    EXPECT_EQ(
        "-1 WBmpList::ReplaceBitmapMasked *** ERROR !\nIndex out of bounds.",
        Failure(list, [&] { return list.ReplaceBitmapMasked(6, nullptr, oemCheckBitmap, 0); }));
    EXPECT_EQ("-1 WBmpList::ReplaceBitmapF *** ERROR !\nIndex out of bounds.",
              Failure(list, [&] { return list.ReplaceBitmapF(-1, picture.c_str(), nullptr); }));
    EXPECT_EQ("-1 WBmpList::ReplaceBitmapMaskedF *** ERROR !\nIndex out of bounds.",
              Failure(list, [&] { return list.ReplaceBitmapMaskedF(6, picture.c_str(), 0); }));
    EXPECT_EQ(6, list.Count());
    EXPECT_EQ(last, list.Image(5));
    EXPECT_TRUE(IsLive(last));

    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nCan't load image",
              Failure(list, [&] { return list.AddBitmap(absentBitmap); }));
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nCan't load mask", Failure(list, [&] {
                  return list.x_AddBitmap(nullptr, picture.c_str(), LR_LOADFROMFILE,
                                          missing.c_str(), LR_LOADFROMFILE);
              }));
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nName or identifier of image can't be NULL",
              Failure(list, [&] { return list.x_AddBitmap(nullptr, nullptr, 0, nullptr, 0); }));
    EXPECT_EQ(6, list.Count());
    list.DeAlloc();
    EXPECT_EQ("0 WBmpList::DeAlloc() *** ERROR !\nMemory not allocated.",
              Failure(list, [&] { return list.DeAlloc(); }));
}

TEST_F(WBmpListStorage, FailedLoadLeavesAnEmptyEntryThatALaterReplacementFills) {
    AddFile();
    HBITMAP old = list.Image(0);
    EXPECT_EQ("-1 WBmpList::x_AddBitmap *** ERROR !\nCan't load image",
              Failure(list, [&] { return list.ReplaceBitmapF(0, missing.c_str(), nullptr); }));
    EXPECT_EQ(nullptr, list.Image(0));
    EXPECT_FALSE(IsLive(old));
    EXPECT_EQ(0, list.ReplaceBitmapMasked(0, nullptr, oemCheckBitmap, RGB(255, 255, 255)));
    HBITMAP mask = list.Mask(0);
    EXPECT_TRUE(IsLive(mask));
    EXPECT_EQ(0, list.ReplaceBitmapF(0, picture.c_str(), nullptr));
    EXPECT_EQ(mask, list.Mask(0)) << "a mask that is not replaced stays";
}

} // namespace
