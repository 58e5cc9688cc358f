#include "support/DibCanvas.h"

#include <cstdio>

namespace {

DWORD ToDib(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

COLORREF FromDib(DWORD p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* memory = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<DWORD*>(memory);
    previous = SelectObject(dc, bitmap);
    FillRect(0, 0, width, height, fill);
}

DibCanvas::~DibCanvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void DibCanvas::FillRect(int x, int y, int w, int h, COLORREF colour) {
    Paint([&](int px, int py) {
        bool inside = px >= x && px < x + w && py >= y && py < y + h;
        return inside ? colour : FromDib(bits[py * width + px]);
    });
}

void DibCanvas::Paint(const PixelAt& colourAt) {
    GdiFlush();
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            bits[y * width + x] = ToDib(colourAt(x, y));
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

std::string DibCanvas::Mismatch(int x, int y, int w, int h, const PixelAt& expected) const {
    GdiFlush();
    for (int row = y; row < y + h; row++)
        for (int column = x; column < x + w; column++) {
            COLORREF got = FromDib(bits[row * width + column]), want = expected(column, row);
            if (got == want) continue;
            char text[96];
            snprintf(text, sizeof text, "(%d, %d) is %06lX, expected %06lX", column, row,
                     (unsigned long)got, (unsigned long)want);
            return text;
        }
    return "";
}
