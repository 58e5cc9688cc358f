// The built-in skin as the program carries it: its bitmaps are the files of the skin folder in
// the sources, at their sizes. That its records hold that folder's values, the text map among
// them, is the skin reader's test.
#include "support/BuiltinSkinFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(BuiltinSkin, BitmapsAreTheFilesOfTheSkinFolder) {
    const char* const names[] = {"main", "titlebar", "cbuttons", "scroll", "font", "playlist"};
    for (int slot = 0; slot < 6; slot++) {
        const std::string path =
            std::string(LVX_BUILTIN_SKIN_ROOT) + "\\builtin-skin\\" + names[slot] + ".bmp";
        HBITMAP file =
            HBITMAP(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        BITMAP info = {};
        ASSERT_TRUE(file && GetObjectA(file, sizeof info, &info)) << path;
        DeleteObject(file);
        const ResourcePixels resource(950 + slot);
        EXPECT_EQ(info.bmWidth, resource.width) << path;
        EXPECT_EQ(info.bmHeight, resource.height) << path;
    }
}

} // namespace
