#include "wlib/WForm.h"

WForm* WForm::formBeingCreated = nullptr;
bool WForm::creating = false;

namespace {
int LowHalf(LPARAM value) {
    return LOWORD(value);
}
int HighHalf(LPARAM value) {
    return HIWORD(value);
}

int ControlId(LPARAM control) {
    return control ? static_cast<int>(GetWindowLongPtrA(reinterpret_cast<HWND>(control), GWLP_ID))
                   : 0;
}

// Keeps the current message of the outer call across a nested one.
class CurrentMessageScope {
public:
    CurrentMessageScope(WForm::Message& current, const WForm::Message& now)
        : current(current), saved(current) {
        current = now;
    }
    ~CurrentMessageScope() { current = saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    WForm::Message& current;
    WForm::Message saved;
};
} // namespace

WForm::WForm() {
    formBeingCreated = this;
}

WForm::~WForm() {
    // The window may be gone and its handle given to another window since.
    if (FromHandle(hwnd) == this) RemoveClassPointer();
    if (formBeingCreated == this) formBeingCreated = nullptr;
}

void WForm::Create(const char* className, HICON icon, HICON smallIcon, HCURSOR cursor,
                   HBRUSH background, const char* menuName, DWORD exStyle, const char* title,
                   DWORD style, int x, int y, int width, int height, HINSTANCE instance) {
    formBeingCreated = this;
    hwnd = nullptr;
    creationFailure = nullptr;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance ? instance : GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = menuName;
    windowClass.lpszClassName = className;
    if (!RegisterClassExA(&windowClass)) throw "Can't register class";
    creating = true;
    hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, nullptr, nullptr,
                           instance, nullptr);
    creating = false;
    if (!hwnd) throw creationFailure ? creationFailure : "Can't create window";
}

UINT_PTR WForm::SetTimer(UINT_PTR id, UINT milliseconds) {
    return ::SetTimer(hwnd, id, milliseconds, nullptr);
}

BOOL WForm::KillTimer(UINT_PTR id) {
    return ::KillTimer(hwnd, id);
}

namespace {
NOTIFYICONDATAA TrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = id;
    return data;
}
} // namespace

NOTIFYICONDATAA WForm::TrayIconData(UINT id, HICON icon, const char* tip) const {
    NOTIFYICONDATAA data = TrayIcon(hwnd, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = trayMessage;
    data.hIcon = icon;
    // The tip keeps to the 64 characters that every shell version accepts.
    if (tip) lstrcpynA(data.szTip, tip, 64);
    return data;
}

BOOL WForm::AddTrayIcon(UINT id, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = TrayIconData(id, icon, tip);
    BOOL added = Shell_NotifyIconA(NIM_ADD, &data);
    if (icon) DestroyIcon(icon);
    Show(0);
    return added;
}

BOOL WForm::RemoveTrayIcon(UINT id) {
    NOTIFYICONDATAA data = TrayIcon(hwnd, id);
    BOOL removed = Shell_NotifyIconA(NIM_DELETE, &data);
    Show(1);
    return removed;
}

BOOL WForm::DeleteTrayIcon(UINT id) {
    NOTIFYICONDATAA data = TrayIcon(hwnd, id);
    return Shell_NotifyIconA(NIM_DELETE, &data);
}

LRESULT WForm::DefaultProc() {
    return DefWindowProcA(current.window, current.message, current.wParam, current.lParam);
}

LRESULT WForm::OnCreate() {
    return DefaultProc();
}
LRESULT WForm::OnMouseMove(WPARAM, int, int) {
    return DefaultProc();
}
LRESULT WForm::OnButtonDown(WPARAM, int, int) {
    return DefaultProc();
}
LRESULT WForm::OnButtonUp(WPARAM, int, int) {
    // The procedure has already given a right-button release its default handling; once
    // more would raise a second WM_CONTEXTMENU.
    if (current.message == WM_RBUTTONUP) return 0;
    return DefaultProc();
}
LRESULT WForm::OnKeyDown(WPARAM, LPARAM) {
    return DefaultProc();
}
LRESULT WForm::OnKeyUp(WPARAM, LPARAM) {
    return DefaultProc();
}
LRESULT WForm::OnDeviceChange(WPARAM, LPARAM) {
    return DefaultProc();
}
LRESULT WForm::OnSetFocus() {
    return DefaultProc();
}
LRESULT WForm::OnKillFocus() {
    return DefaultProc();
}
LRESULT WForm::OnTrayNotify(LPARAM, WPARAM) {
    return DefaultProc();
}
LRESULT WForm::OnDoubleClick(WPARAM, int, int) {
    return DefaultProc();
}
LRESULT WForm::OnDestroy() {
    return DefaultProc();
}
LRESULT WForm::OnCommand(int, int, HWND) {
    return DefaultProc();
}
LRESULT WForm::OnPaint() {
    return DefaultProc();
}
LRESULT WForm::OnTimer(WPARAM) {
    return DefaultProc();
}
LRESULT WForm::OnHScroll(int, int, int, HWND) {
    return DefaultProc();
}
LRESULT WForm::OnVScroll(int, int, int, HWND) {
    return DefaultProc();
}
LRESULT WForm::OnContextMenu(int, int, HWND) {
    return DefaultProc();
}
LRESULT WForm::OnOtherMessage(UINT, WPARAM, LPARAM) {
    return DefaultProc();
}

// The form being created serves its own window only: inside Create before WM_CREATE gives
// it its hwnd, then that window until the property is set, and again after WM_DESTROY has
// removed it. A window whose form is gone, or is another one, gets the default handling.
WForm* WForm::FormOf(HWND window) {
    if (WControl* control = FromHandle(window)) return static_cast<WForm*>(control);
    WForm* form = formBeingCreated;
    if (!form) return nullptr;
    if (form->hwnd == window || (creating && form->hwnd == nullptr)) return form;
    return nullptr;
}

LRESULT CALLBACK WForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WForm* form = FormOf(window);
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    CurrentMessageScope scope(form->current, {window, message, wParam, lParam});
    return form->Dispatch(window, message, wParam, lParam);
}

