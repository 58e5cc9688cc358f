#include "wlib/WScrollbar.h"

#include "gfx/GdiHandles.h"
#include "gfx/WBmpList.h"

namespace {

void CopyIfGiven(SourceRect& target, const SourceRect* source) {
    if (source) target = *source;
}

} // namespace

WScrollbar::~WScrollbar() {
    if (hwnd) DestroyWindow(hwnd); // its last message forgets the handle
}

int WScrollbar::Create(HWND parent, int newStyle, int id, HINSTANCE instance, int x, int y,
                       int width, int height, const char* text, WBmpList* list, int newThumbBitmap,
                       int newThumbLength, const SourceRect* normal, const SourceRect* pressedImage,
                       const SourceRect* hover, const SourceRect* disabled, int newBackgroundBitmap,
                       const SourceRect* background) {
    DWORD windowStyle = WS_CHILD | WS_VISIBLE | ((newStyle & vertical) ? SBS_VERT : 0);
    hwnd = CreateWindowExA(0, "SCROLLBAR", text, windowStyle, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    style = newStyle;
    if (!hwnd) return 0;
    // A plain slider is subclassed too, only to hear of its destruction.
    Subclass(ScrollProc);
    if (!(style & skinned)) return 1;
    if (list) bitmaps = list;
    StoreSkin(newThumbBitmap, newThumbLength, normal, pressedImage, hover, disabled,
              newBackgroundBitmap, background);
    return 1;
}

void WScrollbar::SetSkin(WBmpList* list, int newThumbBitmap, int newThumbLength,
                         const SourceRect* normal, const SourceRect* pressedImage,
                         const SourceRect* hover, const SourceRect* disabled,
                         int newBackgroundBitmap, const SourceRect* background, int redraw) {
    bitmaps = list;
    StoreSkin(newThumbBitmap, newThumbLength, normal, pressedImage, hover, disabled,
              newBackgroundBitmap, background);
    if (redraw) Redraw();
}

void WScrollbar::StoreSkin(int newThumbBitmap, int newThumbLength, const SourceRect* normal,
                           const SourceRect* pressedImage, const SourceRect* hover,
                           const SourceRect* disabled, int newBackgroundBitmap,
                           const SourceRect* background) {
    thumbBitmap = newThumbBitmap;
    thumbLength = newThumbLength;
    backgroundBitmap = newBackgroundBitmap;
    CopyIfGiven(thumbNormal, normal);
    CopyIfGiven(thumbPressed, pressedImage);
    CopyIfGiven(thumbHover, hover);
    CopyIfGiven(thumbDisabled, disabled);
    CopyIfGiven(backgroundSource, background);
}

void WScrollbar::SetRange(int min, int max, int redraw) {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
    SetScrollInfo(hwnd, SB_CTL, &info, FALSE);
    if (redraw) Redraw();
}

void WScrollbar::SetPosition(int pos, int redraw) {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, SB_CTL, &info, FALSE);
    if (redraw) Redraw();
}

int WScrollbar::GetPosition() const {
    return GetScrollPos(hwnd, SB_CTL);
}

void WScrollbar::Redraw() {
    if (style & opaque) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
        return;
    }
    // The parent paints the background under a see-through slider first.
    HWND parent = GetParent(hwnd);
    RECT area;
    ::GetClientRect(hwnd, &area);
    MapWindowPoints(hwnd, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

SCROLLINFO WScrollbar::ScrollInfo() const {
    SCROLLINFO info = {
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, SB_CTL, &info);
    return info;
}

int WScrollbar::Extent() const {
    const SourceRect client = SkinClient();
    return (style & vertical) ? client.height : client.width;
}

int WScrollbar::ValueToPixel(int value) const {
    SCROLLINFO info = ScrollInfo();
    // An empty range (a disc not yet read) puts the thumb at the start, not a pixel before.
    if (info.nMax == info.nMin) return 0;
    return MulDiv(value - info.nMin, Room(), info.nMax - info.nMin);
}

int WScrollbar::PixelToValue(int pixel) const {
    SCROLLINFO info = ScrollInfo();
    // A thumb that fills the slider can only stand for the start of the range.
    if (Room() <= 0) return info.nMin;
    return MulDiv(info.nMax - info.nMin, pixel, Room()) + info.nMin;
}

int WScrollbar::ClampToRoom(int pixel) const {
    if (pixel <= 0) return 0;
    int room = Room();
    return pixel > room ? room : pixel;
}

SourceRect WScrollbar::ThumbRect(int pixel) const {
    const SourceRect client = SkinClient();
    if (style & vertical) return SourceRect{0, pixel, client.width, thumbLength};
    return SourceRect{pixel, 0, thumbLength, client.height};
}

bool WScrollbar::CursorOnThumb(int pixel, POINT cursor) const {
    SourceRect thumb = ThumbRect(pixel);
    RECT area = {thumb.x, thumb.y, thumb.x + thumb.width, thumb.y + thumb.height};
    return PtInRect(&area, cursor) != FALSE;
}

const SourceRect& WScrollbar::CurrentThumb(int pixel) const {
    if (!IsWindowEnabled(hwnd)) return thumbDisabled;
    if (pressed) return thumbPressed;
    // Hovering takes the capture, so without it the pointer has left.
    if (GetCapture() == hwnd && CursorOnThumb(pixel, pointer)) return thumbHover;
    return thumbNormal;
}

LRESULT CALLBACK WScrollbar::ScrollProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* slider = static_cast<WScrollbar*>(FromHandle(window));
    if (!slider || !slider->oldProc) return DefWindowProcA(window, message, wParam, lParam);
    return slider->HandleMessage(message, wParam, lParam);
}

