#include "wlib/WForm.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

using kit::Call;

// Records the slots the dispatch calls, with their arguments. OnButtonUp and OnPaint then
// run the base class's default handling, whose side effects the tests watch.
class RecordingForm final : public WForm {
public:
    kit::Log log;
    LRESULT createResult = 0;
    UINT nestIn = 0; // the slot of this message first sends WM_COMMAND 42 to its own window

    ~RecordingForm() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    template <typename... Args> LRESULT Note(const char* slot, Args... args) {
        log.push_back(Call(slot, args...));
        if (current.message == nestIn) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return 0;
    }
    LRESULT OnCreate() override { // the form has its hwnd, the window no property yet
        return Note("Create", current.message, FromHandle(hwnd)), createResult;
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
    LRESULT OnTrayNotify(LPARAM m, WPARAM id) override { return Note("TrayNotify", m, id); }
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
// lParam are unsigned; WM_CANCELMODE only lets the capture go.
TEST(WForm, SlotsDecodeTheirArguments) {
    RecordingForm form;
    ASSERT_EQ("", Make(form, "WFormSlots"));
    EXPECT_TRUE(GetClassLongPtrA(form.hwnd, GCL_STYLE) & CS_DBLCLKS);
    HWND slider = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD, 0, 0, 100, 10, form.hwnd,
                                  (HMENU)202, nullptr, nullptr);
    SetCapture(form.hwnd);
    EXPECT_EQ(0, SendMessageA(form.hwnd, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    SendMessageA(form.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(3, 4));
    SendMessageA(form.hwnd, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-1, -2));
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(1005, 3), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 9), 0); // its own scroll bar
    SendMessageA(form.hwnd, WM_CONTEXTMENU, (WPARAM)slider, MAKELPARAM(-1, -1));
    SendMessageA(form.hwnd, WForm::trayMessage, 7, WM_RBUTTONUP);
    EXPECT_EQ(
        kit::Log({Call("ButtonDown", MK_RBUTTON, 10, 20), Call("ContextMenu", 110, 120, form.hwnd),
                  Call("ButtonUp", 0, 10, 20), Call("DoubleClick", MK_MBUTTON, 3, 4),
                  Call("MouseMove", MK_SHIFT, 65535, 65534), Call("Command", 3, 1005, slider),
                  Call("HScroll", 202, SB_THUMBTRACK, 40, slider),
                  Call("HScroll", 0, SB_ENDSCROLL, 9, 0), Call("ContextMenu", 65535, 65535, slider),
                  Call("TrayNotify", WM_RBUTTONUP, 7)}),
        form.log);
    const std::string longTip(99, 'x'); // cut to the 63 characters every shell accepts
    EXPECT_EQ(longTip.substr(0, 63), form.TrayIconData(1, nullptr, longTip.c_str()).szTip);
}

// OnCreate runs inside WM_CREATE before the property exists. A slot that sends a message to
// its own window still hands its own message on: here WM_PAINT, which DefWindowProcA
// validates. The window's last message, after WM_DESTROY took the property, still finds its
// form, but never another form merely waiting.
TEST(WForm, CreationNestedMessagesAndTheLastMessagesOfAWindow) {
    RecordingForm form, dying, waiting;
    form.createResult = -1;
    EXPECT_EQ("Can't create window", Make(form, "WFormFails"));
    EXPECT_EQ(kit::Log({Call("Create", WM_CREATE, 0)}), kit::Only(form.log, {"Create"}));
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
    EXPECT_EQ(kit::Log({Call("Paint"), nested, Call("Destroy"), nested}),
              kit::Only(form.log, {"Paint", "Destroy", "Command"}));

    dying.nestIn = WM_DESTROY;
    ASSERT_EQ("", Make(dying, "WFormDying"));
    EXPECT_EQ("Can't register class", Make(waiting, "WFormDying"));
    DestroyWindow(dying.hwnd);
    EXPECT_EQ(kit::Log({Call("Destroy")}), dying.log);
    EXPECT_EQ(kit::Log(), waiting.log);
    EXPECT_EQ(nullptr, waiting.hwnd);
}

} // namespace