// An exception must not cross the platform's window procedure frames: a throwing OnCreate
// refuses the window instead, and Create throws the text once CreateWindowExA has returned.
LRESULT WForm::CreateWithoutUnwinding(HWND window) {
    hwnd = window;
    LRESULT result = -1;
    try {
        result = OnCreate();
    } catch (const char* text) {
        creationFailure = text;
    }
    if (result >= 0) SetClassPointer(window);
    return result;
}

LRESULT WForm::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = LowHalf(lParam), y = HighHalf(lParam);
    const int low = LOWORD(wParam), high = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    // clang-format off
    switch (message) {
    case WM_CREATE:          return CreateWithoutUnwinding(window);
    case WM_DESTROY:
        RemoveClassPointer();
        return OnDestroy();
    case WM_CANCELMODE:
        ReleaseCapture();
        return 0;
    case WM_RBUTTONUP:
        // DefWindowProcA raises WM_CONTEXTMENU here, before the release is reported.
        DefWindowProcA(window, message, wParam, lParam);
        return OnButtonUp(wParam, x, y);
    case WM_MOUSEMOVE:       return OnMouseMove(wParam, x, y);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:     return OnButtonDown(wParam, x, y);
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:       return OnButtonUp(wParam, x, y);
    case WM_KEYDOWN:         return OnKeyDown(wParam, lParam);
    case WM_KEYUP:           return OnKeyUp(wParam, lParam);
    case WM_DEVICECHANGE:    return OnDeviceChange(wParam, lParam);
    case WM_SETFOCUS:        return OnSetFocus();
    case WM_KILLFOCUS:       return OnKillFocus();
    case trayMessage:        return OnTrayNotify(lParam, wParam);
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:   return OnDoubleClick(wParam, x, y);
    case WM_COMMAND:         return OnCommand(high, low, control);
    case WM_PAINT:           return OnPaint();
    case WM_TIMER:           return OnTimer(wParam);
    case WM_HSCROLL:         return OnHScroll(ControlId(lParam), low, high, control);
    case WM_VSCROLL:         return OnVScroll(ControlId(lParam), low, high, control);
    case WM_CONTEXTMENU:     return OnContextMenu(x, y, reinterpret_cast<HWND>(wParam));
    default:                 return OnOtherMessage(message, wParam, lParam);
    }
    // clang-format on
}
