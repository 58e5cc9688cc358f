#include "wlib/ControlTestKit.h"
#include "wlib/WDialog.h"
#include "wlib/WForm.h"

#include <gtest/gtest.h>

namespace {

using kit::Call;

// Records the slots the dispatch calls, with their arguments. OnButtonUp and OnPaint then
// run the base class's default handling, whose side effects the tests watch.
class RecordingForm final : public WForm {
public:
    kit::Log log;
    LRESULT createResult = 0;
    const char* createThrows = nullptr;
    UINT nestIn = 0; // the slot of this message first sends WM_COMMAND 42 to its own window

    template <typename... Args> LRESULT Note(const char* slot, Args... args) {
        log.push_back(Call(slot, args...));
        if (current.message == nestIn) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return 0;
    }
    LRESULT OnCreate() override { // the form has its hwnd, the window no property yet
        Note("Create", current.message, FromHandle(hwnd));
        if (createThrows) throw createThrows;
        return createResult;
    }
    LRESULT OnButtonUp(WPARAM k, int x, int y) override {
        return Note("ButtonUp", k, x, y), WForm::OnButtonUp(k, x, y);
    }
    LRESULT OnPaint() override { return Note("Paint"), WForm::OnPaint(); }
    LRESULT OnButtonDown(WPARAM k, int x, int y) override { return Note("ButtonDown", k, x, y); }
    LRESULT OnDoubleClick(WPARAM k, int x, int y) override { return Note("DoubleClick", k, x, y); }
    LRESULT OnMouseMove(WPARAM k, int x, int y) override { return Note("MouseMove", k, x, y); }
    LRESULT OnContextMenu(int x, int y, HWND w) override { return Note("ContextMenu", x, y, w); }
    LRESULT OnCommand(int code, int id, HWND c) override { return Note("Command", code, id, c); }
    LRESULT OnHScroll(int i, int r, int p, HWND c) override { return Note("HScroll", i, r, p, c); }
    LRESULT OnDestroy() override { return Note("Destroy"); }
};

// Registers a class of the name and makes the window: "" when it is there, else the text thrown.
std::string Make(RecordingForm& form, const char* className, DWORD style = WS_POPUP) {
    try {
        form.Create(className, nullptr, nullptr, nullptr, nullptr, nullptr, 0, "", style, 100, 100,
                    200, 150, nullptr);
    } catch (const char* text) {
        return text;
    }
    form.log.clear();
    return "";
}

// One right click gives one context menu, between the press and the release; the halves of
// lParam are unsigned.
TEST(WForm, SlotsDecodeTheirArguments) {
    RecordingForm form;
    ASSERT_EQ("", Make(form, "WFormSlots"));
    EXPECT_TRUE(GetClassLongPtrA(form.hwnd, GCL_STYLE) & CS_DBLCLKS);
    HWND slider = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD, 0, 0, 100, 10, form.hwnd,
                                  (HMENU)202, nullptr, nullptr);
    SendMessageA(form.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(3, 4));
    SendMessageA(form.hwnd, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-1, -2));
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(1005, 3), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_CONTEXTMENU, (WPARAM)slider, MAKELPARAM(-1, -1));
    EXPECT_EQ(
        kit::Log({Call("ButtonDown", MK_RBUTTON, 10, 20), Call("ContextMenu", 110, 120, form.hwnd),
                  Call("ButtonUp", 0, 10, 20), Call("DoubleClick", MK_MBUTTON, 3, 4),
                  Call("MouseMove", MK_SHIFT, 65535, 65534), Call("Command", 3, 1005, slider),
                  Call("HScroll", 202, SB_THUMBTRACK, 40, slider),
                  Call("ContextMenu", 65535, 65535, slider)}),
        form.log);
    DestroyWindow(form.hwnd);
}

