#include "support/DibCanvas.h"

#include <cstdio>

// A DIB pixel is 0xRRGGBB and a COLORREF 0xBBGGRR: one swap turns either into the other.
static DWORD Swapped(DWORD c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : width(width), height(height) {
    BITMAPINFO info = {{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<DWORD*>(memory);
    previous = SelectObject(dc, bitmap);
    Paint([fill](int, int) { return fill; });
}

DibCanvas::~DibCanvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void DibCanvas::Paint(const PixelAt& colourAt) {
    GdiFlush();
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            bits[y * width + x] = Swapped(colourAt(x, y));
}

std::string DibCanvas::BmpFile() const {
    GdiFlush();
    const DWORD rowBytes = DWORD(width) * 4,
                headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file = {0x4D42, headers + rowBytes * height, 0, 0, headers};
    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::string out(reinterpret_cast<const char*>(&file), sizeof file);
    out.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height - 1; y >= 0; y--)
        out.append(reinterpret_cast<const char*>(bits + y * width), rowBytes);
    return out;
}

COLORREF DibCanvas::At(int x, int y) const {
    GdiFlush();
    return Swapped(bits[y * width + x]);
}

std::string DibCanvas::Mismatch(int x, int y, int w, int h, const PixelAt& expected) const {
    GdiFlush();
    char text[96] = "";
    for (int row = y; row < y + h && !*text; row++)
        for (int column = x; column < x + w && !*text; column++)
            if (DWORD got = Swapped(bits[row * width + column]), want = expected(column, row);
                got != want)
                snprintf(text, sizeof text, "(%d, %d) is %06lX, expected %06lX", column, row,
                         (unsigned long)got, (unsigned long)want);
    return text;
}
