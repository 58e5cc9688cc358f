#pragma once

#include <string>

// UTF-8 text to UTF-16 and back, for file names on their way to and from the platform's wide
// calls. Window-free. Bytes that are no UTF-8 become U+FFFD.
class Utf8 {
public:
    static std::wstring ToWide(const std::string& text);
    static std::string FromWide(const std::wstring& text);
    // ISO-8859-1 bytes as UTF-8: the reading of a code page when no platform is at hand.
    static std::string FromLatin1(const std::string& text);
};
