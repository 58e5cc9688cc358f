#include "gfx/WBmpFont.h"

#include "gfx/GdiHandles.h"
#include "gfx/WBmpList.h"

#include <algorithm>
#include <vector>

WBmpFont::WBmpFont(WBmpList* bitmaps, int slot, const char* textMap, int height)
    : bitmaps(bitmaps), slot(slot), textMap(textMap), height(height) {
}

int WBmpFont::SetFont(WBmpList* newBitmaps, int newSlot, const char* newTextMap, int newHeight) {
    bitmaps = newBitmaps;
    slot = newSlot;
    textMap.Assign(newTextMap);
    height = newHeight;
    return height;
}

int WBmpFont::DrawString(HDC dc, const char* text, int x, int y, int width, int destHeight,
                         int stretch, int transparent) const {
    if (!text) return 0;
    // Each glyph's place in the strips, from its place in the glyph bitmap.
    std::vector<WBmpList::PartCopy> parts;
    int total = 0;
    for (const char* c = text; *c; c++) {
        TextMap::Glyph glyphs[TextMap::maxShapeGlyphs];
        const int count = textMap.Shape(*c, glyphs);
        for (int i = 0; i < count; i++) {
            const TextMap::Glyph& glyph = glyphs[i];
            if (glyph.width > 0 && glyph.column >= 0)
                parts.push_back({total, 0, glyph.column * glyph.width, glyph.row * height,
                                 glyph.width, height});
            total += glyph.width;
        }
    }
    if (total <= 0 || height <= 0 || !bitmaps) return total;

    MemoryDC imageDC(dc), maskDC(dc);
    BitmapHandle image(CreateCompatibleBitmap(dc, total, height));
    BitmapHandle mask(transparent ? CreateCompatibleBitmap(dc, total, height) : nullptr);
    if (!imageDC || !maskDC || !image || (transparent && !mask)) return total;
    SelectGuard imageSelected(imageDC.Get(), image.Get());
    SelectGuard maskSelected(maskDC.Get(), mask.Get());
    if (!imageSelected.Selected() || (transparent && !maskSelected.Selected())) return total;
    // Parts of the strips no glyph covers (a map wider than its bitmap) stay transparent.
    PatBlt(imageDC.Get(), 0, 0, total, height, BLACKNESS);
    if (transparent) PatBlt(maskDC.Get(), 0, 0, total, height, WHITENESS);

    const int count = int(parts.size());
    bitmaps->CopyParts(imageDC.Get(), slot, WBmpList::modeCopy, parts.data(), count);
    if (transparent)
        bitmaps->CopyParts(maskDC.Get(), slot, WBmpList::modeMask, parts.data(), count);

    if (stretch) {
        if (transparent) {
            StretchBlt(dc, x, y, width, destHeight, maskDC.Get(), 0, 0, total, height, SRCAND);
            StretchBlt(dc, x, y, width, destHeight, imageDC.Get(), 0, 0, total, height, SRCPAINT);
        } else {
            StretchBlt(dc, x, y, width, destHeight, imageDC.Get(), 0, 0, total, height, SRCCOPY);
        }
        return total;
    }
    // Unscaled: cut at the destination's edges; nothing beyond the strip is touched.
    int cutWidth = std::min(width, total), cutHeight = std::min(destHeight, height);
    if (cutWidth <= 0 || cutHeight <= 0) return total;
    if (transparent) {
        BitBlt(dc, x, y, cutWidth, cutHeight, maskDC.Get(), 0, 0, SRCAND);
        BitBlt(dc, x, y, cutWidth, cutHeight, imageDC.Get(), 0, 0, SRCPAINT);
    } else {
        BitBlt(dc, x, y, cutWidth, cutHeight, imageDC.Get(), 0, 0, SRCCOPY);
    }
    return total;
}

int WBmpFont::DrawStringRect(HDC dc, const char* text, const SourceRect& dest, int stretch,
                             int transparent) const {
    return DrawString(dc, text, dest.x, dest.y, dest.width, dest.height, stretch, transparent);
}
