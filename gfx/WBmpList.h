#pragma once

#include "gfx/GdiHandles.h"
#include "gfx/SourceRect.h"

#include <windows.h>

// The store of skin images: a growable array of (image, mask) bitmap pairs kept in one
// movable global memory block, and the drawing routines every skinned surface uses.
// Entries are never removed; the list owns every bitmap in them.
class WBmpList {
public:
    // Draw modes.
    enum { modeCopy = 0, modeTransparent = 1, modeMask = 2 };
    // DeleteBitmaps selectors.
    enum { deleteImage = 1, deleteMask = 2 };

    struct Entry {
        HBITMAP image;
        HBITMAP mask; // 1 bit per pixel, 1 = transparent; may be null
    };

    explicit WBmpList(int initialCapacity);
    ~WBmpList();
    WBmpList(const WBmpList&) = delete;
    WBmpList& operator=(const WBmpList&) = delete;

    // Storage: 1 on success, 0 on failure.
    int Alloc(int size);
    int ReAlloc(int size);
    int DeAlloc();

    // Appending: the new entry's index, or -1.
    int x_AddBitmap(HINSTANCE instance, const char* image, UINT imageFlags, const char* mask,
                    UINT maskFlags);
    int x_AddBitmap(HINSTANCE instance, const char* image, UINT imageFlags, COLORREF transparent);
    int AddBitmap(int id);
    int AddBitmapMasked(int id, COLORREF transparent);

    // Replacing in place: the index, or -1.
    int ReplaceBitmap(int index, HINSTANCE instance, int imageId, int maskId);
    int ReplaceBitmapMasked(int index, HINSTANCE instance, int imageId, COLORREF transparent);
    int ReplaceBitmapF(int index, const char* imagePath, const char* maskPath);
    int ReplaceBitmapMaskedF(int index, const char* imagePath, COLORREF transparent);

    // Makes a mask of the pixels of the transparent colour and turns those pixels of the
    // image black. The caller owns the returned mask (null on failure).
    static HBITMAP CreateMask(HBITMAP image, COLORREF transparent);
    void DeleteBitmaps(int index, int which);

    // Drawing. An index outside the list, or an entry without the bitmap the mode needs,
    // draws nothing.
    void DrawBitmap(HDC dc, int index, int mode, int x, int y) const;
    void DrawBitmapPart(HDC dc, int index, int mode, int dx, int dy, int dw, int dh, int sx, int sy,
                        int sw, int sh) const;
    void DrawBitmapRect(HDC dc, int index, int mode, const SourceRect& dest,
                        const SourceRect& source) const;
    void DrawBitmapFrom(HDC dc, int index, int mode, const SourceRect& dest, int sx, int sy,
                        int toFarCorner) const;
    void TileBitmap(HDC dc, int index, int mode, const SourceRect& dest,
                    const SourceRect& source) const;
    void TileBitmapRect(HDC dc, int index, int mode, const RECT& dest, const RECT& source) const;
    // Unscaled copies of many parts of one entry's image (modeCopy) or mask (modeMask), such
    // as the glyphs of a text: one source context serves them all.
    struct PartCopy {
        int dx, dy, sx, sy, width, height;
    };
    void CopyParts(HDC dc, int index, int mode, const PartCopy* parts, int count) const;
    static void BlitDC(HDC dc, const SourceRect& dest, HDC source);
    // The width x height pixels at the source's corner, each drawn as scale x scale pixels at
    // dc's corner: nearest neighbour, so the skin stays crisp.
    static void BlitScaled(HDC dc, int width, int height, HDC source, int scale);

    int Capacity() const { return capacity; }
    int Count() const { return count; }
    HBITMAP Image(int index) const { return Valid(index) ? entries[index].image : nullptr; }
    HBITMAP Mask(int index) const { return Valid(index) ? entries[index].mask : nullptr; }

    // When non-zero, failures throw their message text (const char*) instead of only
    // returning the failure result.
    int throwErrors = 0;

private:
    // Keeps the block's byte size within a 32-bit signed count.
    static constexpr int maxCapacity = int(0x7FFFFFFF / sizeof(Entry));

    bool Valid(int index) const { return entries && index >= 0 && index < count; }
    void Report(const char* message) const;
    int PrepareAppend();
    void DeleteEntries(int from, int to);
    bool CheckReplaceIndex(int index, const char* message) const;
    BitmapHandle LoadImageFor(HINSTANCE instance, const char* image, UINT flags) const;
    // Put freshly loaded bitmaps into an entry; on failure nothing loaded stays behind.
    int FillEntry(int index, HINSTANCE instance, const char* image, UINT imageFlags,
                  const char* mask, UINT maskFlags);
    int FillEntry(int index, HINSTANCE instance, const char* image, UINT imageFlags,
                  COLORREF transparent);
    void DrawTransparent(HDC dc, const Entry& entry, int dx, int dy, int dw, int dh, int sx, int sy,
                         int sw, int sh) const;
    // Calls copy(sourceDC) with the entry's image or mask selected into a memory context and,
    // for a mask, black and white set on the target; not at all when there is none.
    template <class Copy> void WithSource(HDC dc, int index, int mode, Copy copy) const;

    Entry* entries = nullptr;
    GlobalBlock block;
    int capacity = 0;
    int count = 0;
};
