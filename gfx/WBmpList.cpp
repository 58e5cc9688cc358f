#include "gfx/WBmpList.h"

#include <cstring>
#include <optional>

namespace {

const UINT blockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

HBITMAP LoadBitmapImage(HINSTANCE instance, const char* name, UINT flags) {
    return static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, flags));
}

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

// Monochrome sources take the target's text colour for 0 bits and its background colour for
// 1 bits; a mask must come out black and white whatever colours the caller left set.
class MonoColours {
public:
    explicit MonoColours(HDC dc)
        : dc(dc), text(SetTextColor(dc, RGB(0, 0, 0))), back(SetBkColor(dc, RGB(255, 255, 255))) {}
    ~MonoColours() {
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
    MonoColours(const MonoColours&) = delete;
    MonoColours& operator=(const MonoColours&) = delete;

private:
    HDC dc;
    COLORREF text;
    COLORREF back;
};

void StretchFrom(HDC dc, HBITMAP bitmap, int dx, int dy, int dw, int dh, int sx, int sy, int sw,
                 int sh, DWORD rop) {
    if (!bitmap) return;
    MemoryDC source(dc);
    if (!source) return;
    SelectGuard selected(source.Get(), bitmap);
    if (!selected.Selected()) return;
    StretchBlt(dc, dx, dy, dw, dh, source.Get(), sx, sy, sw, sh, rop);
}

// Calls draw(x, y, width, height) for each cell of the source's size over the destination;
// the cells of the last column and row keep only what is left, empty ones are skipped.
template <class Draw>
void ForEachTile(const SourceRect& dest, const SourceRect& source, Draw draw) {
    const int columns = dest.width / source.width, rows = dest.height / source.height;
    const int restWidth = dest.width % source.width, restHeight = dest.height % source.height;
    for (int row = 0; row <= rows; row++) {
        const int height = row == rows ? restHeight : source.height;
        if (!height) continue;
        for (int column = 0; column <= columns; column++) {
            const int width = column == columns ? restWidth : source.width;
            if (width)
                draw(dest.x + column * source.width, dest.y + row * source.height, width, height);
        }
    }
}

} // namespace

WBmpList::WBmpList(int initialCapacity) {
    Alloc(initialCapacity);
}

WBmpList::~WBmpList() {
    // A destructor must not throw.
    throwErrors = 0;
    if (block) DeAlloc();
}

void WBmpList::Report(const char* message) const {
    if (throwErrors) throw message;
}

int WBmpList::Alloc(int size) {
    if (block) {
        Report("WBmpList::Alloc(int size) *** ERROR !\nMemory already alloceted.");
        return 0;
    }
    if (size < 1) size = 1;
    GlobalBlock fresh(size <= maxCapacity ? GlobalAlloc(blockFlags, size * sizeof(Entry))
                                          : nullptr);
    if (!fresh) {
        Report("WBmpList::Alloc(int size) *** ERROR !\nOut of memory.");
        return 0;
    }
    void* memory = GlobalLock(fresh.Get());
    if (!memory) {
        Report("WBmpList::Alloc(int size) *** ERROR !\nFailed to lock memory.");
        return 0;
    }
    block = std::move(fresh);
    entries = static_cast<Entry*>(memory);
    capacity = size;
    count = 0;
    return 1;
}

int WBmpList::ReAlloc(int size) {
    if (!block) return 0;
    if (size < 1) size = 1;
    if (size > maxCapacity) {
        Report("WBmpList::ReAlloc(int size) *** ERROR !\nOut of memory.");
        return 0;
    }
    // Entries that no longer fit give up their bitmaps now, while they can still be read.
    if (size < count) {
        DeleteEntries(size, count);
        count = size;
    }
    block.UnlockFully();
    entries = nullptr;
    HGLOBAL resized = GlobalReAlloc(block.Get(), size * sizeof(Entry), blockFlags);
    if (!resized) {
        // The old block is still ours and intact: keep using it.
        entries = static_cast<Entry*>(GlobalLock(block.Get()));
        Report("WBmpList::ReAlloc(int size) *** ERROR !\nOut of memory.");
        return 0;
    }
    block.Replace(resized);
    void* memory = GlobalLock(resized);
    if (!memory) {
        Report("WBmpList::ReAlloc(int size) *** ERROR !\nFailed to lock memory.");
        return 0;
    }
    entries = static_cast<Entry*>(memory);
    // New entries must start empty whatever the allocator did with the grown part.
    if (size > capacity) memset(entries + capacity, 0, (size - capacity) * sizeof(Entry));
    capacity = size;
    return 1;
}

