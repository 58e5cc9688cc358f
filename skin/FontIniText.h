#pragma once

#include <string>

// The whole of a font.ini: the bitmap font's text map comes first and ends at the first empty
// line ("\r\n\r\n"); the [font] section must follow that line, since the profile reader would
// otherwise take the map's lines for keys. No platform calls: the caller reads the file.
class FontIniText {
public:
    explicit FontIniText(const std::string& bytes);

    // False when the file has no empty line, or no "[font]" after the first one.
    bool Valid() const { return valid; }
    // The text before the first empty line; empty when not valid.
    const std::string& Map() const { return map; }

private:
    bool valid = false;
    std::string map;
};
