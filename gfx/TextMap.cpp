#include "gfx/TextMap.h"

#include "gfx/BaseLetters.h"

#include <cstring>
#include <map>

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
    if (!Find(' ', blank)) blank = {-1, 0, CommonWidth()};
}

// The width most glyphs of the map have (the narrower of two as common).
int TextMap::CommonWidth() const {
    std::map<int, int> glyphsOfWidth;
    for (const char* row = text; *row;) {
        const char* end = strchr(row, '\n');
        if (!end) end = row + strlen(row);
        if (end - row >= 3 && IsDigit(row[0]) && IsDigit(row[1])) {
            const int count = int(end - row - 3) - (end[-1] == '\r' ? 1 : 0);
            glyphsOfWidth[(row[0] - '0') * 10 + (row[1] - '0')] += count;
        }
        row = *end ? end + 1 : end;
    }
    int width = 0, most = 0;
    for (const auto& [w, count] : glyphsOfWidth)
        if (count > most) width = w, most = count;
    return width;
}

int TextMap::Shape(char c, Glyph (&glyphs)[maxShapeGlyphs]) const {
    if (Find(c, glyphs[0])) return 1;
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) return 0;
    // A base letter stands in only when the font has every letter of it.
    if (const char* base = BaseLetters(c)) {
        int count = 0;
        while (base[count] && count < maxShapeGlyphs && Find(base[count], glyphs[count]))
            count++;
        if (!base[count]) return count;
    }
    glyphs[0] = blank;
    return 1;
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
