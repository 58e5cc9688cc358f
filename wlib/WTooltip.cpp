#include "wlib/WTooltip.h"

#include <commctrl.h>

namespace {
HHOOK hook = nullptr;
int liveTooltips = 0; // the hook serves them all and goes with the last
int toolCounter = 0;

RECT ToolRect(HWND control) {
    RECT rect = {};
    GetClientRect(control, &rect);
    MapWindowPoints(control, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TOOLINFOA AreaTool(HWND control, int id) {
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = 0;
    info.hwnd = GetParent(control);
    info.uId = static_cast<UINT_PTR>(id);
    return info;
}

TOOLINFOA HandleTool(HWND control) {
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = nullptr;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

bool IsRelayedMouseMessage(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
}

WTooltip* TooltipOf(HWND window) {
    return static_cast<WTooltip*>(GetPropA(window, "TOOLTIP_CLASS_POINTER"));
}
} // namespace

WTooltip::WTooltip(HWND parent) {
    InitCommonControls();
    window = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hook) hook = SetWindowsHookExA(WH_GETMESSAGE, HookProc, nullptr, GetCurrentThreadId());
    liveTooltips++;
    toolWindow = window;
    toolCounter = 0;
}

WTooltip::~WTooltip() {
    if (--liveTooltips == 0 && hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
    // Normally gone with its parent already; a tooltip without a parent would outlive us.
    if (IsWindow(window)) DestroyWindow(window);
}

LRESULT WTooltip::Enable(int flag) {
    return SendMessageA(window, TTM_ACTIVATE, flag, 0);
}

int WTooltip::AddTool(HWND control, const char* text) {
    toolCounter++;
    TOOLINFOA area = AreaTool(control, toolCounter);
    area.rect = ToolRect(control);
    area.hinst = nullptr;
    area.lpszText = const_cast<char*>(text);
    SendMessageA(toolWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&area));
    TOOLINFOA byHandle = HandleTool(control);
    byHandle.rect = area.rect;
    byHandle.hinst = nullptr;
    byHandle.lpszText = area.lpszText;
    SendMessageA(toolWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&byHandle));
    return toolCounter;
}

void WTooltip::RemoveTool(HWND control, int id) {
    TOOLINFOA area = AreaTool(control, id);
    SendMessageA(toolWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&area));
    TOOLINFOA byHandle = HandleTool(control);
    SendMessageA(toolWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&byHandle));
}

void WTooltip::MoveTool(HWND control, int id) {
    TOOLINFOA info = AreaTool(control, id);
    info.rect = ToolRect(control);
    SendMessageA(toolWindow, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT CALLBACK WTooltip::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(hook, code, wParam, lParam);
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (IsRelayedMouseMessage(msg->message)) {
        WTooltip* tooltip = TooltipOf(msg->hwnd);
        if (!tooltip) {
            POINT point = {LOWORD(msg->lParam), HIWORD(msg->lParam)};
            HWND child = ChildWindowFromPoint(msg->hwnd, point);
            if (child) tooltip = TooltipOf(child);
        }
        if (tooltip) {
            MSG relayed = {msg->hwnd, msg->message, msg->wParam, msg->lParam, 0, {0, 0}};
            SendMessageA(tooltip->window, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}
