#include "wlib/WTooltip.h"

#include "wlib/WControl.h"

#include "support/MessageLog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A parent window with one child control; the control's object is a bare WControl.
class ToolHost {
public:
    explicit ToolHost(DWORD style = WS_POPUP) {
        parent = CreateWindowExA(0, "STATIC", "", style | SS_NOTIFY, 300, 300, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        control.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 20, 30, 40, 16,
                                       parent, (HMENU)100, nullptr, nullptr);
    }
    ~ToolHost() {
        control.tooltip = nullptr; // the tooltips of the tests may be gone already
        DestroyWindow(parent);
    }
    ToolHost(const ToolHost&) = delete;
    ToolHost& operator=(const ToolHost&) = delete;

    HWND parent;
    WControl control;
};

LRESULT ToolCount(const WTooltip& tip) {
    return SendMessageA(tip.window, TTM_GETTOOLCOUNT, 0, 0);
}

bool FindTool(const WTooltip& tip, HWND window, UINT_PTR id, UINT flags, TOOLINFOA* found,
              char* text) {
    *found = {};
    found->cbSize = sizeof(*found);
    found->uFlags = flags;
    found->hwnd = window;
    found->uId = id;
    found->lpszText = text;
    return SendMessageA(tip.window, TTM_GETTOOLINFOA, 0, (LPARAM)found) != 0;
}

RECT RectInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), (POINT*)&rect, 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

TEST(WTooltip, SetTooltipRegistersAnAreaToolAndAHandleTool) {
    ToolHost host;
    WTooltip tip(host.parent);
    ASSERT_TRUE(IsWindow(tip.window));
    EXPECT_EQ(tip.window, tip.toolWindow);
    EXPECT_EQ(1, host.control.SetTooltip(&tip, "Play"));
    EXPECT_EQ(1, host.control.toolId);
    EXPECT_EQ(&tip, GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
    EXPECT_EQ(2, ToolCount(tip));

    TOOLINFOA area, byHandle;
    char text[80] = "";
    ASSERT_TRUE(FindTool(tip, host.parent, 1, 0, &area, text));
    EXPECT_TRUE(SameRect(RectInParent(host.control.hwnd), area.rect));
    EXPECT_STREQ("Play", text);
    ASSERT_TRUE(FindTool(tip, nullptr, (UINT_PTR)host.control.hwnd, TTF_IDISHWND, &byHandle, text));
    EXPECT_TRUE(byHandle.uFlags & TTF_IDISHWND);

    // Moving the control moves the area tool with it.
    MoveWindow(host.control.hwnd, 70, 10, 50, 20, FALSE);
    host.control.UpdateTooltipRect();
    ASSERT_TRUE(FindTool(tip, host.parent, 1, 0, &area, text));
    EXPECT_TRUE(SameRect(RECT{70, 10, 120, 30}, area.rect));
}

TEST(WTooltip, AnotherTooltipTakesBothToolsAway) {
    ToolHost host;
    ToolHost other;
    WTooltip first(host.parent);
    other.control.SetTooltip(&first, "Stop"); // id 1
    host.control.SetTooltip(&first, "Play");  // id 2
    EXPECT_EQ(2, host.control.toolId);
    ASSERT_EQ(4, ToolCount(first));

    WTooltip second(host.parent); // the tool ids start again
    host.control.SetTooltip(&second, "Pause");
    EXPECT_EQ(2, ToolCount(first));
    EXPECT_EQ(2, ToolCount(second));
    EXPECT_EQ(1, host.control.toolId);
    EXPECT_EQ(&second, GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
    TOOLINFOA info;
    char text[80];
    EXPECT_TRUE(FindTool(first, other.parent, 1, 0, &info, text)); // the other control's
    EXPECT_STREQ("Stop", text);

    // Enabling and disabling leaves the tools alone.
    second.Enable(0);
    second.Enable(1);
    EXPECT_EQ(2, ToolCount(second));
}

TEST(WTooltip, ControlObjectEndTakesItsPropertyAndLeavesTheTools) {
    ToolHost host;
    WTooltip tip(host.parent);
    {
        WControl stand;
        stand.hwnd = host.control.hwnd;
        stand.SetTooltip(&tip, "Play");
        ASSERT_TRUE(GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
    }
    EXPECT_EQ(nullptr, GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
    EXPECT_EQ(2, ToolCount(tip));
}

// Records the relayed messages that reach a tooltip window.
class RelayRecorder {
public:
    explicit RelayRecorder(HWND tooltipWindow) : window(tooltipWindow) {
        SetPropA(window, "RELAY_RECORDER", this);
        oldProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)Proc);
    }
    ~RelayRecorder() {
        SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)oldProc);
        RemovePropA(window, "RELAY_RECORDER");
    }
    RelayRecorder(const RelayRecorder&) = delete;
    RelayRecorder& operator=(const RelayRecorder&) = delete;

    MessageLog log;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = (RelayRecorder*)GetPropA(window, "RELAY_RECORDER");
        if (message == TTM_RELAYEVENT) {
            const MSG* msg = (const MSG*)lParam;
            self->log.Add("relay", {(INT_PTR)msg->hwnd, (INT_PTR)msg->message, msg->lParam});
        }
        return CallWindowProcA(self->oldProc, window, message, wParam, lParam);
    }

    HWND window;
    WNDPROC oldProc;
};

