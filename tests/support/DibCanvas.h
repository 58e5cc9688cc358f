#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A 32-bit top-down DIB section selected into its own memory DC: a drawing target whose
// pixels tests can set and read directly.
class DibCanvas {
public:
    using PixelAt = std::function<COLORREF(int x, int y)>;

    DibCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return dc; }
    void Paint(const PixelAt& colourAt);
    // The pixels as a 32-bit bottom-up .bmp file.
    std::string BmpFile() const;
    COLORREF At(int x, int y) const;
    // "" when every pixel of the area matches the function, else the first mismatch.
    std::string Mismatch(int x, int y, int w, int h, const PixelAt& expected) const;

private:
    int width, height;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
};
