#include "wlib/WTextBox.h"

#include "gfx/GdiHandles.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "wlib/WFont.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

WTextBox::~WTextBox() {
    // Memory failures are not thrown out of a destructor.
    throwErrors = 0;
    StopMarquee();
    if (hwnd) DestroyWindow(hwnd); // its last message forgets the handle
    if (memory) DeAlloc();         // the block's own destructor would free it too, but unreported
}

int WTextBox::Create(HWND parent, int newStyle, int id, HINSTANCE instance, int x, int y, int width,
                     int height, const char* newText, WFont* newFont, COLORREF newTextColour,
                     COLORREF newBackColour, WBmpList* list, int newBackgroundBitmap,
                     const SourceRect* background, WBmpFont* newBitmapFont) {
    hwnd = CreateWindowExA(0, "BUTTON", newText, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd) return 0;
    style = newStyle;
    SetSkin(newFont, newTextColour, newBackColour, list, newBackgroundBitmap, background,
            newBitmapFont, FALSE);
    Alloc(1);
    SetText(newText, FALSE);
    SetSeparator(" - ");
    Subclass(TextProc);
    return 1;
}

void WTextBox::SetText(const char* newText, int redraw) {
    if (!newText) newText = "";
    size_t length = std::strlen(newText);
    if (length >= static_cast<size_t>(capacity) && !ReAlloc(static_cast<int>(length) + 1)) return;
    std::memmove(text, newText, length + 1); // the caller may pass our own text back
    StopMarquee();
    if (redraw) Invalidate();
}

void WTextBox::SetSeparator(const char* newSeparator) {
    lstrcpynA(separator, newSeparator ? newSeparator : "", separatorCapacity);
}

void WTextBox::SetScrolling(int enabled, int period) {
    scrollEnabled = enabled;
    if (period) scrollPeriod = period;
}

void WTextBox::SetSkin(WFont* newFont, COLORREF newTextColour, COLORREF newBackColour,
                       WBmpList* list, int newBackgroundBitmap, const SourceRect* background,
                       WBmpFont* newBitmapFont, int redraw) {
    font = newFont;
    textColour = newTextColour;
    backColour = newBackColour;
    bitmaps = list;
    backgroundBitmap = newBackgroundBitmap;
    if (background) backgroundSource = *background;
    bitmapFont = newBitmapFont;
    if (redraw) Invalidate();
}

void WTextBox::Invalidate() {
    if (IsOpaque()) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    // See-through: the parent paints the background, the box its text on top.
    HWND parent = GetParent(hwnd);
    RECT area;
    ::GetClientRect(hwnd, &area);
    MapWindowPoints(hwnd, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
}

int WTextBox::Fail(const char* message) const {
    if (throwErrors) throw message;
    return 0;
}

int WTextBox::Alloc(int size) {
    if (memory) return Fail("WTextBox::Alloc(int size) *** ERROR !\nMemory already alloceted.");
    if (size < 1) size = 1;
    memory = GlobalBlock(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size)));
    if (!memory) return Fail("WTextBox::Alloc(int size) *** ERROR !\nOut of memory.");
    text = static_cast<char*>(GlobalLock(memory.Get()));
    if (!text) {
        memory.Free();
        return Fail("WTextBox::Alloc(int size) *** ERROR !\nFailed to lock memory.");
    }
    capacity = size;
    return 1;
}

int WTextBox::ReAlloc(int size) {
    if (!memory) return 0;
    memory.UnlockFully();
    HGLOBAL grown =
        GlobalReAlloc(memory.Get(), static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) {
        // The old block is still ours and still holds the text.
        text = static_cast<char*>(GlobalLock(memory.Get()));
        return Fail("WTextBox::ReAlloc(int size) *** ERROR !\nOut of memory.");
    }
    memory.Replace(grown);
    text = static_cast<char*>(GlobalLock(memory.Get()));
    if (!text) return Fail("WTextBox::ReAlloc(int size) *** ERROR !\nFailed to lock memory.");
    capacity = size;
    return 1;
}

int WTextBox::DeAlloc() {
    if (!memory) return Fail("WTextBox::DeAlloc() *** ERROR !\nMemory not allocated.");
    text = nullptr;
    if (!memory.Free()) return Fail("WTextBox::DeAlloc() *** ERROR !\nFails to free  memory");
    capacity = 0;
    return 1;
}

LRESULT CALLBACK WTextBox::TextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = static_cast<WTextBox*>(FromHandle(window));
    if (!box || !box->oldProc) return DefWindowProcA(window, message, wParam, lParam);
    return box->HandleMessage(message, wParam, lParam);
}

