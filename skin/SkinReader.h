#pragma once

#include "skin/SkinLook.h"

#include <windows.h>

#include <cstdint>
#include <string>

class WIniKey;

// Reads a skin whole, before anything of it is used: a folder skin\<name> or the built-in
// skin in the program's resources (records 900 to 910, bitmaps 950 to 955). A folder skin
// that is broken gives the first error in the order the files are read, as the user is told
// it, and no look; no window is involved.
class SkinReader {
public:
    // Largest bitmap file and largest font.ini or region.rgn a skin may have: far beyond any
    // real skin, small enough that a stray file cannot exhaust memory.
    static constexpr std::int64_t maxBitmapFile = 32LL << 20;
    static constexpr std::int64_t maxTextFile = 16LL << 20;

    // False, with the message for the "Skin error !!!" box, when the folder is no skin.
    static bool FromFolder(const std::string& skinsRoot, const char* name, SkinLook& look,
                           std::string& error);
    static SkinLook Builtin(HINSTANCE instance);

private:
    explicit SkinReader(const std::string& folder) : folder(folder) {}

    bool Fail(const char* format, const std::string& first, const char* second = nullptr);
    std::string PathOf(const char* file) const;
    bool ReadValues(const WIniKey& ini, const char* section, const char* key, int count,
                    std::int32_t* values) const;
    bool ReadBitmaps(SkinLook& look);
    bool ReadMainWindow(const WIniKey& ini, SkinLook& look);
    bool ReadControls(const WIniKey& ini, SkinLook& look);
    bool ReadFont(SkinLook& look);
    bool ReadTextBoxes(const WIniKey& ini, SkinLook& look);
    bool ReadPlaylistFrame(const WIniKey& ini, SkinLook& look);
    bool ReadPlaylistSlider(const WIniKey& ini, SkinLook& look);
    bool ReadPlaylistList(const WIniKey& ini, SkinLook& look);
    bool ReadPlaylistButtons(const WIniKey& ini, SkinLook& look);
    bool ReadRegion(const WIniKey& ini, SkinLook& look);

    std::string folder; // the skin's folder, without a trailing backslash
    std::string error;
};
