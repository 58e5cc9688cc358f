// CD-Text packs we build as a drive returns them.
#include "lookup/CdText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The packs of one type carrying the strings from the album (track 0) on, 12 bytes a pack,
// each pack stamped with the track and the position its first byte belongs to.
std::string Packs(unsigned char type, const std::vector<std::string>& strings, int block = 0,
                  bool doubleByte = false) {
    std::string text;
    std::vector<std::pair<int, int>> owner; // track, position of each byte
    for (size_t track = 0; track < strings.size(); track++)
        for (size_t i = 0; i <= strings[track].size(); i++) {
            text += i < strings[track].size() ? strings[track][i] : '\0';
            owner.push_back({int(track), int(i)});
        }
    std::string packs;
    for (size_t at = 0, sequence = 0; at < text.size(); at += 12, sequence++) {
        unsigned char pack[18] = {
            type, static_cast<unsigned char>(owner[at].first), static_cast<unsigned char>(sequence),
            static_cast<unsigned char>((doubleByte ? 0x80 : 0) | (block << 4) |
                                       std::min(owner[at].second, 15))};
        for (size_t i = 0; i < 12 && at + i < text.size(); i++)
            pack[4 + i] = static_cast<unsigned char>(text[at + i]);
        const unsigned short crc = CdText::Crc(pack);
        pack[16] = static_cast<unsigned char>(crc >> 8), pack[17] = static_cast<unsigned char>(crc);
        packs.append(reinterpret_cast<const char*>(pack), 18);
    }
    return packs;
}

std::string Shown(const DiscNames& names) {
    std::string text = names.artist + "/" + names.album;
    for (const std::string& track : names.tracks)
        text += "|" + track;
    return text;
}

TEST(CdText, NamesFromTitleAndPerformerPacks) {
    const std::string titles = Packs(0x80, {"Night Songs", "Harbour Lights", "Caf\xE9 Noir"});
    const std::string performers = Packs(0x81, {"Ana Lux", "Ana Lux", "Guest"});
    std::string badCrc = titles;
    badCrc[18 + 5] ^= 1; // inside "Harbour Lights"
    const struct {
        const char* what;
        std::string packs;
        const char* shown; // empty: nothing named
    } cases[] = {
        {"two tracks", titles + performers,
         "Ana Lux/Night Songs|Harbour Lights|Guest - Caf\xC3\xA9 Noir"},
        {"tab for the same", Packs(0x80, {"Album", "One", "\t"}), "/Album|One|One"},
        {"bad CRC", badCrc, "/Night Songs||"},
        {"double-byte block", Packs(0x80, {"A", "B", "C"}, 0, true), ""},
        {"second block", Packs(0x80, {"A", "B", "C"}, 1), ""},
        {"truncated", titles.substr(0, 18 + 7), "/Night Songs||"},
        {"nothing", "", ""},
    };
    for (const auto& c : cases) {
        DiscNames names;
        const bool named = CdText::Names(c.packs, 2, names);
        EXPECT_EQ(*c.shown != '\0', named) << c.what;
        if (named) {
            EXPECT_EQ(c.shown, Shown(names)) << c.what;
        }
    }
}

} // namespace
