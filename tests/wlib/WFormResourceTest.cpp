#include "wlib/WDialog.h"
#include "wlib/WFont.h"
#include "wlib/WForm.h"
#include "wlib/WTooltip.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    return ++*reinterpret_cast<int*>(count) > 0;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A form with a child, a tip and a timer, a tooltip without a parent, a modeless dialog and a
// font: every kind of handle the window toolkit takes, given back. The fonts are checked on
// the way (a negative height asks for the character height).
TEST(Handles, FormsDialogsFontsAndTooltipsGiveBackWhatTheyTake) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    PumpMessages();
    const int windowsBefore = ThreadWindowCount();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    HFONT fonts[16];
    for (int flags = 0; flags < 16; flags++) {
        const std::string className = "WFormResourceTest" + std::to_string(flags);
        WForm form;
        form.Create(className.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, 0, "", WS_POPUP,
                    0, 0, 100, 50, nullptr);
        WControl child;
        child.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 5, 5, 20, 20, form.hwnd, nullptr,
                                     nullptr, nullptr);
        WTooltip tip(form.hwnd), parentless(nullptr);
        child.SetTooltip(&tip, "tip");
        form.SetTimer(1, 1000);
        DestroyWindow(form.hwnd);
        UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
        WDialog dialog;
        dialog.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
        ASSERT_TRUE(dialog.hwnd);

        WFont font(8 + flags, flags, "Arial");
        LOGFONTA made = {};
        ASSERT_TRUE(GetObjectA(fonts[flags] = font.handle, sizeof(made), &made));
        EXPECT_EQ(-MulDiv(8 + flags, pixelsPerInch, 72), made.lfHeight);
        EXPECT_EQ(flags & WFont::bold ? FW_BOLD : FW_NORMAL, made.lfWeight);
        EXPECT_EQ(flags & WFont::italic ? 1 : 0, made.lfItalic);
        EXPECT_EQ(flags & WFont::underline ? 1 : 0, made.lfUnderline);
        EXPECT_EQ(flags & WFont::strikeOut ? 1 : 0, made.lfStrikeOut);
    }
    PumpMessages();
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
    for (HFONT font : fonts)
        EXPECT_EQ(0u, GetObjectType(font));
    // Wine counts no GDI objects here (0 before and after); Windows does.
    EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

} // namespace
