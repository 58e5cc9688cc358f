#pragma once

#include <string>

// The system's ANSI code page against UTF-8: the disc database, the skins and the narrow
// calls keep names in the code page, file names travel in UTF-8.
class CodePage {
public:
    static std::string ToUtf8(const std::string& ansi);
    // Letters the code page lacks become its default character.
    static std::string FromUtf8(const std::string& utf8);
    // Whether the text survives the way into the code page and back.
    static bool Holds(const std::string& utf8);
};
