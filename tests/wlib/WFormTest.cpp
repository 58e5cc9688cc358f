#include "wlib/WForm.h"

#include "support/MessageLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

// Records the slots the dispatch calls, with their arguments, and then lets the base
// class do its default handling.
class RecordingForm final : public WForm {
public:
    MessageLog log;
    LRESULT createResult = 0;
    bool captureOnDown = false;
    // What OnCreate found: its own window, and whether the property was there yet.
    HWND windowAtCreate = nullptr;
    UINT messageAtCreate = 0;
    WControl* propertyAtCreate = nullptr;
    void (*onDestroy)(RecordingForm&) = nullptr;
    void (*onPaint)(RecordingForm&) = nullptr;

    template <typename... Args> LRESULT Note(const char* slot, Args... args) {
        log.Add(slot, {(INT_PTR)args...});
        return 0;
    }

    LRESULT OnCreate() override {
        Note("OnCreate");
        windowAtCreate = hwnd;
        messageAtCreate = current.message;
        propertyAtCreate = FromHandle(hwnd);
        return createResult;
    }
    LRESULT OnButtonDown(WPARAM keys, int x, int y) override {
        Note("OnButtonDown", keys, x, y);
        if (captureOnDown) SetCapture(hwnd);
        return WForm::OnButtonDown(keys, x, y);
    }
    // These keep the base class's default handling, whose side effects the tests watch.
    LRESULT OnButtonUp(WPARAM keys, int x, int y) override {
        Note("OnButtonUp", keys, x, y);
        return WForm::OnButtonUp(keys, x, y);
    }
    LRESULT OnContextMenu(int x, int y, HWND window) override {
        Note("OnContextMenu", x, y, window);
        return WForm::OnContextMenu(x, y, window);
    }
    LRESULT OnPaint() override {
        Note("OnPaint");
        if (onPaint) onPaint(*this);
        return WForm::OnPaint();
    }
    LRESULT OnDestroy() override {
        Note("OnDestroy");
        if (onDestroy) onDestroy(*this);
        return 0;
    }
    LRESULT OnDoubleClick(WPARAM k, int x, int y) override {
        return Note("OnDoubleClick", k, x, y);
    }
    LRESULT OnMouseMove(WPARAM k, int x, int y) override { return Note("OnMouseMove", k, x, y); }
    LRESULT OnCommand(int code, int id, HWND c) override { return Note("OnCommand", code, id, c); }
    LRESULT OnHScroll(int id, int r, int p, HWND c) override {
        return Note("OnHScroll", id, r, p, c);
    }
    LRESULT OnVScroll(int id, int r, int p, HWND c) override {
        return Note("OnVScroll", id, r, p, c);
    }
    LRESULT OnTrayNotify(LPARAM m, WPARAM id) override { return Note("OnTrayNotify", m, id); }
    LRESULT OnTimer(WPARAM id) override { return Note("OnTimer", id); }
    LRESULT OnKeyDown(WPARAM key, LPARAM flags) override { return Note("OnKeyDown", key, flags); }
};

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (IsWindow(form.hwnd)) DestroyWindow(form.hwnd);
        UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
    }

    static std::string UniqueClassName() {
        static int serial = 0;
        return "WFormTest" + std::to_string(++serial);
    }

    void CreateForm(DWORD style = WS_POPUP) {
        form.Create(className.c_str(), nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                    (HBRUSH)GetStockObject(WHITE_BRUSH), nullptr, 0, "form", style, 100, 100, 200,
                    150, nullptr);
        form.log.Clear();
    }

    std::string className = UniqueClassName();
    RecordingForm form;
};