LRESULT WTextBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE: UpdateTooltipRect(); return 0;
    case WM_SIZE: UpdateTooltipRect(); break;
    case WM_ENABLE: Invalidate(); break;
    case WM_SETTEXT: {
        // Only the window text changes; the shown text is set with SetText.
        LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_PAINT: Paint(); return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: return 0;
    case WM_TIMER:
        if (wParam == marqueeTimer && marqueeActive) ScrollStep();
        break;
    case WM_LBUTTONDOWN: {
        int id = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, 0),
                     reinterpret_cast<LPARAM>(hwnd));
        ForwardMouse(message, wParam, lParam);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: ForwardMouse(message, wParam, lParam); return 0;
    // A double click is a second click.
    case WM_LBUTTONDBLCLK: PostMessageA(hwnd, WM_LBUTTONDOWN, wParam, lParam); return 0;
    case WM_NCDESTROY: return ForgetWindow(wParam, lParam);
    }
    return CallWindowProcA(oldProc, hwnd, message, wParam, lParam);
}

void WTextBox::ForwardMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(hwnd);
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    MapWindowPoints(hwnd, parent, &point, 1);
    SendMessageA(parent, message, wParam, MAKELPARAM(point.x, point.y));
}

void WTextBox::Paint() {
    PaintDC paint(hwnd);
    // Opaque boxes draw in skin pixels and are enlarged once; see-through ones are unscaled.
    const SourceRect skin = SkinClient();
    RECT client = {0, 0, skin.width, skin.height};
    if (!IsOpaque()) ::GetClientRect(hwnd, &client);
    const char* shown = marqueeActive ? marqueeText.c_str() : CurrentText();
    int width;
    if (IsOpaque()) {
        MemoryDC buffer(paint.Get());
        BitmapHandle image(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
        SelectGuard selection(buffer.Get(), image.Get());
        width = DrawShownText(buffer.Get(), client, shown);
        WBmpList::BlitScaled(paint.Get(), client.right, client.bottom, buffer.Get(), scale);
    } else {
        width = DrawShownText(paint.Get(), client, shown);
    }
    if (!scrollEnabled) return;
    // Measured on the text itself: the rotated copy carries the separator and would keep a
    // box that has grown wide enough scrolling.
    if (!(style & bitmapText))
        width = MeasureWithFont(paint.Get());
    else if (shown != CurrentText() && bitmapFont)
        width = bitmapFont->DrawString(paint.Get(), CurrentText(), 0, 0, 0, 0, 0, 1);
    // An empty text never scrolls; one exactly as wide as the box does.
    if (CurrentText()[0] == '\0' || width < client.right)
        StopMarquee();
    else if (!marqueeActive)
        StartMarquee(scrollPeriod);
}

// Draws background and text; returns the bitmap font's width of the text (0 otherwise).
int WTextBox::DrawShownText(HDC dc, const RECT& client, const char* shown) const {
    SourceRect whole = {0, 0, client.right, client.bottom};
    if (style & imageBackground) {
        if (bitmaps)
            bitmaps->DrawBitmapRect(dc, backgroundBitmap, WBmpList::modeCopy, whole,
                                    backgroundSource);
    } else if (style & colourBackground) {
        BrushHandle brush(CreateSolidBrush(backColour));
        FillRect(dc, &client, brush.Get());
    }
    if (CurrentText()[0] == '\0') return 0;
    if (style & bitmapText)
        return bitmapFont
                   ? bitmapFont->DrawString(dc, shown, 0, 0, client.right, client.bottom, 0, 1)
                   : 0;
    SelectGuard selection(dc, font ? font->handle : nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    RECT area = client;
    DrawTextA(dc, shown, static_cast<int>(std::strlen(shown)), &area, DT_SINGLELINE);
    return 0;
}

int WTextBox::MeasureWithFont(HDC dc) const {
    SelectGuard selection(dc, font ? font->handle : nullptr);
    SIZE size = {0, 0};
    GetTextExtentPointA(dc, CurrentText(), static_cast<int>(std::strlen(CurrentText())), &size);
    return size.cx;
}

void WTextBox::StartMarquee(int period) {
    if (marqueeActive) StopMarquee();
    marqueeText = std::string(CurrentText()) + separator;
    SetTimer(hwnd, marqueeTimer, static_cast<UINT>(period), nullptr);
    marqueeActive = 1;
}

void WTextBox::StopMarquee() {
    if (marqueeActive) KillTimer(hwnd, marqueeTimer);
    marqueeActive = 0;
    marqueeText.clear();
}

void WTextBox::ScrollStep() {
    if (marqueeText.size() >= 2)
        std::rotate(marqueeText.begin(), marqueeText.begin() + 1, marqueeText.end());
    Invalidate();
}
