#pragma once

#include <windows.h>

#include <utility>

// Move-only owners of GDI and kernel handles: each handle is released in exactly one place,
// on every path out of the scope that made it.

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { Reset(); }
    MemoryDC(MemoryDC&& other) noexcept : dc(std::exchange(other.dc, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            Reset();
            dc = std::exchange(other.dc, nullptr);
        }
        return *this;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }
    void Reset() {
        if (dc) DeleteDC(dc);
        dc = nullptr;
    }

private:
    HDC dc = nullptr;
};

// Any object released with DeleteObject: bitmaps, brushes, fonts, pens, regions.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    // Gives up ownership, for handing the handle to its next single owner.
    Handle Release() { return std::exchange(handle, nullptr); }
    void Reset(Handle replacement = nullptr) {
        if (handle) DeleteObject(handle);
        handle = replacement;
    }

private:
    Handle handle = nullptr;
};

using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using PenHandle = GdiObject<HPEN>;
using RegionHandle = GdiObject<HRGN>;

// Selects an object into a device context and puts the previous one back at scope end, so
// that the context never still holds the object when either is deleted. Not for regions:
// selecting one answers a region type, not a handle.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (previous) SelectObject(dc, previous);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

    // False when the object could not be selected (for example a bitmap already selected
    // elsewhere, or a null handle).
    bool Selected() const { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};

// The device context of a window's client area, from GetDC, given back with ReleaseDC.
class ClientDC {
public:
    explicit ClientDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~ClientDC() {
        if (dc) ReleaseDC(window, dc);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HWND window;
    HDC dc;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    ~PaintDC() { EndPaint(window, &paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc; }
    const PAINTSTRUCT& Paint() const { return paint; }

private:
    HWND window;
    PAINTSTRUCT paint = {};
    HDC dc;
};

// A global memory block from GlobalAlloc, freed with GlobalFree. Locking is the user's
// business; Free unlocks fully first so that the block really goes.
class GlobalBlock {
public:
    GlobalBlock() = default;
    explicit GlobalBlock(HGLOBAL block) : block(block) {}
    ~GlobalBlock() { Free(); }
    GlobalBlock(GlobalBlock&& other) noexcept : block(std::exchange(other.block, nullptr)) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            Free();
            block = std::exchange(other.block, nullptr);
        }
        return *this;
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL Get() const { return block; }
    explicit operator bool() const { return block != nullptr; }
    // Drops ownership after the handle was freed or taken over by a successful GlobalReAlloc.
    void Replace(HGLOBAL newBlock) { block = newBlock; }
    void UnlockFully() const {
        if (block)
            while (GlobalUnlock(block)) {
            }
    }
    // True when the block is gone (or there was none).
    bool Free() {
        if (!block) return true;
        UnlockFully();
        if (GlobalFree(block) != nullptr) return false;
        block = nullptr;
        return true;
    }

private:
    HGLOBAL block = nullptr;
};
