#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"

#include "GfxFixture.h"

#include <vector>

namespace {

// GetGuiResources answers 0 under Wine, so the GDI objects are counted another way: the
// number of further objects the process can still make before the platform refuses.
size_t FreeGdiHandleSlots() {
    std::vector<HBITMAP> made;
    made.reserve(70000);
    while (made.size() < 200000) {
        HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
        if (!bitmap) break;
        made.push_back(bitmap);
    }
    for (HBITMAP bitmap : made)
        DeleteObject(bitmap);
    return made.size();
}

class HandleHygiene : public GfxFixture {
protected:
    void SetUp() override {
        DibCanvas picture(16, 11);
        picture.Paint([](int x, int y) { return (x + y) % 3 ? Distinct(x, y) : RGB(0, 0, 0); });
        path = Save(picture, "glyphs.bmp");
        missing = folder.File("missing.bmp");
    }

    // Every way of loading, replacing, failing and drawing, once.
    void ExerciseEverything() {
        HINSTANCE program = GetModuleHandleA(nullptr);
        WBmpList list(1);
        list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, RGB(0, 0, 0));
        list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, path.c_str(), LR_LOADFROMFILE);
        list.x_AddBitmap(program, path.c_str(), LR_LOADFROMFILE, missing.c_str(), LR_LOADFROMFILE);
        list.ReplaceBitmapMaskedF(1, path.c_str(), RGB(0, 0, 0));
        list.ReplaceBitmapF(1, path.c_str(), path.c_str());
        list.ReplaceBitmapF(1, missing.c_str(), nullptr);
        list.ReplaceBitmapF(1, path.c_str(), nullptr);
        list.ReplaceBitmap(1, nullptr, 32760, 0); // a system bitmap
        list.throwErrors = 1;
        try {
            list.ReplaceBitmapF(0, path.c_str(), missing.c_str());
        } catch (const char*) {
        }
        list.throwErrors = 0;
        list.ReplaceBitmapMaskedF(0, path.c_str(), RGB(0, 0, 0));

        DibCanvas target(40, 30);
        for (int mode = 0; mode < 3; mode++) {
            list.DrawBitmap(target.Dc(), 0, mode, 1, 1);
            list.DrawBitmapPart(target.Dc(), 0, mode, 0, 0, 30, 20, 2, 2, 5, 5);
            list.DrawBitmapFrom(target.Dc(), 0, mode, {3, 3, 10, 10}, 2, 1, 1);
            list.TileBitmap(target.Dc(), 0, mode, {0, 0, 37, 29}, {1, 1, 6, 4});
        }
        WBmpFont font(&list, 0, "04 abcd\n04 efgh", 5);
        font.DrawString(target.Dc(), "bad cafe", 0, 0, 40, 30, 0, 1);
        font.DrawString(target.Dc(), "bad cafe", 0, 0, 40, 30, 1, 1);
        font.DrawString(target.Dc(), "bad cafe", 0, 0, 10, 3, 0, 0);
        HBITMAP image = static_cast<HBITMAP>(
            LoadImageA(program, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        DeleteObject(WBmpList::CreateMask(image, RGB(0, 0, 0)));
        DeleteObject(image);
    }

    std::string path, missing;
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
