#include "gfx/TextMap.h"

#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The row width written as two digits at `at`; a row whose width is not two digits has
// glyphs of no width, which take no room.
int RowWidth(const char* text, int at) {
    if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) return 0;
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

} // namespace

void TextMap::Assign(const char* map) {
    if (!map) map = "";
    size_t length = strnlen(map, maxLength);
    memcpy(text, map, length);
    text[length] = '\0';
}

bool TextMap::Find(char c, Glyph& glyph) const {
    const int length = int(strlen(text));
    if (length < 2 || c == '\0') return false;
    int width = RowWidth(text, 0);
    int row = 0;
    int rowStart = 3;
    for (int at = rowStart; at < length;) {
        if (text[at] == '\n') {
            // A row head cut off by the end of the map starts no row.
            if (at + 2 >= length) return false;
            width = RowWidth(text, at + 1);
            row++;
            at += 4;
            rowStart = at;
            continue;
        }
        if (text[at] == c) {
            glyph = {at - rowStart, row, width};
            return true;
        }
        at++;
    }
    return false;
}
