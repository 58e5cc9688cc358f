#include "gfx/TextMap.h"

#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void TextMap::Assign(const char* map) {
    if (!map) map = "";
    size_t length = strnlen(map, maxLength);
    memcpy(text, map, length);
    text[length] = '\0';
}

// Each row is read by its own head: two digits of width and a separator. A row without a
// whole head (an empty row, a row cut short, a width that is not two digits) maps nothing,
// but still takes its place, so the rows after it stay on their own pixel rows.
bool TextMap::Find(char c, Glyph& glyph) const {
    if (c == '\0') return false;
    const char* rowBegin = text;
    for (int row = 0;; row++) {
        const char* rowEnd = strchr(rowBegin, '\n');
        if (!rowEnd) rowEnd = rowBegin + strlen(rowBegin);
        const bool hasHead = rowEnd - rowBegin >= 3 && IsDigit(rowBegin[0]) && IsDigit(rowBegin[1]);
        if (hasHead) {
            const char* glyphs = rowBegin + 3;
            for (const char* at = glyphs; at < rowEnd; at++) {
                if (*at != c) continue;
                glyph = {int(at - glyphs), row, (rowBegin[0] - '0') * 10 + (rowBegin[1] - '0')};
                return true;
            }
        }
        if (*rowEnd == '\0') return false;
        rowBegin = rowEnd + 1;
    }
}
