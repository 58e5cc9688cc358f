#include "wlib/WListBox.h"

#include "gfx/GdiHandles.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "wlib/WFont.h"
#include "wlib/WScrollbar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

WListBox::~WListBox() {
    slider.reset();
    if (hwnd) DestroyWindow(hwnd); // its last message forgets the handle
}

int WListBox::Create(HWND parent, int newStyle, int id, HINSTANCE instance, int x, int y, int width,
                     int height, const char* text, WFont* newFont, COLORREF newTextColour,
                     COLORREF newBackColour, WBmpList* list, int newBackgroundBitmap,
                     const SourceRect* background, WBmpFont* newBitmapFont,
                     COLORREF newSelectionColour, COLORREF newMarkColour) {
    DWORD windowStyle = WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    hwnd = CreateWindowExA(0, "LISTBOX", text, windowStyle, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd) return 0;
    // Every change that should show invalidates the list itself.
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    style = newStyle;
    SetSkin(newFont, newTextColour, newBackColour, list, newBackgroundBitmap, background,
            newBitmapFont, newSelectionColour, newMarkColour);
    // A plain list is subclassed too, only to hear of its destruction. Wide, so that reading
    // an entry as wide text is not turned back into the ANSI reading with its short buffer.
    Subclass(ListProc, true);
    return 1;
}

void WListBox::SetSkin(WFont* newFont, COLORREF newTextColour, COLORREF newBackColour,
                       WBmpList* list, int newBackgroundBitmap, const SourceRect* background,
                       WBmpFont* newBitmapFont, COLORREF newSelectionColour,
                       COLORREF newMarkColour) {
    if (newFont) font = newFont;
    if (list) bitmaps = list;
    if (newBitmapFont) bitmapFont = newBitmapFont;
    if (background) backgroundSource = *background;
    textColour = newTextColour;
    backColour = newBackColour;
    backgroundBitmap = newBackgroundBitmap;
    selectionColour = newSelectionColour;
    markColour = newMarkColour;
}

void WListBox::AttachSlider(std::unique_ptr<WScrollbar> newSlider) {
    slider = std::move(newSlider);
    if (slider) slider->SetNotifyTarget(hwnd);
}

int WListBox::AddItem(const char* text, int redraw) {
    int index =
        static_cast<int>(SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    Redraw(redraw);
    return index;
}

int WListBox::AddTrack(int audioIndex, const char* name, int redraw) {
    std::vector<char> text(std::strlen(name ? name : "") + 16);
    std::snprintf(text.data(), text.size(), "%02i. %s", audioIndex, name ? name : "");
    int index = AddItem(text.data(), FALSE);
    if (index >= 0) SetItemData(index, audioIndex);
    Redraw(redraw);
    return index;
}

int WListBox::InsertItem(int index, const char* text, int redraw) {
    int inserted = static_cast<int>(SendMessageA(hwnd, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                                 reinterpret_cast<LPARAM>(text)));
    if (inserted >= 0 && inserted <= marked) marked++;
    Redraw(redraw);
    return inserted;
}

void WListBox::DeleteItem(int index, int redraw) {
    LRESULT remaining = SendMessageA(hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (remaining == LB_ERR) return;
    if (index < marked)
        marked--;
    else if (remaining == marked)
        marked = -1; // the marked item was the last one
    Redraw(redraw);
}

void WListBox::Clear(int redraw) {
    SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
    marked = -1;
    Redraw(redraw);
}

int WListBox::GetCount() const {
    return static_cast<int>(SendMessageA(hwnd, LB_GETCOUNT, 0, 0));
}

// Cut rather than written past the caller's buffer.
int WListBox::GetItemText(int index, char* buffer) const {
    buffer[0] = '\0';
    if (SendMessageW(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) == LB_ERR) return LB_ERR;
    const std::string text = TextOf(hwnd, index);
    const size_t length = std::min(text.size(), static_cast<size_t>(textCapacity - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

// Read as wide text, its length first: LB_GETTEXT knows no buffer size, and under Wine its
// ANSI form goes through a fixed 512-character buffer that longer entries overrun.
std::string WListBox::TextOf(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) return "";
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide.data()));
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return "";
    std::vector<char> text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), size, nullptr, nullptr);
    return text.data();
}

