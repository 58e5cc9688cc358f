#include "gfx/BaseLetters.h"

namespace {

// 0xC0 .. 0xFF; × and ÷ are no letters.
const char* const fromC0[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "Th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
};

} // namespace

const char* BaseLetters(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    // clang-format off
    switch (code) {
    case 0x8A: return "S";  // Š
    case 0x8C: return "OE"; // Œ
    case 0x8E: return "Z";  // Ž
    case 0x9A: return "s";  // š
    case 0x9C: return "oe"; // œ
    case 0x9E: return "z";  // ž
    case 0x9F: return "Y";  // Ÿ
    default: break;
    }
    // clang-format on
    if (code < 0xC0 || !*fromC0[code - 0xC0]) return nullptr;
    return fromC0[code - 0xC0];
}
