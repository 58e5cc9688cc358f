#pragma once

#include "gfx/SourceRect.h"
#include "skin/SkinControl.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Everything a skin gives the two windows, as plain values: the bitmaps to load, where each
// control goes and which cells it shows, the font, the playlist's pieces and the window's
// outline. Read whole from a skin folder or from the program's resources, then applied.
struct SkinLook {
    static constexpr int bitmapCount = 6; // main, titlebar, cbuttons, scroll, font, playlist
    static constexpr int fontSlot = 4;
    static constexpr int buttonCount = 12, sliderCount = 4, textCount = 6;
    static constexpr int pieceCount = 9, titlePieceCount = 4, playlistButtonCount = 6;

    // A bitmap from a file of the skin's folder, or else a resource of the program.
    struct Bitmap {
        std::string file;
        int resource = 0;
    };
    // The playlist's list, colours in the platform's form.
    struct List {
        SourceRect background;
        int itemHeight = 0;
        COLORREF selectionColour = 0;
        COLORREF markColour = 0;
    };

    std::string name; // the folder's name; "." for the built-in skin
    Bitmap bitmaps[bitmapCount];
    COLORREF fontTransparent = 0;
    SourceRect main, title;
    SkinControl buttons[buttonCount];
    SkinControl sliders[sliderCount];
    SourceRect textBoxes[textCount];
    std::string textMap;
    int fontHeight = 0;
    // Title pieces x, y, width, height, inactive source x, y, active source x, y; the others
    // x, y, width, height, source x, y.
    std::int32_t pieces[pieceCount][8] = {};
    std::int32_t playlistSlider[12] = {};
    List list;
    SkinControl playlistButtons[playlistButtonCount];
    std::string region; // region.rgn's bytes; empty for a rectangular window
};