TEST_F(FormTest, RightClickRunsContextMenuBetweenDownAndUp) {
    CreateForm();
    SendMessageA(form.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    SendMessageA(form.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    EXPECT_TRUE(form.log.Matches({{"OnButtonDown", {MK_RBUTTON, 10, 20}},
                                  {"OnContextMenu", {110, 120, (INT_PTR)form.hwnd}},
                                  {"OnButtonUp", {0, 10, 20}}}));
}

void SendMouse(std::initializer_list<DWORD> buttonFlags) {
    for (DWORD flags : buttonFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(input));
    }
}

// Real input through the platform: the double click is made by the system's input
// handling (CS_DBLCLKS), and a captured mouse left of the window gives a wrapped x.
TEST_F(FormTest, RealMouseInputReachesTheSlots) {
    CreateForm(WS_POPUP | WS_VISIBLE);
    SetCursorPos(150, 130); // client point (50, 30)
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.log.Count("OnMouseMove") > 0; }));
    form.log.Clear();
    SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.log.Count("OnButtonUp") == 2; }));
    const std::vector<std::string> clicks = {"OnButtonDown", "OnButtonUp", "OnDoubleClick"};
    EXPECT_TRUE(form.log.Only(clicks).Matches({{"OnButtonDown", {MK_LBUTTON, 50, 30}},
                                               {"OnButtonUp", {0, 50, 30}},
                                               {"OnDoubleClick", {MK_LBUTTON, 50, 30}},
                                               {"OnButtonUp", {0, 50, 30}}}));

    form.captureOnDown = true;
    SetCursorPos(400, 130); // far from the last click: a fresh press, not a double click
    SetCursorPos(150, 130);
    SendMouse({MOUSEEVENTF_LEFTDOWN});
    ASSERT_TRUE(PumpMessagesUntil([&] { return GetCapture() == form.hwnd; }));
    form.log.Clear();
    SetCursorPos(99, 131);
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.log.Count("OnMouseMove") > 0; }));
    SendMouse({MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.log.Count("OnButtonUp") > 0; }));
    EXPECT_TRUE(form.log.Only({"OnMouseMove"}).Matches({{"OnMouseMove", {MK_LBUTTON, 65535, 31}}}));
    ReleaseCapture();
}

TEST_F(FormTest, CancelModeReleasesTheCaptureAndRunsNoSlot) {
    CreateForm();
    SetCapture(form.hwnd);
    ASSERT_EQ(form.hwnd, GetCapture());
    EXPECT_EQ(0, SendMessageA(form.hwnd, WM_CANCELMODE, 0, 0));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(form.log.Entries().empty());
}

TEST_F(FormTest, SlotsDecodeTheirArguments) {
    CreateForm();
    HWND slider = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD, 0, 0, 100, 10, form.hwnd,
                                  (HMENU)202, nullptr, nullptr);
    ASSERT_TRUE(slider);
    SendMessageA(form.hwnd, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-1, -2));
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(1005, 3), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)slider);
    SendMessageA(form.hwnd, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 9), 0); // own scroll bar
    SendMessageA(form.hwnd, WM_KEYDOWN, VK_SPACE, 0x390001);
    SendMessageA(form.hwnd, WM_CONTEXTMENU, (WPARAM)slider, MAKELPARAM(-1, -1));
    PostMessageA(form.hwnd, WForm::trayMessage, 7, WM_RBUTTONUP);
    PumpMessages();
    EXPECT_TRUE(form.log.Matches({{"OnMouseMove", {MK_SHIFT, 65535, 65534}},
                                  {"OnCommand", {3, 1005, (INT_PTR)slider}},
                                  {"OnHScroll", {202, SB_THUMBTRACK, 40, (INT_PTR)slider}},
                                  {"OnVScroll", {202, SB_LINEDOWN, 0, (INT_PTR)slider}},
                                  {"OnHScroll", {0, SB_ENDSCROLL, 9, 0}},
                                  {"OnKeyDown", {VK_SPACE, 0x390001}},
                                  {"OnContextMenu", {65535, 65535, (INT_PTR)slider}},
                                  {"OnTrayNotify", {WM_RBUTTONUP, 7}}}));
}

TEST_F(FormTest, CreationMessagesReachTheFormBeforeItsPropertyExists) {
    form.Create(className.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, 0, "", WS_POPUP, 0,
                0, 50, 50, nullptr);
    ASSERT_TRUE(form.hwnd);
    EXPECT_EQ(form.hwnd, form.windowAtCreate);
    EXPECT_EQ((UINT)WM_CREATE, form.messageAtCreate);
    EXPECT_EQ(nullptr, form.propertyAtCreate);
    EXPECT_EQ(&form, WControl::FromHandle(form.hwnd));
    // The window's last message, after WM_DESTROY took the property, still finds the form.
    form.onDestroy = [](RecordingForm& self) { SendMessageA(self.hwnd, WM_COMMAND, 42, 0); };
    DestroyWindow(form.hwnd);
    EXPECT_TRUE(form.log.Only({"OnDestroy", "OnCommand"})
                    .Matches({{"OnDestroy"}, {"OnCommand", {0, 42, 0}}}));
}