LRESULT WListBox::GetItemData(int index) const {
    return SendMessageA(hwnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void WListBox::SetItemData(int index, LRESULT value) {
    SendMessageA(hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
}

int WListBox::FindByData(LRESULT value) const {
    int count = GetCount();
    for (int i = 0; i < count; i++)
        if (GetItemData(i) == value) return i;
    return 0;
}

int WListBox::GetSelection() const {
    return static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
}

void WListBox::SetSelection(int index, int redraw) {
    SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Redraw(redraw);
}

int WListBox::GetTopIndex() const {
    return static_cast<int>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
}

void WListBox::SetTopIndex(int index, int redraw) {
    SendMessageA(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    Redraw(redraw);
}

int WListBox::GetItemRect(int index, RECT* rect) const {
    return static_cast<int>(SendMessageA(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(rect)));
}

int WListBox::GetItemHeight() const {
    return static_cast<int>(SendMessageA(hwnd, LB_GETITEMHEIGHT, 0, 0)) / scale;
}

// The system list takes heights up to 255 pixels.
void WListBox::SetItemHeight(int index, int height, int redraw) {
    itemHeight = height;
    const int scaled = std::min(height * scale, 255);
    SendMessageA(hwnd, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(scaled, 0));
    UpdateSliderRange();
    Redraw(redraw);
}

void WListBox::SetScale(int newScale) {
    WControl::SetScale(newScale);
    if (itemHeight > 0) SetItemHeight(0, itemHeight, 1);
}

RECT WListBox::SkinItemRect(int index) const {
    RECT item = {};
    if (GetItemRect(index, &item) == LB_ERR) return {};
    return {item.left / scale, item.top / scale, item.right / scale, item.bottom / scale};
}

void WListBox::SetTextIndent(int x, int redraw) {
    textIndent = x;
    Redraw(redraw);
}

void WListBox::SetMarked(int index, int redraw) {
    marked = index;
    Redraw(redraw);
}

int WListBox::NextMarked() const {
    return marked + 1 == GetCount() ? 0 : marked + 1;
}

int WListBox::PreviousMarked() const {
    return marked == 0 ? 0 : std::max(marked - 1, 0);
}

int WListBox::MoveSelected(int index, int delta, int redraw) {
    int selection = GetSelection();
    if (selection == LB_ERR || delta == 0) return -1;
    int target = std::clamp(selection + delta, 0, GetCount() - 1);
    int wasMarked = marked;
    char text[textCapacity];
    GetItemText(index, text);
    LRESULT data = GetItemData(index);
    DeleteItem(index, FALSE);
    int moved = InsertItem(target, text, redraw);
    SetItemData(moved, data);
    if (index == wasMarked) SetMarked(moved, TRUE);
    return moved;
}

int WListBox::VisibleRows() const {
    const int height = GetItemHeight();
    return height > 0 ? SkinClient().height / height : 0;
}

void WListBox::UpdateSliderRange() {
    if (slider) slider->SetRange(0, GetCount() - VisibleRows() + 1, TRUE);
}

LRESULT CALLBACK WListBox::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = static_cast<WListBox*>(FromHandle(window));
    if (!list || !list->oldProc) return DefWindowProcW(window, message, wParam, lParam);
    return list->HandleMessage(message, wParam, lParam);
}

LRESULT WListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) return ForgetWindow(wParam, lParam);
    if (style <= 1) return CallOldProc(message, wParam, lParam);
    switch (message) {
    // The range is taken with the count from before the change.
    case WM_SIZE:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT: UpdateSliderRange(); break;
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1; // painting covers everything
    case WM_KEYDOWN: OnKeyDown(wParam); break;
    case WM_LBUTTONDOWN: InvalidateRect(hwnd, nullptr, FALSE); break;
    case WM_VSCROLL: return OnSliderTrack(wParam, lParam);
    }
    return CallOldProc(message, wParam, lParam);
}

void WListBox::OnKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        // Enter plays the selected entry, like a double click.
        int id = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT WListBox::OnSliderTrack(WPARAM wParam, LPARAM lParam) {
    // The system list may take the track position from a scroll bar of its own (it has
    // none), so the slider's value is applied after it had its say.
    LRESULT result = CallOldProc(WM_VSCROLL, wParam, lParam);
    if (slider && LOWORD(wParam) == SB_THUMBTRACK) {
        int top = HIWORD(wParam);
        slider->SetPosition(top, TRUE);
        SetTopIndex(top, TRUE);
    }
    return result;
}

void WListBox::Paint() {
    {
        PaintDC paint(hwnd);
        // Drawn in skin pixels, then enlarged in one go.
        const SourceRect whole = SkinClient();
        MemoryDC memory(paint.Get());
        BitmapHandle image(CreateCompatibleBitmap(paint.Get(), whole.width, whole.height));
        SelectGuard selection(memory.Get(), image.Get());

        PaintBackground(memory.Get(), whole);
        int selected = GetSelection();
        // Without a selection there is neither a bar nor a focus rectangle to draw.
        if (selected != LB_ERR) PaintBar(memory.Get(), selected, selectionColour);
        if (marked >= 0) PaintBar(memory.Get(), marked, markColour);
        const RECT focus = SkinItemRect(selected);
        if (selected != LB_ERR && focus.bottom > focus.top) DrawFocusRect(memory.Get(), &focus);

        const int top = GetTopIndex();
        PaintTexts(memory.Get(), top, std::min(GetCount(), top + VisibleRows() + 1));
        WBmpList::BlitScaled(paint.Get(), whole.width, whole.height, memory.Get(), scale);
    }
    if (slider) slider->SetPosition(GetTopIndex(), TRUE);
}

void WListBox::PaintBackground(HDC dc, const SourceRect& whole) const {
    if (style & tiledBackground) {
        if (bitmaps)
            bitmaps->TileBitmap(dc, backgroundBitmap, WBmpList::modeCopy, whole, backgroundSource);
    } else if (style & solidBackground) {
        BrushHandle brush(CreateSolidBrush(backColour));
        RECT area = {0, 0, whole.width, whole.height};
        FillRect(dc, &area, brush.Get());
    }
}

void WListBox::PaintBar(HDC dc, int index, COLORREF colour) const {
    const RECT item = SkinItemRect(index);
    if (item.bottom <= item.top) return;
    BrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &item, brush.Get());
}

void WListBox::PaintTexts(HDC dc, int top, int end) const {
    char text[textCapacity];
    RECT item;
    if (style & bitmapText) {
        if (!bitmapFont) return;
        int offset = MulDiv(GetItemHeight() - bitmapFont->height, 1, 2);
        for (int i = top; i < end; i++) {
            GetItemText(i, text);
            item = SkinItemRect(i);
            SourceRect place = {textIndent, item.top + offset, item.right - item.left,
                                item.bottom - item.top};
            bitmapFont->DrawStringRect(dc, text, place, 0, 1);
        }
        return;
    }
    SelectGuard selection(dc, font ? font->handle : nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    for (int i = top; i < end; i++) {
        GetItemText(i, text);
        item = SkinItemRect(i);
        DrawTextA(dc, text, -1, &item, DT_SINGLELINE | DT_VCENTER);
    }
}
