#pragma once

// Where each character's glyph lies in a bitmap font's grid. The map is rows separated by
// line feeds; each row is two decimal digits (the glyph width of the row), one separator
// character and the row's characters in glyph order. Row r is pixel row r of the grid.
class TextMap {
public:
    static constexpr int maxLength = 255;

    struct Glyph {
        int column; // glyph index in its row
        int row;
        int width; // pixels
    };

    TextMap() = default;
    // Keeps at most maxLength characters: a longer map loses the glyphs of its tail.
    explicit TextMap(const char* map) { Assign(map); }
    void Assign(const char* map);

    // The first place (earliest row, leftmost) of the character; false when it has none.
    bool Find(char c, Glyph& glyph) const;

    const char* Text() const { return text; }

private:
    char text[maxLength + 1] = "";
};
