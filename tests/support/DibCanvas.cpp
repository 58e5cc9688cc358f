#include "support/DibCanvas.h"

#include <cstdio>

namespace {

DWORD ToDib(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
COLORREF FromDib(DWORD p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string Describe(int x, int y, COLORREF got, COLORREF want) {
    char text[96];
    snprintf(text, sizeof text, "(%d, %d) is %06lX, expected %06lX", x, y, (unsigned long)got,
             (unsigned long)want);
    return text;
}

void Put32(std::string& out, DWORD value) {
    for (int i = 0; i < 4; i++)
        out += char((value >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, WORD value) {
    out += char(value & 0xFF);
    out += char(value >> 8);
}

} // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<DWORD*>(memory);
    previous = SelectObject(dc, bitmap);
    Fill(fill);
}

DibCanvas::~DibCanvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF DibCanvas::Pixel(int x, int y) const {
    GdiFlush();
    return FromDib(bits[y * width + x]);
}

void DibCanvas::SetPixel(int x, int y, COLORREF colour) {
    GdiFlush();
    bits[y * width + x] = ToDib(colour);
}

void DibCanvas::Fill(COLORREF colour) {
    FillRect(0, 0, width, height, colour);
}

void DibCanvas::FillRect(int x, int y, int w, int h, COLORREF colour) {
    GdiFlush();
    for (int row = y; row < y + h; row++)
        for (int column = x; column < x + w; column++)
            bits[row * width + column] = ToDib(colour);
}

void DibCanvas::Paint(const std::function<COLORREF(int, int)>& colourAt) {
    GdiFlush();
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            bits[y * width + x] = ToDib(colourAt(x, y));
}

std::string DibCanvas::BmpFile() const {
    GdiFlush();
    int stride = (width * 3 + 3) & ~3;
    DWORD pixelBytes = DWORD(stride * height);
    std::string file;
    file += "BM";
    Put32(file, 14 + 40 + pixelBytes);
    Put32(file, 0);
    Put32(file, 14 + 40);
    Put32(file, 40);
    Put32(file, DWORD(width));
    Put32(file, DWORD(height));
    Put16(file, 1);
    Put16(file, 24);
    for (int i = 0; i < 6; i++)
        Put32(file, 0);
    for (int y = height - 1; y >= 0; y--) {
        std::string row;
        for (int x = 0; x < width; x++) {
            DWORD p = bits[y * width + x];
            row += char(p & 0xFF);
            row += char((p >> 8) & 0xFF);
            row += char((p >> 16) & 0xFF);
        }
        row.resize(size_t(stride), '\0');
        file += row;
    }
    return file;
}

std::string DibCanvas::Differences(const DibCanvas& other) const {
    if (width != other.width || height != other.height) return "sizes differ";
    int differing = 0;
    std::string first;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            COLORREF mine = Pixel(x, y), theirs = other.Pixel(x, y);
            if (mine == theirs) continue;
            if (!differing++) first = Describe(x, y, mine, theirs);
        }
    if (!differing) return "";
    return std::to_string(differing) + " pixels differ, first " + first;
}

std::string DibCanvas::Mismatch(int x, int y, int w, int h,
                                const std::function<COLORREF(int, int)>& expected) const {
    for (int row = y; row < y + h; row++)
        for (int column = x; column < x + w; column++) {
            COLORREF got = Pixel(column, row), want = expected(column, row);
            if (got != want) return Describe(column, row, got, want);
        }
    return "";
}