TEST(WTooltip, HookRelaysMouseMessagesOfWindowsWithTools) {
    ToolHost host, bare;
    WTooltip tip(host.parent);
    host.control.SetTooltip(&tip, "Play");
    tip.Enable(0); // no tip is to show while the relay is watched
    RelayRecorder recorder(tip.window);
    HWND control = host.control.hwnd;
    const LPARAM overControl = MAKELPARAM(25, 35), besideControl = MAKELPARAM(150, 80);

    PostMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
    PostMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    PostMessageA(control, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 6));    // not relayed
    PostMessageA(control, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 8));  // not relayed
    PostMessageA(host.parent, WM_LBUTTONDOWN, 0, overControl);     // for the child below
    PostMessageA(host.parent, WM_LBUTTONUP, 0, besideControl);     // no child there
    PostMessageA(bare.control.hwnd, WM_MOUSEMOVE, 0, overControl); // no tool at all
    PumpMessages();
    EXPECT_TRUE(
        recorder.log.Matches({{"relay", {(INT_PTR)control, WM_MOUSEMOVE, MAKELPARAM(1, 2)}},
                              {"relay", {(INT_PTR)control, WM_RBUTTONUP, MAKELPARAM(3, 4)}},
                              {"relay", {(INT_PTR)host.parent, WM_LBUTTONDOWN, overControl}}}));
}

int RelayedMoves(WTooltip& tip, HWND control) {
    tip.Enable(0);
    RelayRecorder recorder(tip.window);
    PostMessageA(control, WM_MOUSEMOVE, 0, 0);
    PumpMessages();
    return recorder.log.Count("relay");
}

// The hook belongs to all tooltips: it stays while one is alive and comes back with the next.
TEST(WTooltip, RelayOutlivesAnEarlierTooltipAndReturnsWithANewOne) {
    ToolHost host;
    auto older = std::make_unique<WTooltip>(host.parent);
    auto newer = std::make_unique<WTooltip>(host.parent);
    host.control.SetTooltip(newer.get(), "Play");
    older.reset();
    EXPECT_EQ(1, RelayedMoves(*newer, host.control.hwnd));
    host.control.SetTooltip(nullptr, nullptr);
    newer.reset();

    WTooltip next(host.parent);
    host.control.SetTooltip(&next, "Play");
    EXPECT_EQ(1, RelayedMoves(next, host.control.hwnd));
}

// Real input: the pointer resting over the control shows its tip after the platform's delay.
TEST(WTooltip, RestingPointerShowsTheTip) {
    ToolHost host(WS_POPUP | WS_VISIBLE);
    WTooltip tip(host.parent);
    host.control.SetTooltip(&tip, "Play");
    SendMessageA(tip.window, TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    SetCursorPos(329, 337);
    SetCursorPos(330, 338); // over the control at (20, 30) of the parent at (300, 300)
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(tip.window) != 0; }));
    TOOLINFOA current = {};
    current.cbSize = sizeof(current);
    ASSERT_TRUE(SendMessageA(tip.window, TTM_GETCURRENTTOOLA, 0, (LPARAM)&current));
    EXPECT_EQ((UINT_PTR)host.control.hwnd, current.uId);
    SetCursorPos(1200, 1000);
}

} // namespace