int WBmpList::DeAlloc() {
    if (!block) {
        Report("WBmpList::DeAlloc() *** ERROR !\nMemory not allocated.");
        return 0;
    }
    DeleteEntries(0, count);
    entries = nullptr;
    capacity = 0;
    count = 0;
    if (!block.Free()) {
        Report("WBmpList::DeAlloc() *** ERROR !\nFails to free  memory");
        return 0;
    }
    return 1;
}

void WBmpList::DeleteEntries(int from, int to) {
    if (!entries) return;
    for (int index = from; index < to; index++) {
        Entry& entry = entries[index];
        if (entry.image) DeleteObject(entry.image);
        if (entry.mask) DeleteObject(entry.mask);
        entry = {nullptr, nullptr};
    }
}

int WBmpList::PrepareAppend() {
    if (!entries) return 0;
    if (count < capacity) return 1;
    return ReAlloc(capacity + 1);
}

BitmapHandle WBmpList::LoadImageFor(HINSTANCE instance, const char* image, UINT flags) const {
    if (!image) {
        Report("WBmpList::x_AddBitmap *** ERROR !\nName or identifier of image can't be NULL");
        return BitmapHandle();
    }
    BitmapHandle loaded(LoadBitmapImage(instance, image, flags));
    if (!loaded) Report("WBmpList::x_AddBitmap *** ERROR !\nCan't load image");
    return loaded;
}

int WBmpList::FillEntry(int index, HINSTANCE instance, const char* image, UINT imageFlags,
                        const char* mask, UINT maskFlags) {
    BitmapHandle loaded = LoadImageFor(instance, image, imageFlags);
    if (!loaded) return -1;
    BitmapHandle loadedMask;
    if (mask) {
        loadedMask.Reset(LoadBitmapImage(instance, mask, maskFlags));
        if (!loadedMask) {
            Report("WBmpList::x_AddBitmap *** ERROR !\nCan't load mask");
            return -1;
        }
    }
    entries[index].image = loaded.Release();
    // Without a new mask the entry keeps the one it has.
    if (mask) entries[index].mask = loadedMask.Release();
    return index;
}

int WBmpList::FillEntry(int index, HINSTANCE instance, const char* image, UINT imageFlags,
                        COLORREF transparent) {
    BitmapHandle loaded = LoadImageFor(instance, image, imageFlags);
    if (!loaded) return -1;
    BitmapHandle mask(CreateMask(loaded.Get(), transparent));
    if (!mask) {
        Report("WBmpList::x_AddBitmap *** ERROR !\nCan't create mask");
        return -1;
    }
    entries[index].image = loaded.Release();
    entries[index].mask = mask.Release();
    return index;
}

int WBmpList::x_AddBitmap(HINSTANCE instance, const char* image, UINT imageFlags, const char* mask,
                          UINT maskFlags) {
    if (!PrepareAppend()) return -1;
    if (FillEntry(count, instance, image, imageFlags, mask, maskFlags) < 0) return -1;
    return count++;
}

int WBmpList::x_AddBitmap(HINSTANCE instance, const char* image, UINT imageFlags,
                          COLORREF transparent) {
    if (!PrepareAppend()) return -1;
    if (FillEntry(count, instance, image, imageFlags, transparent) < 0) return -1;
    return count++;
}

int WBmpList::AddBitmap(int id) {
    return x_AddBitmap(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 0, nullptr, 0);
}

int WBmpList::AddBitmapMasked(int id, COLORREF transparent) {
    return x_AddBitmap(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 0, transparent);
}

bool WBmpList::CheckReplaceIndex(int index, const char* message) const {
    if (index >= 0 && index < count) return true;
    Report(message);
    return false;
}

int WBmpList::ReplaceBitmap(int index, HINSTANCE instance, int imageId, int maskId) {
    if (!CheckReplaceIndex(index, "WBmpList::ReplaceBitmap *** ERROR !\nIndex out of bounds."))
        return -1;
    const char* image = MAKEINTRESOURCEA(imageId);
    const char* mask = maskId ? MAKEINTRESOURCEA(maskId) : nullptr;
    DeleteBitmaps(index, (image ? deleteImage : 0) | (mask ? deleteMask : 0));
    return FillEntry(index, instance, image, 0, mask, 0);
}

