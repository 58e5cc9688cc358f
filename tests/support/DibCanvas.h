#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A 32-bit top-down DIB section selected into its own memory DC: a drawing target whose
// pixels tests can set and read directly.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return dc; }
    HBITMAP Bitmap() const { return bitmap; }
    int Width() const { return width; }
    int Height() const { return height; }

    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF colour);
    void Fill(COLORREF colour);
    void FillRect(int x, int y, int w, int h, COLORREF colour);
    // Sets every pixel from a function of its position.
    void Paint(const std::function<COLORREF(int x, int y)>& colourAt);

    // The pixels as a 24-bit bottom-up .bmp file.
    std::string BmpFile() const;

    // "" when the two canvases are equal, else the count of differing pixels and the first.
    std::string Differences(const DibCanvas& other) const;
    // "" when every pixel of the area matches the function, else the first mismatch.
    std::string Mismatch(int x, int y, int w, int h,
                         const std::function<COLORREF(int x, int y)>& expected) const;

private:
    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
};
