#include "wlib/WForm.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Records the slots the dispatch calls, with their arguments. OnButtonUp and OnPaint then
// run the base class's default handling, whose side effects the tests watch.
class RecordingForm final : public WForm {
public:
    MessageLog log;
    LRESULT createResult = 0;
    WControl* propertyAtCreate = this;
    UINT nestIn = 0; // the slot of this message first sends WM_COMMAND 42 to its own window

    ~RecordingForm() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    template <typename... Args> LRESULT Note(const char* slot, Args... args) {
        log.Add(slot, {(INT_PTR)args...});
        if (current.message == nestIn) SendMessageA(hwnd, WM_COMMAND, 42, 0);
        return 0;
    }
    LRESULT OnCreate() override {
        propertyAtCreate = FromHandle(hwnd);
        return Note("Create", current.message), createResult;
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
    LRESULT OnTimer(WPARAM id) override { return Note("Timer", id); }
    LRESULT OnDestroy() override { return Note("Destroy"); }
};

// Each form gets a class of its own unless told: Create registers one on every call.
std::string Make(RecordingForm& form, DWORD style = WS_POPUP, std::string name = "") {
    static int serial = 0;
    if (name.empty()) name = "WFormTest" + std::to_string(++serial);
    form.Create(name.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, 0, "", style, 100, 100,
                200, 150, nullptr);
    form.log.Clear();
    return name;
}

// One right click gives one context menu, between the press and the release; the halves of
// lParam are unsigned; WM_CANCELMODE only lets the capture go.
TEST(WForm, SlotsDecodeTheirArguments) {
    RecordingForm form;
    Make(form);
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
    PostMessageA(form.hwnd, 0x83FF, 7, WM_RBUTTONUP);
    PumpMessages();
    EXPECT_TRUE(form.log.Matches({{"ButtonDown", {MK_RBUTTON, 10, 20}},
                                  {"ContextMenu", {110, 120, (INT_PTR)form.hwnd}},
                                  {"ButtonUp", {0, 10, 20}},
                                  {"DoubleClick", {MK_MBUTTON, 3, 4}},
                                  {"MouseMove", {MK_SHIFT, 65535, 65534}},
                                  {"Command", {3, 1005, (INT_PTR)slider}},
                                  {"HScroll", {202, SB_THUMBTRACK, 40, (INT_PTR)slider}},
                                  {"HScroll", {0, SB_ENDSCROLL, 9, 0}},
                                  {"ContextMenu", {65535, 65535, (INT_PTR)slider}},
                                  {"TrayNotify", {WM_RBUTTONUP, 7}}}));
    const std::string longTip(99, 'x'); // cut to the 63 characters every shell accepts
    EXPECT_EQ(longTip.substr(0, 63), form.TrayIconData(1, nullptr, longTip.c_str()).szTip);
    ASSERT_TRUE(form.SetTimer(5, 1));
    EXPECT_TRUE(PumpMessagesUntil([&] { return form.log.Count("Timer") > 0; }));
    EXPECT_TRUE(form.KillTimer(5));
    EXPECT_TRUE(form.log.Only({"Timer"}).Matches({{"Timer", {5}}}));
}

std::string ThrownText(const std::function<void()>& action) {
    try {
        action();
    } catch (const char* text) {
        return text;
    }
    return "(nothing thrown)";
}

// OnCreate runs inside WM_CREATE before the property exists; the window's last message, after
// WM_DESTROY took the property, still finds its form, but never another form merely waiting.
TEST(WForm, CreationFailuresAndTheLastMessagesOfAWindow) {
    RecordingForm form;
    form.createResult = -1;
    EXPECT_EQ("Can't create window", ThrownText([&] { Make(form); }));
    EXPECT_TRUE(form.log.Only({"Create"}).Matches({{"Create", {WM_CREATE}}}));
    EXPECT_EQ(nullptr, form.propertyAtCreate);
    form.createResult = 0;
    const std::string name = Make(form);
    EXPECT_EQ(&form, WControl::FromHandle(form.hwnd));
    form.nestIn = WM_DESTROY;
    DestroyWindow(form.hwnd);
    EXPECT_TRUE(
        form.log.Only({"Destroy", "Command"}).Matches({{"Destroy"}, {"Command", {0, 42, 0}}}));

    RecordingForm dying, waiting;
    Make(dying);
    dying.nestIn = WM_DESTROY;
    EXPECT_EQ("Can't register class", ThrownText([&] { Make(waiting, WS_POPUP, name); }));
    DestroyWindow(dying.hwnd);
    EXPECT_TRUE(dying.log.Only({"Command"}).Matches({}));
    EXPECT_TRUE(waiting.log.Matches({}));
    EXPECT_EQ(nullptr, waiting.hwnd);
}

// A slot that sends a message to its own window before its default handling must still hand
// its own message to the platform: here WM_PAINT, which DefWindowProcA validates.
TEST(WForm, DefaultSlotUsesItsOwnMessageAfterANestedOne) {
    RecordingForm form;
    Make(form, WS_POPUP | WS_VISIBLE); // a hidden window is never painted
    form.nestIn = WM_PAINT;
    InvalidateRect(form.hwnd, nullptr, FALSE);
    UpdateWindow(form.hwnd);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
    EXPECT_TRUE(form.log.Only({"Paint", "Command"}).Matches({{"Paint"}, {"Command", {0, 42, 0}}}));
}

} // namespace
