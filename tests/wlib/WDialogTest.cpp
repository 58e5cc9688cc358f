#include "wlib/WDialog.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

namespace {

const char templateName[] = "WLIBTEST_DIALOG";
const int finishId = 999; // a command the test dialogs answer by closing
const int editId = 101;

// Records its slots; leaves Enter and Escape to the base class unless told otherwise.
class RecordingDialog : public WDialog {
public:
    MessageLog log;
    bool handlesOkCancel = true;
    bool nestOnDestroy = false; // OnDestroy sends WM_COMMAND 42 to its own window

    template <typename... Args> int Note(const char* slot, Args... args) {
        log.push_back(Call(slot, args...));
        return 1;
    }
    int OnInitDialog() override { return PressKeys(), Note("InitDialog"); }
    int OnDestroy() override {
        if (nestOnDestroy) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return Note("Destroy");
    }
    int OnOK() override { return handlesOkCancel ? Note("OK") : WDialog::OnOK(); }
    int OnCancel() override { return handlesOkCancel ? Note("Cancel") : WDialog::OnCancel(); }
    int OnCommand(int notification, int id, HWND control) override {
        if (id == editId) return 0; // its focus notifications
        if (id == finishId) Close();
        return Note("Command", notification, id, control);
    }

private:
    // A modal dialog posts itself Enter, Escape and then the finishing command: the modal loop
    // turns the keys into IDOK and IDCANCEL, and the command shows whether it is still open.
    void PressKeys() {
        if (modeless) return;
        HWND edit = GetDlgItem(hwnd, editId);
        SetFocus(edit);
        for (WPARAM key : {VK_RETURN, VK_ESCAPE})
            PostMessageA(edit, WM_KEYDOWN, key, 1);
        PostMessageA(hwnd, WM_COMMAND, finishId, 0);
    }
};

TEST(WDialog, EnterAndEscapeReachOnOkAndOnCancelWhichCloseNothingByDefault) {
    for (bool handles : {true, false}) {
        RecordingDialog dialog;
        dialog.handlesOkCancel = handles;
        dialog.Show(GetModuleHandleA(nullptr), 0, templateName, nullptr);
        MessageLog expected = {Call("Command", 0, finishId, 0), Call("Destroy")};
        if (handles) expected.insert(expected.begin(), {Call("OK"), Call("Cancel")});
        EXPECT_EQ(expected, Only(dialog.log, {"OK", "Cancel", "Command", "Destroy"}));
    }
}

// A dying dialog keeps receiving messages after WM_DESTROY took its property away; none of
// them may reach another dialog object, here one whose template could not be loaded, nor come
// back to itself.
TEST(WDialog, CommandsCaptureLifetimeAndLateMessages) {
    RecordingDialog dying, waiting;
    dying.Show(GetModuleHandleA(nullptr), 1, templateName, nullptr);
    HWND dyingWindow = dying.hwnd, ok = GetDlgItem(dying.hwnd, IDOK);
    ASSERT_EQ(&dying, WControl::FromHandle(dyingWindow));
    SetCapture(dyingWindow);
    auto procedure = (DLGPROC)GetWindowLongPtrA(dyingWindow, DWLP_DLGPROC);
    EXPECT_EQ(1, procedure(dyingWindow, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    dying.log.clear();
    SendMessageA(dyingWindow, WM_COMMAND, IDOK, 0);
    SendMessageA(dyingWindow, WM_COMMAND, IDCANCEL, 0);
    // A notification other than 0 from the OK button is an ordinary command.
    SendMessageA(dyingWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), (LPARAM)ok);
    SendMessageA(dyingWindow, WM_COMMAND, MAKEWPARAM(700, 5), (LPARAM)ok);
    dying.nestOnDestroy = true;
    waiting.Show(GetModuleHandleA(nullptr), 0, "NO_SUCH_TEMPLATE", nullptr);
    waiting.Show(GetModuleHandleA(nullptr), 1, "NO_SUCH_TEMPLATE", nullptr);
    dying.Close(); // modeless: destroyed at once
    EXPECT_FALSE(IsWindow(dyingWindow));
    EXPECT_EQ(MessageLog({Call("OK"), Call("Cancel"), Call("Command", BN_SETFOCUS, IDOK, ok),
                          Call("Command", 5, 700, ok), Call("Destroy")}),
              dying.log);
    EXPECT_EQ(MessageLog(), waiting.log);
    EXPECT_EQ(nullptr, waiting.hwnd);
}

} // namespace
