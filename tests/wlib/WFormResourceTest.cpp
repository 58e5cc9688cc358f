#include "wlib/WDialog.h"
#include "wlib/WFont.h"
#include "wlib/WForm.h"
#include "wlib/WTooltip.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WFont, PointSizeBecomesACharacterHeightForTheScreen) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    WFont bold(10, WFont::bold, "Arial");
    LOGFONTA font = {};
    ASSERT_TRUE(GetObjectA(bold.handle, sizeof(font), &font));
    EXPECT_EQ(-MulDiv(10, pixelsPerInch, 72), font.lfHeight);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_STREQ("Arial", font.lfFaceName);

    WFont styled(8, WFont::italic | WFont::underline | WFont::strikeOut, "Arial");
    ASSERT_TRUE(GetObjectA(styled.handle, sizeof(font), &font));
    EXPECT_EQ(-MulDiv(8, pixelsPerInch, 72), font.lfHeight);
    EXPECT_EQ(FW_NORMAL, font.lfWeight);
    EXPECT_TRUE(font.lfItalic && font.lfUnderline && font.lfStrikeOut);

    WFont standard;
    EXPECT_EQ(GetStockObject(ANSI_VAR_FONT), standard.handle);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

DWORD GuiObjects(DWORD kind) {
    return GetGuiResources(GetCurrentProcess(), kind);
}

void CreateUseAndDestroyAForm(int serial) {
    const std::string className = "WFormResourceTest" + std::to_string(serial);
    WForm form;
    form.Create(className.c_str(), nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                (HBRUSH)GetStockObject(WHITE_BRUSH), nullptr, 0, "", WS_POPUP, 0, 0, 100, 50,
                nullptr);
    WControl child;
    child.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 5, 5, 20, 20, form.hwnd, nullptr,
                                 nullptr, nullptr);
    WTooltip tip(form.hwnd);
    child.SetTooltip(&tip, "tip");
    form.SetTimer(1, 1000);
    DestroyWindow(form.hwnd);
    UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
}

void CreateAndDeleteADialog() {
    WDialog dialog;
    dialog.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
    ASSERT_TRUE(dialog.hwnd);
    WTooltip parentless(nullptr); // nothing else would ever destroy its window
}

// Windows are counted on this thread; GDI and USER objects by the platform where it counts
// them (Wine reports 0 for both, leaving the window and font checks).
TEST(Handles, FormsDialogsFontsAndTooltipsGiveBackWhatTheyTake) {
    PumpMessages();
    const int windowsBefore = ThreadWindowCount();
    const DWORD gdiBefore = GuiObjects(GR_GDIOBJECTS), userBefore = GuiObjects(GR_USEROBJECTS);
    std::vector<HFONT> fonts;
    for (int i = 0; i < 40; i++) {
        {
            WFont font(8 + i % 5, i & 15, "Arial");
            ASSERT_TRUE(font.handle);
            fonts.push_back(font.handle);
        }
        CreateUseAndDestroyAForm(i);
        CreateAndDeleteADialog();
    }
    PumpMessages();
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
    for (HFONT font : fonts)
        EXPECT_EQ(0u, GetObjectType(font));
    EXPECT_EQ(gdiBefore, GuiObjects(GR_GDIOBJECTS));
    EXPECT_EQ(userBefore, GuiObjects(GR_USEROBJECTS));
}

} // namespace