int WBmpList::ReplaceBitmapMasked(int index, HINSTANCE instance, int imageId,
                                  COLORREF transparent) {
    if (!CheckReplaceIndex(index,
                           "WBmpList::ReplaceBitmapMasked *** ERROR !\nIndex out of bounds."))
        return -1;
    DeleteBitmaps(index, deleteImage | deleteMask);
    return FillEntry(index, instance, MAKEINTRESOURCEA(imageId), 0, transparent);
}

int WBmpList::ReplaceBitmapF(int index, const char* imagePath, const char* maskPath) {
    if (!CheckReplaceIndex(index, "WBmpList::ReplaceBitmapF *** ERROR !\nIndex out of bounds."))
        return -1;
    DeleteBitmaps(index, (imagePath ? deleteImage : 0) | (maskPath ? deleteMask : 0));
    return FillEntry(index, GetModuleHandleA(nullptr), imagePath, LR_LOADFROMFILE, maskPath,
                     LR_LOADFROMFILE);
}

int WBmpList::ReplaceBitmapMaskedF(int index, const char* imagePath, COLORREF transparent) {
    if (!CheckReplaceIndex(index,
                           "WBmpList::ReplaceBitmapMaskedF *** ERROR !\nIndex out of bounds."))
        return -1;
    DeleteBitmaps(index, deleteImage | deleteMask);
    return FillEntry(index, GetModuleHandleA(nullptr), imagePath, LR_LOADFROMFILE, transparent);
}

HBITMAP WBmpList::CreateMask(HBITMAP image, COLORREF transparent) {
    int width, height;
    if (!BitmapSize(image, width, height)) return nullptr;
    BitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
    MemoryDC imageDC(nullptr), maskDC(nullptr);
    if (!mask || !imageDC || !maskDC) return nullptr;
    SelectGuard imageSelected(imageDC.Get(), image);
    SelectGuard maskSelected(maskDC.Get(), mask.Get());
    if (!imageSelected.Selected() || !maskSelected.Selected()) return nullptr;
    // Colour to monochrome: pixels equal to the background colour become 1.
    SetBkColor(imageDC.Get(), transparent);
    BitBlt(maskDC.Get(), 0, 0, width, height, imageDC.Get(), 0, 0, SRCCOPY);
    // Monochrome to colour: 1 gives the transparent colour again, so XOR makes those pixels
    // black; 0 gives black and leaves the others as they are.
    SetTextColor(imageDC.Get(), RGB(0, 0, 0));
    BitBlt(imageDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, SRCINVERT);
    return mask.Release();
}

void WBmpList::DeleteBitmaps(int index, int which) {
    if (!Valid(index)) return;
    Entry& entry = entries[index];
    if (which & deleteImage) {
        if (entry.image) DeleteObject(entry.image);
        entry.image = nullptr;
    }
    if ((which & deleteMask) && entry.mask) {
        DeleteObject(entry.mask);
        entry.mask = nullptr;
    }
}

void WBmpList::DrawBitmap(HDC dc, int index, int mode, int x, int y) const {
    int width, height;
    if (!BitmapSize(Image(index), width, height)) return;
    DrawBitmapPart(dc, index, mode, x, y, width, height, 0, 0, width, height);
}

void WBmpList::DrawBitmapPart(HDC dc, int index, int mode, int dx, int dy, int dw, int dh, int sx,
                              int sy, int sw, int sh) const {
    if (!Valid(index)) return;
    const Entry& entry = entries[index];
    switch (mode) {
    case modeCopy: StretchFrom(dc, entry.image, dx, dy, dw, dh, sx, sy, sw, sh, SRCCOPY); break;
    case modeTransparent: DrawTransparent(dc, entry, dx, dy, dw, dh, sx, sy, sw, sh); break;
    case modeMask: {
        MonoColours colours(dc);
        StretchFrom(dc, entry.mask, dx, dy, dw, dh, sx, sy, sw, sh, SRCCOPY);
        break;
    }
    default: break;
    }
}

