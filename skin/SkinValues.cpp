#include "skin/SkinValues.h"

#include "app/ProfileText.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace SkinValues {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsScanBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

SourceRect Rect(const int* values) {
    return {values[0], values[1], values[2], values[3]};
}

bool HasArea(const SourceRect& rect) {
    return rect.width > 0 && rect.height > 0;
}

} // namespace

std::vector<int> Integers(const char* text) {
    std::vector<int> values;
    if (!text) return values;
    for (const char* field = text;; field++) {
        // A field ends at its comma, and the decimal reading stops there by itself.
        if (*field != ',' && *field != '\0') values.push_back(ProfileText::DecimalValue(field));
        field = strchr(field, ',');
        if (!field) break;
    }
    return values;
}

bool ReadIntegers(const char* text, int count, int* values) {
    const std::vector<int> found = Integers(text);
    if (count < 0 || found.size() < size_t(count)) return false;
    std::copy(found.begin(), found.begin() + count, values);
    return true;
}

bool ReadColour(const char* text, std::uint32_t& rrggbb) {
    if (!text || text[0] != '#') return false;
    const char* at = text + 1;
    while (IsScanBlank(*at))
        at++;
    const bool negative = *at == '-';
    if (*at == '-' || *at == '+') at++;
    if (at[0] == '0' && (at[1] == 'x' || at[1] == 'X') && HexDigit(at[2]) >= 0) at += 2;
    if (HexDigit(*at) < 0) return false;
    std::uint32_t value = 0;
    for (; HexDigit(*at) >= 0; at++)
        value = value << 4 | std::uint32_t(HexDigit(*at));
    rrggbb = negative ? 0u - value : value;
    return true;
}

std::uint32_t PlatformColour(std::uint32_t rrggbb) {
    return (rrggbb & 0xFF) << 16 | (rrggbb & 0xFF00) | (rrggbb >> 16 & 0xFF);
}

Check ReadList(const char* text, ListValues& list) {
    if (!text || !*text) return Check::invalidData;
    const char* firstHash = strchr(text, '#');
    if (!firstHash) return Check::invalidColourData;
    const char* cut = strchr(firstHash, ',');
    if (!cut) return Check::invalidColourData;
    std::uint32_t current = 0, selection = 0;
    const char* secondHash = strchr(cut + 1, '#');
    if (!ReadColour(std::string(firstHash, cut).c_str(), current) || !secondHash ||
        !ReadColour(secondHash, selection))
        return Check::invalidColourData;
    int values[5];
    if (!ReadIntegers(std::string(text, cut).c_str(), 5, values)) return Check::invalidData;
    const SourceRect background = Rect(values);
    if (!HasArea(background)) return Check::badBackgroundSize;
    list.background = background;
    list.itemHeight = values[4];
    list.currentTrackColour = PlatformColour(current);
    list.selectionColour = PlatformColour(selection);
    return Check::ok;
}

Check ReadScrollbar(const char* text, ScrollbarValues& scrollbar) {
    int values[12];
    if (!ReadIntegers(text, 12, values)) return Check::invalidData;
    const SourceRect background = Rect(values + 8);
    if (!HasArea(background)) return Check::badBackgroundSize;
    scrollbar.width = values[2];
    scrollbar.thumbStrip = Rect(values + 4);
    scrollbar.background = background;
    return Check::ok;
}

} // namespace SkinValues
