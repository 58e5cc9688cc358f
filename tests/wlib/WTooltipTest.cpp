#include "wlib/WTooltip.h"

#include "wlib/WControl.h"

#include "support/MessageLog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// A parent window with one child control; the control's object is a bare WControl.
struct ToolHost {
    ToolHost() {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | SS_NOTIFY, 300, 300, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        control.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 20, 30, 40, 16,
                                       parent, nullptr, nullptr, nullptr);
    }
    ~ToolHost() { DestroyWindow(parent); }
    HWND parent;
    WControl control;
};

// A tool as "Text(left, top, right, bottom)".
std::string Tool(const WTooltip& tip, HWND window, UINT_PTR id) {
    char text[80] = "";
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = window ? 0 : TTF_IDISHWND;
    info.hwnd = window;
    info.uId = id;
    info.lpszText = text;
    if (!SendMessageA(tip.window, TTM_GETTOOLINFOA, 0, (LPARAM)&info)) return "no tool";
    return Call(text, info.rect.left, info.rect.top, info.rect.right, info.rect.bottom);
}

// An area tool on the parent that follows the control, and a tool keyed by the control's
// handle; setting another tooltip takes both away from the first.
TEST(WTooltip, ControlsGetAnAreaToolAndAHandleTool) {
    ToolHost host;
    WTooltip first(host.parent), second(host.parent);
    EXPECT_EQ(1, host.control.SetTooltip(&first, "Play"));
    EXPECT_EQ(&first, GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
    EXPECT_EQ("Play(20, 30, 60, 46)", Tool(first, host.parent, host.control.toolId));
    EXPECT_EQ("Play(20, 30, 60, 46)", Tool(first, nullptr, (UINT_PTR)host.control.hwnd));
    MoveWindow(host.control.hwnd, 70, 10, 50, 20, FALSE);
    host.control.UpdateTooltipRect();
    EXPECT_EQ("Play(70, 10, 120, 30)", Tool(first, host.parent, host.control.toolId));

    host.control.SetTooltip(&second, "Pause");
    EXPECT_EQ(0, SendMessageA(first.window, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(2, SendMessageA(second.window, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(&second, GetPropA(host.control.hwnd, "TOOLTIP_CLASS_POINTER"));
}

// Records the relayed messages that reach a tooltip window.
MessageLog relays;
WNDPROC tooltipProcedure;

LRESULT CALLBACK RecordRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT) {
        const MSG* msg = (const MSG*)lParam;
        relays.push_back(Call("relay", msg->hwnd, msg->message, msg->lParam));
    }
    return CallWindowProcA(tooltipProcedure, window, message, wParam, lParam);
}

// The hook serves every tooltip while one lives: the relay keeps working after an earlier
// tooltip has gone.
TEST(WTooltip, HookRelaysTheMouseMessagesOfWindowsWithTools) {
    ToolHost host, bare;
    auto* older = new WTooltip(host.parent);
    WTooltip tip(host.parent);
    host.control.SetTooltip(&tip, "Play");
    delete older;
    tip.Enable(0); // no tip is to show while the relay is watched
    tooltipProcedure = (WNDPROC)SetWindowLongPtrA(tip.window, GWLP_WNDPROC, (LONG_PTR)RecordRelay);
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
    EXPECT_EQ(MessageLog({Call("relay", control, WM_MOUSEMOVE, MAKELPARAM(1, 2)),
                          Call("relay", control, WM_RBUTTONUP, MAKELPARAM(3, 4)),
                          Call("relay", host.parent, WM_LBUTTONDOWN, overControl)}),
              relays);
}

} // namespace
