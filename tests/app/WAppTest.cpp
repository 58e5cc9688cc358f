#include "app/WApp.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(WApp, RoutesToLiveDialogsOfAFullTableAndRemovesFromTheMiddle) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    // An in-memory template: no controls, no menu, default class, empty title.
    struct {
        DLGTEMPLATE head;
        WORD menu, windowClass, title;
    } dialogTemplate = {{WS_POPUP, 0, 0, 0, 0, 50, 20}, 0, 0, 0};
    HWND window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.head,
                                             nullptr, EmptyDialogProc, 0);
    ASSERT_TRUE(window);
    EXPECT_EQ(1, app.AddDialog(window));
    for (int i = 2; i <= WApp::maxDialogs; i++)
        EXPECT_EQ(1, app.AddDialog((HWND)(INT_PTR)i));
    EXPECT_EQ(0, app.AddDialog((HWND)0x999)); // the table is full
    MSG msg = {window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(1, app.RouteDialogMessage(&msg));

    app.RemoveDialog((HWND)3);
    app.RemoveDialog((HWND)0x999); // not registered: nothing changes
    ASSERT_EQ(WApp::maxDialogs - 1, app.dialogCount);
    EXPECT_EQ((HWND)2, app.dialogs[1]);
    EXPECT_EQ((HWND)4, app.dialogs[2]);
    EXPECT_EQ((HWND)WApp::maxDialogs, app.dialogs[WApp::maxDialogs - 2]);
    DestroyWindow(window);
    EXPECT_EQ(0, app.RouteDialogMessage(&msg)); // a destroyed dialog receives nothing
}

} // namespace
