#pragma once

#include "gfx/SourceRect.h"
#include "wlib/WControl.h"

#include <windows.h>

#include <memory>
#include <string>

class WBmpFont;
class WBmpList;
class WFont;
class WScrollbar;

// The playlist's track list: a system "LISTBOX" that keeps items, selection and top index,
// with its own redrawing switched off and painted completely here (background, selection
// bar, the bar of the marked item, texts). A skinned slider may be attached as its scroll
// bar. One item may be marked (the track being played); the mark follows inserts, deletes
// and moves.
class WListBox : public WControl {
public:
    // style flags; a style of 0 or 1 leaves a plain system list box
    enum { solidBackground = 1, bitmapText = 2, tiledBackground = 4 };
    enum { textCapacity = 1000 }; // item texts, terminator included

    WListBox() = default;
    ~WListBox();

    // Returns 1 when the window exists.
    int Create(HWND parent, int style, int id, HINSTANCE instance, int x, int y, int width,
               int height, const char* text, WFont* font, COLORREF textColour, COLORREF backColour,
               WBmpList* bitmaps, int backgroundBitmap, const SourceRect* background,
               WBmpFont* bitmapFont, COLORREF selectionColour, COLORREF markColour);
    // Null font, list, source and bitmap font keep what is stored; no redraw.
    void SetSkin(WFont* font, COLORREF textColour, COLORREF backColour, WBmpList* bitmaps,
                 int backgroundBitmap, const SourceRect* background, WBmpFont* bitmapFont,
                 COLORREF selectionColour, COLORREF markColour);
    // Takes the slider, which then scrolls this list; null lets the one it has go.
    void AttachSlider(std::unique_ptr<WScrollbar> newSlider);

    // Item operations; a non-zero redraw invalidates the list after the change.
    int AddItem(const char* text, int redraw);
    // A playlist entry: the text "%02i. %s" of the audio index and the name, the audio
    // index (1-based) as item data.
    int AddTrack(int audioIndex, const char* name, int redraw);
    int InsertItem(int index, const char* text, int redraw);
    void DeleteItem(int index, int redraw);
    void Clear(int redraw);
    int GetCount() const;
    // buffer holds textCapacity characters
    int GetItemText(int index, char* buffer) const;
    // Any list box's entry, whole; "" for none.
    static std::string TextOf(HWND list, int index);
    LRESULT GetItemData(int index) const;
    void SetItemData(int index, LRESULT value);
    // The first index whose data equals value; 0 when none does.
    int FindByData(LRESULT value) const;
    int GetSelection() const;
    void SetSelection(int index, int redraw);
    int GetTopIndex() const;
    void SetTopIndex(int index, int redraw);
    int GetItemRect(int index, RECT* rect) const;
    // In skin pixels: the system list keeps the scaled height, by which it hit-tests.
    int GetItemHeight() const;
    void SetItemHeight(int index, int height, int redraw);
    void SetScale(int newScale) override;
    void SetTextIndent(int x, int redraw);

    // The mark: -1 for none.
    void SetMarked(int index, int redraw);
    int GetMarked() const { return marked; }
    // marked + 1, wrapping from the last item to 0.
    int NextMarked() const;
    // marked - 1, stopping at 0.
    int PreviousMarked() const;
    // Moves the item by delta places (clamped to the list), keeping its data and its mark;
    // returns its new index, or -1 when nothing is selected or delta is 0.
    int MoveSelected(int index, int delta, int redraw);

    int textIndent = 0;
    int style = 0;
    WFont* font = nullptr; // not owned
    COLORREF textColour = 0;
    WBmpFont* bitmapFont = nullptr; // not owned
    COLORREF backColour = 0;
    WBmpList* bitmaps = nullptr; // not owned
    int backgroundBitmap = 0;
    SourceRect backgroundSource;
    COLORREF selectionColour = 0;
    COLORREF markColour = 0;
    int marked = -1;
    int itemHeight = 0; // in skin pixels; 0 until set
    std::unique_ptr<WScrollbar> slider;

private:
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Redraw(int redraw) {
        if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
    }
    int VisibleRows() const;
    // The item's rectangle in skin pixels.
    RECT SkinItemRect(int index) const;
    void UpdateSliderRange();
    void Paint();
    void PaintBackground(HDC dc, const SourceRect& whole) const;
    void PaintBar(HDC dc, int index, COLORREF colour) const;
    void PaintTexts(HDC dc, int top, int end) const;
    void OnKeyDown(WPARAM key);
    LRESULT OnSliderTrack(WPARAM wParam, LPARAM lParam);
};