std::string ThrownText(const std::function<void()>& action) {
    try {
        action();
    } catch (const char* text) {
        return text;
    }
    return "(nothing thrown)";
}

TEST_F(FormTest, FailuresThrowTheirTexts) {
    form.createResult = -1;
    EXPECT_EQ("Can't create window", ThrownText([&] { CreateForm(); }));
    EXPECT_EQ(1, form.log.Count("OnCreate"));
    EXPECT_EQ(nullptr, WControl::FromHandle(form.windowAtCreate));
    // The class is registered on every call, so a second one with the same name fails.
    RecordingForm second;
    EXPECT_EQ("Can't register class", ThrownText([&] {
                  second.Create(className.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                                "", WS_POPUP, 0, 0, 10, 10, nullptr);
              }));
}

TEST_F(FormTest, TimerExpiriesGoToOnTimer) {
    CreateForm();
    ASSERT_TRUE(form.SetTimer(7, 1));
    EXPECT_TRUE(PumpMessagesUntil([&] { return form.log.Count("OnTimer") > 0; }));
    EXPECT_TRUE(form.KillTimer(7));
    EXPECT_TRUE(form.log.Only({"OnTimer"}).Matches({{"OnTimer", {7}}}));
}

// A slot that sends a message to its own window before running the default handling must
// still hand its own message to the platform: here WM_PAINT, which DefWindowProcA validates.
TEST_F(FormTest, DefaultSlotUsesItsOwnMessageAfterANestedOne) {
    CreateForm(WS_POPUP | WS_VISIBLE); // a hidden window is never painted
    form.onPaint = [](RecordingForm& self) { SendMessageA(self.hwnd, WM_COMMAND, 5, 0); };
    InvalidateRect(form.hwnd, nullptr, FALSE);
    UpdateWindow(form.hwnd);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
    EXPECT_TRUE(
        form.log.Only({"OnPaint", "OnCommand"}).Matches({{"OnPaint"}, {"OnCommand", {0, 5, 0}}}));
}

// After WM_DESTROY took its property, a dying window must not reach a form that is merely
// constructed and waiting for its own Create.
TEST_F(FormTest, LateMessagesOfADestroyedFormReachNoOtherForm) {
    CreateForm();
    form.onDestroy = [](RecordingForm& self) { SendMessageA(self.hwnd, WM_COMMAND, 42, 0); };
    RecordingForm waiting;
    DestroyWindow(form.hwnd);
    EXPECT_TRUE(waiting.log.Entries().empty()) << ToString(waiting.log.Entries());
    EXPECT_EQ(nullptr, waiting.hwnd);
}

TEST_F(FormTest, TrayIconTakesTheIconAndHidesAndShowsTheWindow) {
    CreateForm(WS_POPUP | WS_VISIBLE);
    const std::string longTip(100, 'x');
    EXPECT_EQ(std::string(63, 'x'), form.TrayIconData(1, nullptr, longTip.c_str()).szTip);
    EXPECT_STREQ("", form.TrayIconData(1, nullptr, nullptr).szTip);

    BYTE andMask[32 * 4], xorMask[32 * 4] = {};
    memset(andMask, 0xFF, sizeof(andMask));
    HICON icon = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
    ASSERT_TRUE(icon);
    EXPECT_TRUE(form.AddTrayIcon(3, icon, "tip"));
    EXPECT_FALSE(form.IsVisible());
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon, &info)); // handed over and destroyed
    EXPECT_TRUE(form.RemoveTrayIcon(3));
    EXPECT_TRUE(form.IsVisible());
    EXPECT_FALSE(form.DeleteTrayIcon(3)); // already gone; the window stays as it is
    EXPECT_TRUE(form.IsVisible());
}

} // namespace
