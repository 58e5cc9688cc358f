#include "wlib/WDialog.h"

WDialog* WDialog::dialogBeingCreated = nullptr;

WDialog::WDialog() {
    hwnd = nullptr;
}

WDialog::~WDialog() {
    if (dialogBeingCreated == this) dialogBeingCreated = nullptr;
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

void WDialog::Show(HINSTANCE instance, int modelessFlag, const char* templateName, HWND parent) {
    dialogBeingCreated = this;
    hwnd = nullptr;
    modeless = modelessFlag;
    if (modeless) {
        hwnd = CreateDialogParamA(instance, templateName, parent, DialogProc, 0);
    } else {
        DialogBoxParamA(instance, templateName, parent, DialogProc, 0);
    }
    // A template that could not be loaded never attached: nothing may attach to us later.
    if (dialogBeingCreated == this) dialogBeingCreated = nullptr;
}

void WDialog::Close() {
    if (modeless) {
        DestroyWindow(hwnd);
    } else {
        EndDialog(hwnd, 1);
    }
}

BOOL WDialog::CheckButton(int id, UINT state) {
    return CheckDlgButton(hwnd, id, state);
}

BOOL WDialog::EnableItem(int id, BOOL enable) {
    return EnableWindow(GetDlgItem(hwnd, id), enable);
}

UINT WDialog::IsButtonChecked(int id) {
    return IsDlgButtonChecked(hwnd, id);
}

UINT WDialog::GetItemText(int id, char* buffer, int size) {
    return GetDlgItemTextA(hwnd, id, buffer, size);
}

int WDialog::OnInitDialog() {
    return 0;
}
int WDialog::OnPaint() {
    return 0;
}
int WDialog::OnDestroy() {
    return 0;
}
int WDialog::OnClose() {
    return 0;
}
int WDialog::OnCancel() {
    return 0;
}
int WDialog::OnOK() {
    return 0;
}
int WDialog::OnNotify(int, NMHDR*) {
    return 0;
}
int WDialog::OnShowWindow(WPARAM, LPARAM) {
    return 0;
}
int WDialog::OnActivate() {
    return 0;
}
int WDialog::OnDeactivate() {
    return 0;
}
int WDialog::OnCommand(int, int, HWND) {
    return 0;
}
int WDialog::OnMouseMove(WPARAM, int, int) {
    return 0;
}
int WDialog::OnButtonDown(WPARAM, int, int) {
    return 0;
}
int WDialog::OnButtonUp(WPARAM, int, int) {
    return 0;
}
int WDialog::OnSize(WPARAM, int, int) {
    return 0;
}

int WDialog::OnDropFiles(HDROP drop) {
    DragFinish(drop);
    return 0;
}

int WDialog::OnDpiChanged(int, const RECT&) {
    return 0;
}

// A window without the property is attached only as the first message of the dialog that
// Show is making. Messages a window still receives after WM_DESTROY removed its property
// (WM_NCDESTROY, or whatever its OnDestroy sends) therefore reach no dialog object, neither
// another dialog being made nor one already deleted.
WDialog* WDialog::DialogOf(HWND window) {
    if (WControl* control = FromHandle(window)) return static_cast<WDialog*>(control);
    WDialog* dialog = dialogBeingCreated;
    if (!dialog || dialog->hwnd) return nullptr;
    dialogBeingCreated = nullptr;
    dialog->hwnd = window;
    dialog->SetClassPointer();
    return dialog;
}

INT_PTR CALLBACK WDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WDialog* dialog = DialogOf(window);
    if (!dialog) return 0;
    return dialog->Dispatch(message, wParam, lParam);
}

int WDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = LOWORD(lParam), y = HIWORD(lParam);
    const int low = LOWORD(wParam), high = HIWORD(wParam);
    NMHDR* const header = reinterpret_cast<NMHDR*>(lParam);
    // clang-format off
    switch (message) {
    case WM_DESTROY:
        RemoveClassPointer();
        return OnDestroy();
    case WM_CANCELMODE:
        ReleaseCapture();
        return 1;
    case WM_ACTIVATE:
        return low ? OnActivate() : OnDeactivate();
    case WM_COMMAND:
        if (wParam == IDOK) return OnOK();
        if (wParam == IDCANCEL) return OnCancel();
        return OnCommand(high, low, reinterpret_cast<HWND>(lParam));
    case WM_INITDIALOG:  return OnInitDialog();
    case WM_PAINT:       return OnPaint();
    case WM_CLOSE:       return OnClose();
    case WM_NOTIFY:      return OnNotify(static_cast<int>(wParam), header);
    case WM_SHOWWINDOW:  return OnShowWindow(wParam, lParam);
    case WM_MOUSEMOVE:   return OnMouseMove(wParam, x, y);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return OnButtonDown(wParam, x, y);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:   return OnButtonUp(wParam, x, y);
    case WM_SIZE:        return OnSize(wParam, x, y);
    case WM_DROPFILES:   return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_DPICHANGED:  return OnDpiChanged(low, *reinterpret_cast<const RECT*>(lParam));
    default:             return 0;
    }
    // clang-format on
}
