#include "gfx/SkinScale.h"

#include "gfx/GdiHandles.h"

namespace {

constexpr int baseDpi = 96, twoXDpi = 144, threeXDpi = 240;

} // namespace

int SkinScale::DpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    // Windows 10 1607 and later; looked up so that the program still starts on Windows 7.
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow && window) {
        if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
    }
    ClientDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : baseDpi;
}

int SkinScale::ForDpi(int dpi) {
    return dpi >= threeXDpi ? 3 : dpi >= twoXDpi ? 2 : 1;
}

int SkinScale::Effective(int chosen, int dpi) {
    return chosen >= 1 && chosen <= largest ? chosen : ForDpi(dpi);
}
