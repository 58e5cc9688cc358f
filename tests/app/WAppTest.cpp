#include "app/WApp.h"

#include <gtest/gtest.h>

namespace {

TEST(WApp, RoutesToLiveDialogsOfAFullTableAndRemovesFromTheMiddle) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    HWND window =
        CreateWindowA("#32770", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(1, app.AddDialog(window) && window);
    for (int i = 2; i <= WApp::maxDialogs; i++)
        EXPECT_EQ(1, app.AddDialog((HWND)(INT_PTR)i));
    EXPECT_EQ(0, app.AddDialog((HWND)0x999)); // the table is full
    MSG msg = {window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(1, app.RouteDialogMessage(&msg));

    app.RemoveDialog((HWND)3);
    app.RemoveDialog((HWND)0x999); // not registered: nothing changes
    ASSERT_EQ(WApp::maxDialogs - 1, app.dialogCount);
    EXPECT_EQ((HWND)4, app.dialogs[2]);
    DestroyWindow(window);
    EXPECT_EQ(0, app.RouteDialogMessage(&msg)); // a destroyed dialog receives nothing
}

} // namespace
