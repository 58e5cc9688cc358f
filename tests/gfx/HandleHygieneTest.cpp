#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <vector>

namespace {

// GetGuiResources answers 0 under Wine, so the GDI objects are counted another way: the
// number of further objects the process can still make before the platform refuses.
size_t FreeGdiHandleSlots() {
    std::vector<HBITMAP> made;
    for (HBITMAP bitmap; made.size() < 200000 && (bitmap = CreateBitmap(4, 4, 1, 1, nullptr));)
        made.push_back(bitmap);
    for (HBITMAP bitmap : made)
        DeleteObject(bitmap);
    return made.size();
}

class HandleHygiene : public GfxFixture {
protected:
    // Every way of loading, replacing, failing and drawing, once.
    void ExerciseEverything() {
        const char *image = path.c_str(), *absent = missing.c_str();
        WBmpList list(1);
        list.x_AddBitmap(nullptr, image, LR_LOADFROMFILE, RGB(9, 9, 9));
        list.x_AddBitmap(nullptr, image, LR_LOADFROMFILE, image, LR_LOADFROMFILE);
        list.x_AddBitmap(nullptr, image, LR_LOADFROMFILE, absent, LR_LOADFROMFILE);
        list.ReplaceBitmapF(1, absent, nullptr);
        list.throwErrors = 1;
        try {
            list.ReplaceBitmapF(0, image, absent);
        } catch (const char*) {
        }
        list.throwErrors = 0;
        list.ReplaceBitmapMaskedF(0, image, RGB(9, 9, 9));

        DibCanvas target(40, 30);
        for (int mode = 0; mode < 3; mode++) {
            list.DrawBitmapPart(target.Dc(), 0, mode, 0, 0, 30, 20, 2, 2, 5, 5);
            list.TileBitmap(target.Dc(), 0, mode, {0, 0, 37, 29}, {1, 1, 6, 4});
        }
        WBmpFont font(&list, 0, "04 abcd\n04 efgh", 5);
        for (int stretch = 0; stretch < 2; stretch++)
            for (int transparent = 0; transparent < 2; transparent++)
                font.DrawString(target.Dc(), "bad cafe", 0, 0, 10, 30, stretch, transparent);
    }

    std::string path = Save(DibCanvas(16, 11, RGB(9, 9, 9)), "glyphs.bmp");
    std::string missing = folder.File("missing.bmp");
};

TEST_F(HandleHygiene, LoadingReplacingAndDrawingReleaseEveryGdiObject) {
    ExerciseEverything(); // the platform's own first-use objects are made here
    size_t before = FreeGdiHandleSlots();
    ASSERT_GT(before, 1000u);
    for (int round = 0; round < 20; round++)
        ExerciseEverything();
    EXPECT_EQ(before, FreeGdiHandleSlots());
}

} // namespace
