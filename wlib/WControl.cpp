#include "wlib/WControl.h"

#include "wlib/WTooltip.h"

namespace {
const char classPointerName[] = "W_CLASS_POINTER";
const char tooltipPointerName[] = "TOOLTIP_CLASS_POINTER";
} // namespace

WControl::~WControl() {
    // The tools stay with the tooltip; only the hook's way to it goes.
    if (tooltip && GetPropA(hwnd, tooltipPointerName) == tooltip)
        RemovePropA(hwnd, tooltipPointerName);
}

WControl* WControl::FromHandle(HWND window) {
    return static_cast<WControl*>(GetPropA(window, classPointerName));
}

void WControl::SetClassPointer(HWND window) {
    SetPropA(window, classPointerName, this);
}

void WControl::SetClassPointer() {
    SetPropA(hwnd, classPointerName, this);
}

void WControl::RemoveClassPointer() {
    RemovePropA(hwnd, classPointerName);
}

int WControl::SetTooltip(WTooltip* newTooltip, const char* text) {
    if (tooltip) {
        tooltip->RemoveTool(hwnd, toolId);
        RemovePropA(hwnd, tooltipPointerName);
        tooltip = nullptr;
    }
    if (!newTooltip) return 1;
    tooltip = newTooltip;
    toolId = tooltip->AddTool(hwnd, text);
    SetPropA(hwnd, tooltipPointerName, tooltip);
    return 1;
}

void WControl::UpdateTooltipRect() {
    if (tooltip) tooltip->MoveTool(hwnd, toolId);
}

BOOL WControl::SetTopMost(int flag) {
    return ::SetWindowPos(hwnd, flag ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                          SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WControl::Move(int x, int y, int width, int height, BOOL repaint) {
    return MoveWindow(hwnd, x, y, width, height, repaint);
}

void WControl::MoveTo(const SourceRect& skinPlace, int invalidate) {
    placement = skinPlace;
    const SourceRect p = Scaled(placement, scale);
    MoveWindow(hwnd, p.x, p.y, p.width, p.height, FALSE);
    if (invalidate) InvalidateRect(hwnd, nullptr, FALSE);
}

void WControl::SetScale(int newScale) {
    scale = newScale;
    MoveTo(placement, 1);
}

SourceRect WControl::SkinClient() const {
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    return {0, 0, client.right / scale, client.bottom / scale};
}

// Rounded down also left of and above the control, where the capture may see the cursor.
POINT WControl::SkinPoint(LPARAM point) const {
    const int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    auto down = [this](int v) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); };
    return {down(x), down(y)};
}

void WControl::SetSize(int width, int height, int invalidate) {
    ::SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    if (invalidate) InvalidateRect(hwnd, nullptr, FALSE);
}

BOOL WControl::SetPosition(int x, int y) {
    return ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

BOOL WControl::SetWindowPosition(HWND after, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(hwnd, after, x, y, width, height, flags);
}

BOOL WControl::Show(int flag) {
    return ShowWindow(hwnd, flag ? SW_SHOW : SW_HIDE);
}

BOOL WControl::Minimize() {
    return ShowWindow(hwnd, SW_MINIMIZE);
}

BOOL WControl::IsVisible() const {
    return IsWindowVisible(hwnd);
}

BOOL WControl::IsMinimized() const {
    return IsIconic(hwnd);
}

BOOL WControl::GetWindowRect(RECT* rect) const {
    return ::GetWindowRect(hwnd, rect);
}

BOOL WControl::GetClientRect(RECT* rect) const {
    return ::GetClientRect(hwnd, rect);
}

BOOL WControl::Invalidate() {
    return InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT WControl::Close() {
    return SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

void WControl::Subclass(WNDPROC proc, bool wideMessages) {
    if (!hwnd) return;
    SetClassPointer();
    wide = wideMessages;
    const LONG_PTR newProc = reinterpret_cast<LONG_PTR>(proc);
    oldProc = reinterpret_cast<WNDPROC>(wide ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, newProc)
                                             : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, newProc));
}

void WControl::Unsubclass() {
    if (!oldProc) return;
    const LONG_PTR previous = reinterpret_cast<LONG_PTR>(oldProc);
    if (wide)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, previous);
    else
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, previous);
    oldProc = nullptr;
}

LRESULT WControl::CallOldProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (wide) return CallWindowProcW(oldProc, hwnd, message, wParam, lParam);
    return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
}

LRESULT WControl::ForgetWindow(WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = oldProc;
    const bool wasWide = wide;
    Unsubclass();
    RemoveClassPointer();
    if (tooltip) RemovePropA(hwnd, tooltipPointerName);
    LRESULT result = wasWide ? CallWindowProcW(previous, hwnd, WM_NCDESTROY, wParam, lParam)
                             : CallWindowProcA(previous, hwnd, WM_NCDESTROY, wParam, lParam);
    hwnd = nullptr;
    return result;
}
