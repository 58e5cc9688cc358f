#pragma once

#include "disc/DiscNames.h"

#include <string>

// The CD-Text of a disc as a drive returns it: 18-byte packs (type, track, sequence,
// block and character position, 12 bytes of text, CRC). Takes the album and track titles
// (packs 0x80) and performers (0x81) of the first block in ISO-8859-1 or ASCII, as UTF-8;
// packs with a bad CRC are dropped and the names they cut are left unknown; double-byte
// blocks are skipped. Window-free.
class CdText {
public:
    static constexpr size_t packBytes = 18;

    // False when the packs name nothing.
    static bool Names(const std::string& packs, int trackCount, DiscNames& names);
    // The CRC a pack carries in its last two bytes, over its first 16.
    static unsigned short Crc(const unsigned char* pack);
};
