#include "wlib/WDialog.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

namespace {

const char templateName[] = "WLIBTEST_DIALOG";
const int finishId = 999; // a command the test dialogs answer by closing
const int editId = 101;

// Records its slots; overrides OnOK and OnCancel only when asked, so that the base class's
// defaults can be seen too.
class RecordingDialog : public WDialog {
public:
    explicit RecordingDialog(bool handlesOkCancel = true) : handlesOkCancel(handlesOkCancel) {}

    MessageLog log;
    bool handlesOkCancel;
    void (*onInit)(RecordingDialog&) = nullptr;
    void (*onDestroy)(RecordingDialog&) = nullptr;

    int OnInitDialog() override {
        log.Add("OnInitDialog");
        if (onInit) onInit(*this);
        return 1;
    }
    int OnDestroy() override {
        log.Add("OnDestroy");
        if (onDestroy) onDestroy(*this);
        return 0;
    }
    int OnOK() override {
        if (!handlesOkCancel) return WDialog::OnOK();
        log.Add("OnOK");
        return 1;
    }
    int OnCancel() override {
        if (!handlesOkCancel) return WDialog::OnCancel();
        log.Add("OnCancel");
        return 1;
    }
    int OnCommand(int notification, int id, HWND control) override {
        if (id == editId) return 0; // its focus notifications
        log.Add("OnCommand", {notification, id, (INT_PTR)control});
        if (id == finishId) Close();
        return 1;
    }
    template <typename... Args> int Note(const char* slot, Args... args) {
        log.Add(slot, {(INT_PTR)args...});
        return 1;
    }
    int OnActivate() override { return Note("OnActivate"); }
    int OnDeactivate() override { return Note("OnDeactivate"); }
    int OnNotify(int id, NMHDR* header) override { return Note("OnNotify", id, header); }
    int OnSize(WPARAM type, int width, int height) override {
        return Note("OnSize", type, width, height);
    }
    int OnButtonDown(WPARAM keys, int x, int y) override {
        return Note("OnButtonDown", keys, x, y);
    }
};

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// The modal loop's keyboard handling turns Enter and Escape into IDOK and IDCANCEL; the
// finishing command then shows whether the dialog was still open.
void PressEnterEscapeThenFinish(RecordingDialog& dialog) {
    HWND edit = GetDlgItem(dialog.hwnd, editId);
    SetFocus(edit);
    PostKey(edit, VK_RETURN);
    PostKey(edit, VK_ESCAPE);
    PostMessageA(dialog.hwnd, WM_COMMAND, finishId, 0);
}

TEST(WDialog, EnterAndEscapeRunOnOkAndOnCancel) {
    RecordingDialog dialog;
    dialog.onInit = PressEnterEscapeThenFinish;
    dialog.Show(Module(), 0, templateName, nullptr);
    EXPECT_TRUE(dialog.log.Only({"OnInitDialog", "OnOK", "OnCancel", "OnCommand", "OnDestroy"})
                    .Matches({{"OnInitDialog"},
                              {"OnOK"},
                              {"OnCancel"},
                              {"OnCommand", {0, finishId, 0}},
                              {"OnDestroy"}}));
    EXPECT_FALSE(IsWindow(dialog.hwnd));
}

TEST(WDialog, BaseClassLeavesDialogOpenOnEnterAndEscape) {
    RecordingDialog dialog(false);
    dialog.onInit = PressEnterEscapeThenFinish;
    dialog.Show(Module(), 0, templateName, nullptr);
    // Only the finishing command closed it.
    EXPECT_TRUE(dialog.log.Only({"OnCommand", "OnDestroy"})
                    .Matches({{"OnCommand", {0, finishId, 0}}, {"OnDestroy"}}));
}

TEST(WDialog, CommandsAndOtherSlotsDecodeTheirArguments) {
    RecordingDialog dialog;
    dialog.Show(Module(), 1, templateName, nullptr);
    ASSERT_TRUE(dialog.hwnd);
    HWND ok = GetDlgItem(dialog.hwnd, IDOK);
    dialog.log.Clear();
    SendMessageA(dialog.hwnd, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog.hwnd, WM_COMMAND, IDCANCEL, 0);
    // A notification other than 0 from the OK button is an ordinary command.
    SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), (LPARAM)ok);
    SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(700, 5), (LPARAM)ok);
    NMHDR header = {ok, 55, 0};
    SendMessageA(dialog.hwnd, WM_NOTIFY, 55, (LPARAM)&header);
    SendMessageA(dialog.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    SendMessageA(dialog.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    SendMessageA(dialog.hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    SendMessageA(dialog.hwnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_TRUE(dialog.log.Matches({{"OnOK"},
                                    {"OnCancel"},
                                    {"OnCommand", {BN_SETFOCUS, IDOK, (INT_PTR)ok}},
                                    {"OnCommand", {5, 700, (INT_PTR)ok}},
                                    {"OnNotify", {55, (INT_PTR)&header}},
                                    {"OnSize", {SIZE_RESTORED, 300, 200}},
                                    {"OnButtonDown", {MK_LBUTTON, 65533, 7}},
                                    {"OnDeactivate"},
                                    {"OnActivate"}}));
}

TEST(WDialog, CancelModeReleasesCaptureAndReportsHandled) {
    RecordingDialog dialog;
    dialog.Show(Module(), 1, templateName, nullptr);
    ASSERT_TRUE(dialog.hwnd);
    SetCapture(dialog.hwnd);
    ASSERT_EQ(dialog.hwnd, GetCapture());
    auto procedure = (DLGPROC)GetWindowLongPtrA(dialog.hwnd, DWLP_DLGPROC);
    EXPECT_EQ(1, procedure(dialog.hwnd, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST(WDialog, CloseDestroysModelessDialogAtOnce) {
    RecordingDialog dialog;
    dialog.Show(Module(), 1, templateName, nullptr);
    ASSERT_TRUE(IsWindow(dialog.hwnd));
    EXPECT_EQ(&dialog, WControl::FromHandle(dialog.hwnd));
    dialog.log.Clear();
    dialog.Close();
    EXPECT_TRUE(dialog.log.Only({"OnDestroy"}).Matches({{"OnDestroy"}}));
    EXPECT_FALSE(IsWindow(dialog.hwnd));
}

TEST(WDialog, DeletingTheObjectDestroysItsWindow) {
    auto* dialog = new RecordingDialog;
    dialog->Show(Module(), 1, templateName, nullptr);
    HWND window = dialog->hwnd;
    ASSERT_TRUE(IsWindow(window));
    delete dialog;
    EXPECT_FALSE(IsWindow(window));
}

TEST(WDialog, MissingTemplateLeavesNoWindow) {
    RecordingDialog modeless, modal;
    modeless.Show(Module(), 1, "NO_SUCH_TEMPLATE", nullptr);
    EXPECT_EQ(nullptr, modeless.hwnd);
    modal.Show(Module(), 0, "NO_SUCH_TEMPLATE", nullptr);
    EXPECT_TRUE(modal.log.Entries().empty());
}

// A dying dialog keeps receiving messages after WM_DESTROY took its property away; none of
// them may reach another dialog object that is waiting to be shown.
TEST(WDialog, LateMessagesOfADestroyedDialogAttachToNoOtherDialog) {
    RecordingDialog dying;
    dying.onDestroy = [](RecordingDialog& self) {
        SendMessageA(self.hwnd, WM_COMMAND, MAKEWPARAM(42, 0), 0);
    };
    dying.Show(Module(), 1, templateName, nullptr);
    HWND dyingWindow = dying.hwnd;
    ASSERT_TRUE(dyingWindow);

    RecordingDialog waiting;
    DestroyWindow(dyingWindow);
    EXPECT_EQ(nullptr, waiting.hwnd);
    EXPECT_TRUE(waiting.log.Entries().empty()) << ToString(waiting.log.Entries());
    EXPECT_EQ(0, dying.log.Count("OnCommand"));

    waiting.Show(Module(), 1, templateName, nullptr);
    ASSERT_TRUE(waiting.hwnd);
    EXPECT_NE(dyingWindow, waiting.hwnd);
    EXPECT_EQ(&waiting, WControl::FromHandle(waiting.hwnd));
    EXPECT_EQ(1, waiting.log.Count("OnInitDialog"));
}

} // namespace
