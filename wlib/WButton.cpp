#include "wlib/WButton.h"

#include "gfx/GdiHandles.h"
#include "gfx/WBmpList.h"

int WButton::hoverCapture = 0;

namespace {

DWORD WindowStyleFor(int style) {
    return WS_CHILD | WS_VISIBLE | ((style & WButton::toggle) ? BS_AUTOCHECKBOX : 0);
}

void CopyIfGiven(SourceRect& target, const SourceRect* source) {
    if (source) target = *source;
}

} // namespace

WButton::~WButton() {
    if (hwnd) DestroyWindow(hwnd); // its last message forgets the handle
}

int WButton::Create(HWND parent, int newStyle, int id, HINSTANCE instance, int x, int y, int width,
                    int height, const char* text, WBmpList* list, int newSlot,
                    const SourceRect* normal, const SourceRect* pressedImage,
                    const SourceRect* hover, const SourceRect* disabled) {
    hwnd = CreateWindowExA(0, "BUTTON", text, WindowStyleFor(newStyle), x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    style = newStyle;
    if (!hwnd) return 0;
    if (style & skinned) StoreSkin(list, newSlot, normal, pressedImage, hover, disabled);
    // A plain button is subclassed too, only to hear of its destruction.
    Subclass(ButtonProc);
    return 1;
}

void WButton::SetSkin(WBmpList* list, int newSlot, const SourceRect* normal,
                      const SourceRect* pressedImage, const SourceRect* hover,
                      const SourceRect* disabled) {
    // No paint may use a half-changed skin: the list comes back last.
    bitmaps = nullptr;
    StoreSkin(list, newSlot, normal, pressedImage, hover, disabled);
}

void WButton::StoreSkin(WBmpList* list, int newSlot, const SourceRect* normal,
                        const SourceRect* pressedImage, const SourceRect* hover,
                        const SourceRect* disabled) {
    slot = newSlot;
    CopyIfGiven(imageNormal, normal);
    CopyIfGiven(imagePressed, pressedImage);
    CopyIfGiven(imageHover, hover);
    CopyIfGiven(imageDisabled, disabled);
    if (list) bitmaps = list;
}

void WButton::SetStyle(int newStyle, int repaint) {
    style = newStyle;
    SetWindowLongPtrA(hwnd, GWL_STYLE, static_cast<LONG_PTR>(WindowStyleFor(style)));
    if (repaint) Repaint();
}

void WButton::SetCheck(int state) {
    checked = state != 0;
    SendMessageA(hwnd, BM_SETCHECK, static_cast<WPARAM>(checked), 0);
}

int WButton::GetCheck() const {
    if (style & skinned) return checked;
    return static_cast<int>(SendMessageA(hwnd, BM_GETCHECK, 0, 0));
}

LRESULT CALLBACK WButton::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* button = static_cast<WButton*>(FromHandle(window));
    if (!button || !button->oldProc) return DefWindowProcA(window, message, wParam, lParam);
    return button->HandleMessage(message, wParam, lParam);
}

LRESULT WButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) return ForgetWindow(wParam, lParam);
    if (!(style & skinned)) return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(); return 0;
    case WM_LBUTTONUP: OnButtonUp(lParam); return 0;
    // A double click is a second press.
    case WM_LBUTTONDBLCLK: PostMessageA(hwnd, WM_LBUTTONDOWN, wParam, lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP: return 0;
    // The object keeps the check state; the system button's own is left alone.
    case BM_SETCHECK: Repaint(); return 0;
    case WM_SETTEXT: return OnSetText(wParam, lParam);
    case WM_MOVE: UpdateTooltipRect(); return 0;
    case WM_SIZE: UpdateTooltipRect(); break;
    case WM_ENABLE: Repaint(); break;
    // Capture taken away mid-press (Alt+Tab, a message box): no click may follow.
    case WM_CAPTURECHANGED: OnCaptureLost(reinterpret_cast<HWND>(lParam)); break;
    }
    return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
}

LRESULT WButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
    Repaint();
    return result;
}

const SourceRect& WButton::CurrentImage() const {
    if (!IsWindowEnabled(hwnd)) return imageDisabled;
    if (GetCheck()) return imagePressed;
    if (GetCapture() == hwnd && pointerInside) return pressed ? imagePressed : imageHover;
    return imageNormal;
}

void WButton::Paint() {
    PaintDC paint(hwnd);
    if (!bitmaps) return;
    RECT client;
    ::GetClientRect(hwnd, &client);
    bitmaps->DrawBitmapRect(paint.Get(), slot, WBmpList::modeCopy,
                            SourceRect{0, 0, client.right, client.bottom}, CurrentImage());
}

bool WButton::ContainsPoint(LPARAM point) const {
    RECT client;
    ::GetClientRect(hwnd, &client);
    POINT p = {static_cast<LONG>(LOWORD(point)), static_cast<LONG>(HIWORD(point))};
    return PtInRect(&client, p) != FALSE;
}

void WButton::OnMouseMove(WPARAM keys, LPARAM point) {
    pointerInside = ContainsPoint(point);
    if (pointerInside) {
        if (GetCapture() == hwnd && hoverCapture) return;
        SetCapture(hwnd);
        hoverCapture = 1;
    } else if (keys == MK_LBUTTON) {
        if (!hoverCapture) return;
        // While pressed the capture stays, so that the release still comes here.
        if (!pressed) ReleaseCapture();
        hoverCapture = 0;
    } else {
        // A press by key (no mouse button down) keeps the capture until its release.
        if (!pressed) ReleaseCapture();
        hoverCapture = 0;
    }
    Repaint();
}

void WButton::OnButtonDown() {
    SetForegroundWindow(GetParent(hwnd));
    SetCapture(hwnd);
    pressed = 1;
    pointerInside = true;
    Repaint();
}

void WButton::OnCaptureLost(HWND newCapture) {
    if (newCapture == hwnd) return;
    pressed = 0;
    hoverCapture = 0;
    Repaint();
}

void WButton::OnButtonUp(LPARAM point) {
    pointerInside = ContainsPoint(point);
    if (pointerInside && pressed) {
        if (style & toggle) SetCheck(!GetCheck());
        PostClick();
    }
    ReleaseCapture();
    pressed = 0;
    Repaint();
}

void WButton::PostClick() {
    int id = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
    PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}