LRESULT WScrollbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) return ForgetWindow(wParam, lParam);
    if (!(style & skinned)) return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
    switch (message) {
    case WM_MOVE:
    case WM_SIZE: UpdateTooltipRect(); return 0;
    case WM_SETFOCUS: return 0; // never takes the keyboard focus
    case WM_ENABLE: return OnEnable(wParam, lParam);
    // Nothing is left for the system control to paint; handing it the message anyway costs
    // Wine's whole scroll bar drawing, clipped away, at every repaint.
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(); return 0;
    // A double click is a second press.
    case WM_LBUTTONDBLCLK: PostMessageA(hwnd, WM_LBUTTONDOWN, wParam, lParam); return 0;
    // Capture taken away mid-drag (Alt+Tab, a message box): the drag ends as a release would.
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) EndDrag();
        break;
    }
    return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
}

LRESULT WScrollbar::OnEnable(WPARAM wParam, LPARAM lParam) {
    // The system control draws its own disabled look at once; the skin goes over it after.
    LRESULT result = CallWindowProcA(oldProc, hwnd, WM_ENABLE, wParam, lParam);
    Redraw();
    return result;
}

void WScrollbar::Paint() {
    if (bitmaps) {
        int pixel = tracking ? trackPixel : ValueToPixel(GetPosition());
        const SourceRect whole = SkinClient();
        ClientDC window(hwnd);
        const SourceRect& thumb = CurrentThumb(pixel);
        if (style & opaque) {
            MemoryDC memory(window.Get());
            BitmapHandle image(CreateCompatibleBitmap(window.Get(), whole.width, whole.height));
            SelectGuard selection(memory.Get(), image.Get());
            if (style & tiledTrack)
                bitmaps->TileBitmap(memory.Get(), backgroundBitmap, WBmpList::modeCopy, whole,
                                    backgroundSource);
            else
                bitmaps->DrawBitmapRect(memory.Get(), backgroundBitmap, WBmpList::modeCopy, whole,
                                        backgroundSource);
            bitmaps->DrawBitmapRect(memory.Get(), thumbBitmap, WBmpList::modeCopy, ThumbRect(pixel),
                                    thumb);
            WBmpList::BlitScaled(window.Get(), whole.width, whole.height, memory.Get(), scale);
        } else {
            bitmaps->DrawBitmapRect(window.Get(), thumbBitmap, WBmpList::modeCopy,
                                    Scaled(ThumbRect(pixel), scale), thumb);
        }
    }
    // Without a skin nothing is drawn, and the system look must not show either.
    ValidateRect(hwnd, nullptr);
}

void WScrollbar::StartTracking(int grab, int pixel) {
    grabOffset = grab;
    pressed = 1;
    tracking = 1;
    trackPixel = pixel;
    Redraw();
}

void WScrollbar::SendTrack(int value) const {
    HWND target = notifyTarget ? notifyTarget : GetParent(hwnd);
    SendMessageA(target, ScrollMessage(), MAKEWPARAM(SB_THUMBTRACK, value & 0xFFFF),
                 reinterpret_cast<LPARAM>(hwnd));
}

void WScrollbar::OnButtonDown(LPARAM point) {
    const POINT cursor = pointer = SkinPoint(point);
    const int c = (style & vertical) ? cursor.y : cursor.x;
    SetForegroundWindow(GetParent(hwnd));
    SetCapture(hwnd);
    int position = GetPosition();
    int pixel = ValueToPixel(position);
    if (CursorOnThumb(pixel, cursor)) {
        // Grabbed: the thumb stays where it is and follows the mouse from here.
        StartTracking(c - pixel, pixel);
        SendTrack(position);
        return;
    }
    // A click on the track puts the thumb's middle under the cursor.
    int half = thumbLength / 2;
    pixel = ClampToRoom(c - half);
    StartTracking(half, pixel);
    SendTrack(PixelToValue(pixel));
}

// The message's own point, not the cursor's later place, so that every move counts once and
// dragging beyond the slider keeps working.
void WScrollbar::OnMouseMove(WPARAM keys, LPARAM point) {
    const POINT cursor = pointer = SkinPoint(point);
    if (keys == MK_LBUTTON && pressed) {
        int c = (style & vertical) ? cursor.y : cursor.x;
        trackPixel = ClampToRoom(c - grabOffset);
        Redraw();
        int value = PixelToValue(trackPixel);
        if (value != GetPosition()) SendTrack(value);
        return;
    }
    int pixel = ValueToPixel(GetPosition());
    if (CursorOnThumb(pixel, cursor)) {
        // The capture lets the move that leaves the thumb switch the hover look back.
        if (GetCapture() == hwnd) return;
        SetCapture(hwnd);
    } else {
        ReleaseCapture();
    }
    trackPixel = pixel;
    Redraw();
}

void WScrollbar::OnButtonUp() {
    EndDrag(); // before the release, which would end it a second time
    ReleaseCapture();
}

// A release that follows no press in this slider reports nothing.
void WScrollbar::EndDrag() {
    if (!pressed) return;
    pressed = 0;
    SendMessageA(GetParent(hwnd), ScrollMessage(),
                 MAKEWPARAM(SB_THUMBPOSITION, GetPosition() & 0xFFFF),
                 reinterpret_cast<LPARAM>(hwnd));
    tracking = 0;
    Redraw();
}
