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

    // How the font shows the character: by its own glyph, else by the glyphs of its base
    // letters (ö as o, ß as ss), else by a blank. Control characters show nothing. Returns
    // the number of glyphs; a glyph of column -1 is a gap to leave empty.
    static constexpr int maxShapeGlyphs = 2;
    int Shape(char c, Glyph (&glyphs)[maxShapeGlyphs]) const;

    // The font's space glyph; without one, a gap as wide as most of its glyphs.
    Glyph Blank() const { return blank; }

    const char* Text() const { return text; }

private:
    int CommonWidth() const;

    char text[maxLength + 1] = "";
    Glyph blank = {-1, 0, 0};
};
