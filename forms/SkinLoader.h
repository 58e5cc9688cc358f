#pragma once

#include "gfx/SourceRect.h"

#include <cstdint>
#include <string>

class MainForm;
class WIniKey;

// Gives both windows a skin: a folder skin\<name> beside the program, or the skin in the
// program's resources. Values are applied as soon as they are read and checked; the first
// error is shown and ends the load, after which the caller loads the built-in skin, which
// sets every value again.
class SkinLoader {
public:
    explicit SkinLoader(MainForm& form) : form(form) {}

    // 1 on success; 0 after an error has been shown (both windows then stay hidden).
    int LoadFolder(const char* name);
    // Always 1.
    int LoadBuiltin();

    // Largest bitmap file and largest font.ini or region.rgn a skin may have: far beyond any
    // real skin, small enough that a stray file cannot exhaust memory.
    static constexpr std::int64_t maxBitmapFile = 32LL << 20;
    static constexpr std::int64_t maxTextFile = 16LL << 20;

private:
    bool Fail(const char* format, const std::string& first, const char* second = nullptr);
    std::string PathOf(const char* file) const;
    bool ReadValues(const WIniKey& ini, const char* section, const char* key, int count,
                    std::int32_t* values) const;
    bool LoadBitmaps();
    bool LoadMainWindow(const WIniKey& ini);
    bool LoadButtons(const WIniKey& ini);
    bool LoadSliders(const WIniKey& ini);
    bool LoadFont();
    bool LoadTextBoxes(const WIniKey& ini);
    bool LoadPlaylistFrame(const WIniKey& ini);
    bool LoadPlaylistSlider(const WIniKey& ini);
    bool LoadPlaylistList(const WIniKey& ini);
    bool LoadPlaylistButtons(const WIniKey& ini);
    bool LoadRegion(const WIniKey& ini);
    void Finish(const char* name, int width, int height);

    void HideWindows();
    void BuiltinControls();
    void BuiltinPlaylist();

    MainForm& form;
    std::string folder; // the skin's folder, without a trailing backslash
    SourceRect mainRect;
};
