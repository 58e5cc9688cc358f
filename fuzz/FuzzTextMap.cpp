// A skin font's text map, and the glyph of every character through it.
#include "fuzz/FuzzInput.h"
#include "gfx/TextMap.h"
#include "skin/FontIniText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FontIniText font(Bytes(data, size));
    const TextMap map(font.Valid() ? font.Map().c_str() : Text(data, size).c_str());
    TextMap::Glyph glyph;
    for (int c = 0; c < 256; c++)
        map.Find(char(c), glyph);
    return 0;
}
