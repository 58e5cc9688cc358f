#include "wlib/WDialog.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

using kit::Call;
const int finishId = 999, editId = 101; // a command the dialogs answer by closing; the edit

// Records its slots; leaves Enter and Escape to the base class unless told otherwise. A modal
// one posts itself Enter, Escape and then the finishing command: the modal loop turns the
// keys into IDOK and IDCANCEL, and the command shows whether it is still open.
class RecordingDialog : public WDialog {
public:
    kit::Log log;
    bool handlesOkCancel = true;
    bool nestOnDestroy = false; // OnDestroy sends WM_COMMAND 42 to its own window

    int Note(const std::string& call) { return log.push_back(call), 1; }
    int OnInitDialog() override {
        HWND edit = GetDlgItem(hwnd, editId);
        for (WPARAM key : {VK_RETURN, VK_ESCAPE})
            if (!modeless) PostMessageA(edit, WM_KEYDOWN, key, 1);
        if (!modeless) PostMessageA(hwnd, WM_COMMAND, finishId, 0);
        return SetFocus(edit), 0;
    }
    int OnDestroy() override {
        if (nestOnDestroy) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return Note("Destroy()");
    }
    int OnOK() override { return handlesOkCancel ? Note("OK()") : WDialog::OnOK(); }
    int OnCancel() override { return handlesOkCancel ? Note("Cancel()") : WDialog::OnCancel(); }
    int OnCommand(int notification, int id, HWND control) override {
        if (id == editId) return 0; // its focus notifications
        if (id == finishId) Close();
        return Note(Call("Command", notification, id, control));
    }
};

TEST(WDialog, EnterAndEscapeReachOnOkAndOnCancelWhichCloseNothingByDefault) {
    for (bool handles : {true, false}) {
        RecordingDialog dialog;
        dialog.handlesOkCancel = handles;
        dialog.Show(GetModuleHandleA(nullptr), 0, "WLIBTEST_DIALOG", nullptr);
        kit::Log expected = {Call("Command", 0, finishId, 0), "Destroy()"};
        if (handles) expected.insert(expected.begin(), {"OK()", "Cancel()"});
        EXPECT_EQ(expected, dialog.log);
    }
}

// A dying dialog keeps receiving messages after WM_DESTROY took its property away; none of
// them may reach another dialog object, here one whose template could not be loaded, nor come
// back to itself. A notification other than 0 from the OK button is an ordinary command.
TEST(WDialog, CommandsCaptureLifetimeAndLateMessages) {
    RecordingDialog dying, waiting;
    dying.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
    HWND dyingWindow = dying.hwnd, ok = GetDlgItem(dying.hwnd, IDOK);
    ASSERT_EQ(&dying, WControl::FromHandle(dyingWindow));
    SetCapture(dyingWindow);
    auto procedure = (DLGPROC)GetWindowLongPtrA(dyingWindow, DWLP_DLGPROC);
    EXPECT_EQ(1, procedure(dyingWindow, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    dying.log.clear();
    SendMessageA(dyingWindow, WM_COMMAND, IDOK, 0);
    SendMessageA(dyingWindow, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dyingWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), (LPARAM)ok);
    SendMessageA(dyingWindow, WM_COMMAND, MAKEWPARAM(700, 5), (LPARAM)ok);
    dying.nestOnDestroy = true;
    waiting.Show(GetModuleHandleA(nullptr), 0, "NO_SUCH_TEMPLATE", nullptr);
    waiting.Show(GetModuleHandleA(nullptr), 1, "NO_SUCH_TEMPLATE", nullptr);
    dying.Close(); // modeless: destroyed at once
    EXPECT_FALSE(IsWindow(dyingWindow));
    EXPECT_EQ(kit::Log({"OK()", "Cancel()", Call("Command", BN_SETFOCUS, IDOK, ok),
                        Call("Command", 5, 700, ok), "Destroy()"}),
              dying.log);
    EXPECT_EQ(kit::Log(), waiting.log);
    EXPECT_EQ(nullptr, waiting.hwnd);
}

} // namespace
