#include "app/WApp.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND MakeModelessDialog() {
    // An in-memory template: no controls, no menu, default class, empty title.
    struct {
        DLGTEMPLATE head;
        WORD menu, windowClass, title;
    } dialogTemplate = {{WS_POPUP, 0, 0, 0, 0, 50, 20}, 0, 0, 0};
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.head, nullptr,
                                      EmptyDialogProc, 0);
}

TEST(WApp, SplitsModulePathIntoFolderAndFileName) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    EXPECT_STREQ("test_app.exe", app.fileName);
    ASSERT_GT(strlen(app.folder), 2u);
    EXPECT_NE('\\', app.folder[strlen(app.folder) - 1]);
}

TEST(WApp, RemoveDialogOfTheMiddleKeepsTheOthersInOrder) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    HWND a = (HWND)0x10, b = (HWND)0x20, c = (HWND)0x30;
    app.AddDialog(a);
    app.AddDialog(b);
    app.AddDialog(c);
    app.RemoveDialog(b);
    ASSERT_EQ(2, app.dialogCount);
    EXPECT_EQ(a, app.dialogs[0]);
    EXPECT_EQ(c, app.dialogs[1]);
    app.RemoveDialog((HWND)0x99); // not registered: nothing changes
    EXPECT_EQ(2, app.dialogCount);
}

TEST(WApp, AddDialogRefusesPastItsTable) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    for (int i = 0; i < WApp::maxDialogs; i++) EXPECT_EQ(1, app.AddDialog((HWND)(INT_PTR)(i + 1)));
    EXPECT_EQ(0, app.AddDialog((HWND)0x999));
    EXPECT_EQ(WApp::maxDialogs, app.dialogCount);
}

TEST(WApp, DestroyedDialogNoLongerReceivesMessages) {
    WApp app(GetModuleHandleA(nullptr), "", SW_SHOW);
    HWND window = MakeModelessDialog();
    ASSERT_TRUE(window);
    app.AddDialog(window);
    MSG msg = {window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(1, app.RouteDialogMessage(&msg));
    DestroyWindow(window);
    EXPECT_EQ(0, app.RouteDialogMessage(&msg));
}

} // namespace
