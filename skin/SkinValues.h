#pragma once

#include "gfx/SourceRect.h"

#include <cstdint>
#include <vector>

// The values of skin.ini and font.ini as the skin loader reads them: lists of decimal
// integers, colours written "#RRGGBB" (red first), and the two playlist keys whose values
// need more than a count. No platform calls: the loader reads the texts and shows the
// messages.
namespace SkinValues {

// What was wrong with a value; the loader turns each into its own message.
enum class Check { ok, invalidData, invalidColourData, badBackgroundSize };

// The integers of a value: split at commas with empty fields skipped, each field read like
// atoi (leading blanks, a sign, the digits up to the first other character; no digits give
// 0; beyond the int range saturates). A null text has none.
std::vector<int> Integers(const char* text);

// The first `count` integers of a value. False, with `values` untouched, when the value has
// fewer (a null or empty text has none); integers beyond `count` are ignored.
bool ReadIntegers(const char* text, int count, int* values);

// The number after a leading "#", read as sscanf "%x" reads it: false without the "#" or
// without a hexadecimal digit. Digits beyond eight keep the low 32 bits.
bool ReadColour(const char* text, std::uint32_t& rrggbb);

// The platform's colour value 0x00BBGGRR of a colour written red first.
std::uint32_t PlatformColour(std::uint32_t rrggbb);

// `lbPlaylist`: background, item height, then the two bar colours (platform values).
struct ListValues {
    SourceRect background;
    int itemHeight = 0;
    std::uint32_t currentTrackColour = 0;
    std::uint32_t selectionColour = 0;
};

// Reads "bgx,bgy,bgw,bgh,itemheight,#current,#selection". The first colour ends at the first
// comma after its "#"; the integers are read from the text before that comma. A first colour
// that no comma ends leaves no place for the second: that is invalid colour data too.
Check ReadList(const char* text, ListValues& list);

// `sbListBox`: 0, 0, scroll bar width, 0, the thumb strip, the list background.
struct ScrollbarValues {
    int width = 0;
    SourceRect thumbStrip;
    SourceRect background;
};

// Reads the 12 integers; the background must be at least one pixel wide and high.
Check ReadScrollbar(const char* text, ScrollbarValues& scrollbar);

} // namespace SkinValues