void WBmpList::DrawTransparent(HDC dc, const Entry& entry, int dx, int dy, int dw, int dh, int sx,
                               int sy, int sw, int sh) const {
    if (!entry.image || !entry.mask || sw <= 0 || sh <= 0) return;
    MemoryDC source(dc), scratchDC(dc);
    BitmapHandle scratch(CreateCompatibleBitmap(dc, sw, sh));
    if (!source || !scratchDC || !scratch) return;
    SelectGuard scratchSelected(scratchDC.Get(), scratch.Get());
    if (!scratchSelected.Selected()) return;
    {
        SelectGuard mask(source.Get(), entry.mask);
        BitBlt(scratchDC.Get(), 0, 0, sw, sh, source.Get(), sx, sy, SRCCOPY);
    }
    {
        // The opaque pixels alone, black where the mask marks transparency.
        SelectGuard image(source.Get(), entry.image);
        BitBlt(scratchDC.Get(), 0, 0, sw, sh, source.Get(), sx, sy, SRCERASE);
    }
    {
        // Clear the target to black under the opaque pixels only.
        MonoColours colours(dc);
        SelectGuard mask(source.Get(), entry.mask);
        StretchBlt(dc, dx, dy, dw, dh, source.Get(), sx, sy, sw, sh, SRCAND);
    }
    StretchBlt(dc, dx, dy, dw, dh, scratchDC.Get(), 0, 0, sw, sh, SRCPAINT);
}

void WBmpList::DrawBitmapRect(HDC dc, int index, int mode, const SourceRect& dest,
                              const SourceRect& source) const {
    DrawBitmapPart(dc, index, mode, dest.x, dest.y, dest.width, dest.height, source.x, source.y,
                   source.width, source.height);
}

void WBmpList::DrawBitmapFrom(HDC dc, int index, int mode, const SourceRect& dest, int sx, int sy,
                              int toFarCorner) const {
    int width = dest.width, height = dest.height;
    if (toFarCorner) {
        if (!BitmapSize(Image(index), width, height)) return;
        width -= sx;
        height -= sy;
    }
    DrawBitmapPart(dc, index, mode, dest.x, dest.y, dest.width, dest.height, sx, sy, width, height);
}

void WBmpList::TileBitmap(HDC dc, int index, int mode, const SourceRect& dest,
                          const SourceRect& source) const {
    // Negative sizes would mirror the cells; they draw nothing, like empty ones.
    if (source.width <= 0 || source.height <= 0 || dest.width <= 0 || dest.height <= 0) return;
    if (!Valid(index)) return;
    if (mode == modeTransparent) {
        ForEachTile(dest, source, [&](int x, int y, int width, int height) {
            DrawBitmapPart(dc, index, mode, x, y, width, height, source.x, source.y, width, height);
        });
        return;
    }
    // Small tiles over a large area make many cells: they share one source context.
    WithSource(dc, index, mode, [&](HDC sourceDC) {
        ForEachTile(dest, source, [&](int x, int y, int width, int height) {
            BitBlt(dc, x, y, width, height, sourceDC, source.x, source.y, SRCCOPY);
        });
    });
}

void WBmpList::CopyParts(HDC dc, int index, int mode, const PartCopy* parts, int count) const {
    if (!parts || count <= 0) return;
    WithSource(dc, index, mode, [&](HDC sourceDC) {
        for (int i = 0; i < count; i++) {
            const PartCopy& p = parts[i];
            BitBlt(dc, p.dx, p.dy, p.width, p.height, sourceDC, p.sx, p.sy, SRCCOPY);
        }
    });
}

template <class Copy> void WBmpList::WithSource(HDC dc, int index, int mode, Copy copy) const {
    if (!Valid(index)) return;
    const Entry& entry = entries[index];
    HBITMAP bitmap = mode == modeCopy ? entry.image : mode == modeMask ? entry.mask : nullptr;
    MemoryDC sourceDC(dc);
    if (!bitmap || !sourceDC) return;
    SelectGuard selected(sourceDC.Get(), bitmap);
    if (!selected.Selected()) return;
    std::optional<MonoColours> colours;
    if (mode == modeMask) colours.emplace(dc);
    copy(sourceDC.Get());
}

void WBmpList::TileBitmapRect(HDC dc, int index, int mode, const RECT& dest,
                              const RECT& source) const {
    TileBitmap(dc, index, mode,
               {dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top},
               {source.left, source.top, source.right - source.left, source.bottom - source.top});
}

void WBmpList::BlitDC(HDC dc, const SourceRect& dest, HDC source) {
    BitBlt(dc, dest.x, dest.y, dest.width, dest.height, source, 0, 0, SRCCOPY);
}

void WBmpList::BlitScaled(HDC dc, int width, int height, HDC source, int scale) {
    if (scale == 1) {
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, width * scale, height * scale, source, 0, 0, width, height, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}
