#pragma once

// The built-in skin as the tests see it: its bitmap resources pixel by pixel, and its records
// written out as a skin folder's files, so that a test can break one key or one file of it.
#include "support/DibCanvas.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

// The colour of a pixel of a bitmap resource.
class ResourcePixels {
public:
    explicit ResourcePixels(int id) : bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) {
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        width = info.bmWidth, height = info.bmHeight;
        canvas = std::make_unique<DibCanvas>(width, height);
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(canvas->Dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    ~ResourcePixels() { DeleteObject(bitmap); }
    COLORREF At(int x, int y) const { return GetPixel(canvas->Dc(), x, y); }
    std::string BmpFile() const { return canvas->BmpFile(); }

    int width = 0, height = 0;

private:
    HBITMAP bitmap;
    std::unique_ptr<DibCanvas> canvas;
};

// The files of a skin folder holding the built-in skin, by name.
std::map<std::string, std::string> BuiltinSkinFiles();

// Replaces a key's line in an ini text, or appends the key.
std::string WithKey(std::string ini, const std::string& key, const std::string& value);

using SkinFiles = std::map<std::string, std::string>;

// Writes the skin folder `name` in the folder: the built-in skin's files, with the changed
// ones replaced ("" removes a file). Returns the name.
std::string WriteBuiltinSkin(const TempFolder& folder, const std::string& name,
                             const SkinFiles& changes);

// The change of one key of skin.ini.
SkinFiles IniChange(const std::string& key, const std::string& value);