// OnCreate runs inside WM_CREATE before the property exists. A slot that sends a message to
// its own window still hands its own message on: here WM_PAINT, which DefWindowProcA
// validates. The window's last message, after WM_DESTROY took the property, still finds its
// form, but never another form merely waiting.
TEST(WForm, CreationNestedMessagesAndTheLastMessagesOfAWindow) {
    RecordingForm form, dying, waiting;
    form.createResult = -1;
    EXPECT_EQ("Can't create window", Make(form, "WFormFails"));
    EXPECT_EQ(kit::Log({Call("Create", WM_CREATE, 0)}), form.log);
    // A text thrown in OnCreate refuses the window and comes out of Create, not through the
    // platform's frames.
    form.createThrows = "WBmpList::Alloc(int size) *** ERROR !\nOut of memory.";
    EXPECT_EQ(form.createThrows, Make(form, "WFormThrows"));
    EXPECT_EQ(nullptr, form.hwnd);
    form.createThrows = nullptr;
    form.createResult = 0;
    ASSERT_EQ("", Make(form, "WFormLives", WS_POPUP | WS_VISIBLE)); // hidden is never painted
    EXPECT_EQ(&form, WControl::FromHandle(form.hwnd));
    form.nestIn = WM_PAINT;
    InvalidateRect(form.hwnd, nullptr, FALSE);
    UpdateWindow(form.hwnd);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
    form.nestIn = WM_DESTROY;
    DestroyWindow(form.hwnd);
    const std::string nested = Call("Command", 0, 42, 0);
    EXPECT_EQ(kit::Log({Call("Paint"), nested, Call("Destroy"), nested}), form.log);

    dying.nestIn = WM_DESTROY;
    ASSERT_EQ("", Make(dying, "WFormDying"));
    EXPECT_EQ("Can't register class", Make(waiting, "WFormDying"));
    DestroyWindow(dying.hwnd);
    EXPECT_EQ(kit::Log({Call("Destroy")}), dying.log);
    EXPECT_EQ(kit::Log(), waiting.log);
}

const int finishId = 999, editId = 101; // a command the dialogs answer by closing; the edit

// Records its slots; leaves Enter and Escape to the base class unless told otherwise. A modal
// one posts itself Enter, Escape and then the finishing command: the modal loop turns the
// keys into IDOK and IDCANCEL, and the command shows whether it is still open.
class RecordingDialog : public WDialog {
public:
    kit::Log log;
    bool handlesOkCancel = true, nestOnDestroy = false; // the latter: OnDestroy sends 42

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

TEST(WDialog, EnterAndEscapeCloseNothingByDefault) {
    RecordingDialog dialog;
    dialog.handlesOkCancel = false;
    dialog.Show(GetModuleHandleA(nullptr), 0, "WLIBTEST_DIALOG", nullptr);
    EXPECT_EQ(kit::Log({Call("Command", 0, finishId, 0), "Destroy()"}), dialog.log);
}

// A dying dialog keeps receiving messages after WM_DESTROY took its property away; none of
// them may reach another dialog object, here one whose template could not be loaded, nor come
// back to itself. A notification other than 0 from the OK button is an ordinary command.
TEST(WDialog, CommandsAndLateMessages) {
    RecordingDialog dying, waiting;
    dying.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
    HWND dyingWindow = dying.hwnd, ok = GetDlgItem(dying.hwnd, IDOK);
    SendMessageA(dyingWindow, WM_COMMAND, IDOK, 0);
    SendMessageA(dyingWindow, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dyingWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), (LPARAM)ok);
    dying.nestOnDestroy = true;
    waiting.Show(GetModuleHandleA(nullptr), 1, "NO_SUCH_TEMPLATE", nullptr);
    dying.Close(); // modeless: destroyed at once
    EXPECT_EQ(kit::Log({"OK()", "Cancel()", Call("Command", BN_SETFOCUS, IDOK, ok), "Destroy()"}),
              dying.log);
    EXPECT_EQ(kit::Log(), waiting.log);
}

} // namespace
