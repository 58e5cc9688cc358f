#include "dialogs/DialogArt.h"

#include "gfx/SkinScale.h"

#include <algorithm>

namespace {

constexpr int baseDpi = 96, twoXDpi = 144, enlargeDpi = 240;

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

} // namespace

int DialogArt::DpiOf(HWND window) {
    return SkinScale::DpiOf(window);
}

int DialogArt::ArtScale(int dpi) {
    return dpi >= twoXDpi ? 2 : 1;
}

BitmapHandle DialogArt::Picture(HINSTANCE instance, int oneX, int twoX, int dpi, SIZE box) {
    BitmapHandle art(LoadBitmapA(instance, MAKEINTRESOURCEA(ArtScale(dpi) == 2 ? twoX : oneX)));
    if (!art || dpi < enlargeDpi) return art;
    const SIZE size = SizeOf(art.Get());
    const double wanted = dpi / (2.0 * baseDpi);
    // Never smaller than the 2x art: a box the layout made too small does not shrink it.
    const double factor =
        std::max(1.0, std::min({wanted, double(box.cx) / size.cx, double(box.cy) / size.cy}));
    return Enlarged(art.Get(), int(size.cx * factor), int(size.cy * factor), false);
}

BitmapHandle DialogArt::Show(HWND page, int control, HINSTANCE instance, int oneX, int twoX) {
    HWND placeholder = GetDlgItem(page, control);
    RECT box = {};
    GetWindowRect(placeholder, &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
    const SIZE boxSize = {box.right - box.left, box.bottom - box.top};
    BitmapHandle picture = Picture(instance, oneX, twoX, DpiOf(page), boxSize);
    // The control takes the picture's size.
    SendMessageA(placeholder, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
    const int width = SizeOf(picture.Get()).cx;
    SetWindowPos(placeholder, nullptr, box.left + (boxSize.cx - width) / 2, box.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return picture;
}

BitmapHandle DialogArt::Enlarged(HBITMAP source, int width, int height, bool monochrome) {
    const SIZE size = SizeOf(source);
    ClientDC screen(nullptr);
    BitmapHandle result(monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                                   : CreateCompatibleBitmap(screen.Get(), width, height));
    MemoryDC from(screen.Get()), to(screen.Get());
    if (!result || !from || !to) return BitmapHandle();
    SelectGuard fromGuard(from.Get(), source), toGuard(to.Get(), result.Get());
    SetStretchBltMode(to.Get(), COLORONCOLOR);
    StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    return result;
}
