#include "wlib/WTooltip.h"

#include "wlib/ControlTestKit.h"
#include "wlib/WControl.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// A button of 40 x 16 at (x, 30) on the shared parent, with a bare WControl as its object.
struct Control : WControl {
    explicit Control(int x) {
        hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, x, 30, 40, 16,
                               kit::Fresh().hwnd, nullptr, nullptr, nullptr);
    }
    ~Control() { DestroyWindow(hwnd); }
};

// A tool as "Text(left, top, right, bottom)": an area tool of a window, or a handle tool.
std::string Tool(const WTooltip& tip, HWND window, UINT_PTR id) {
    char text[80] = "";
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = window ? 0 : TTF_IDISHWND;
    info.hwnd = window;
    info.uId = id;
    info.lpszText = text;
    if (!SendMessageA(tip.window, TTM_GETTOOLINFOA, 0, (LPARAM)&info)) return "no tool";
    return kit::Call(text, info.rect.left, info.rect.top, info.rect.right, info.rect.bottom);
}

// An area tool on the parent that follows the control, and a tool keyed by the control's
// handle; setting another tooltip takes both away from the first.
TEST(WTooltip, ControlsGetAnAreaToolAndAHandleTool) {
    Control control(20);
    HWND parent = GetParent(control.hwnd);
    WTooltip first(parent), second(parent);
    EXPECT_EQ(1, control.SetTooltip(&first, "Play"));
    EXPECT_EQ(&first, GetPropA(control.hwnd, "TOOLTIP_CLASS_POINTER"));
    EXPECT_EQ("Play(20, 30, 60, 46)", Tool(first, parent, control.toolId));
    EXPECT_EQ("Play(20, 30, 60, 46)", Tool(first, nullptr, (UINT_PTR)control.hwnd));
    MoveWindow(control.hwnd, 70, 10, 50, 20, FALSE);
    control.UpdateTooltipRect();
    EXPECT_EQ("Play(70, 10, 120, 30)", Tool(first, parent, control.toolId));
    control.SetTooltip(&second, "Pause");
    EXPECT_EQ(0, SendMessageA(first.window, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(2, SendMessageA(second.window, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(&second, GetPropA(control.hwnd, "TOOLTIP_CLASS_POINTER"));
}

// Records the relayed messages that reach a tooltip window.
kit::Log relays;
WNDPROC tooltipProcedure;

LRESULT CALLBACK RecordRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT) {
        const MSG* msg = (const MSG*)lParam;
        relays.push_back(kit::Call("relay", msg->hwnd, msg->message, msg->lParam));
    }
    return CallWindowProcA(tooltipProcedure, window, message, wParam, lParam);
}

// The hook serves every tooltip while one lives: the relay keeps working after an earlier
// tooltip has gone.
TEST(WTooltip, HookRelaysTheMouseMessagesOfWindowsWithTools) {
    Control control(20), bare(200);
    HWND parent = GetParent(control.hwnd);
    auto* older = new WTooltip(parent);
    WTooltip tip(parent);
    control.SetTooltip(&tip, "Play");
    delete older;
    tip.Enable(0); // no tip is to show while the relay is watched
    tooltipProcedure = (WNDPROC)SetWindowLongPtrA(tip.window, GWLP_WNDPROC, (LONG_PTR)RecordRelay);
    const LPARAM overControl = MAKELPARAM(25, 35), besideControl = MAKELPARAM(150, 80);
    PostMessageA(control.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
    PostMessageA(control.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    PostMessageA(control.hwnd, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 6));   // not relayed
    PostMessageA(control.hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 8)); // not relayed
    PostMessageA(parent, WM_LBUTTONDOWN, 0, overControl);              // for the child below
    PostMessageA(parent, WM_LBUTTONUP, 0, besideControl);              // no child there
    PostMessageA(bare.hwnd, WM_MOUSEMOVE, 0, overControl);             // no tool at all
    kit::Pump();
    EXPECT_EQ(kit::Log({kit::Call("relay", control.hwnd, WM_MOUSEMOVE, MAKELPARAM(1, 2)),
                        kit::Call("relay", control.hwnd, WM_RBUTTONUP, MAKELPARAM(3, 4)),
                        kit::Call("relay", parent, WM_LBUTTONDOWN, overControl)}),
              relays);
}

} // namespace
