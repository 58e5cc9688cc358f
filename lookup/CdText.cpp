#include "lookup/CdText.h"

#include <array>
#include <vector>

namespace {

constexpr unsigned char titleType = 0x80, performerType = 0x81;
constexpr int maxTrack = 99;
constexpr size_t maxName = 160;

// One pack type's strings, by track number (0: the album).
struct TextStream {
    std::array<std::string, maxTrack + 1> strings;
    std::string current;
    int track = 0;
    bool started = false;
    bool broken = false;

    void Add(const unsigned char* pack) {
        const int charPosition = pack[3] & 0x0F;
        if (!started || broken) {
            // A string can only be picked up where it begins.
            if (charPosition != 0) return;
            started = true, broken = false;
            track = pack[1] & 0x7F;
            current.clear();
        }
        for (int i = 4; i < 16; i++)
            Take(pack[i]);
    }
    void Take(unsigned char c) {
        if (c != 0) {
            if (current.size() < maxName) current += Utf8(c);
            return;
        }
        if (track <= maxTrack)
            strings[size_t(track)] =
                current == "\t" && track > 1 ? strings[size_t(track - 1)] : current;
        current.clear();
        track++;
    }
    static std::string Utf8(unsigned char c) {
        if (c < 0x80) return std::string(1, char(c));
        return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    }
};

} // namespace

unsigned short CdText::Crc(const unsigned char* pack) {
    unsigned crc = 0;
    for (int i = 0; i < 16; i++) {
        crc ^= unsigned(pack[i]) << 8;
        for (int bit = 0; bit < 8; bit++)
            crc = (crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1;
    }
    return static_cast<unsigned short>(~crc & 0xFFFF);
}

bool CdText::Names(const std::string& packs, int trackCount, DiscNames& names) {
    TextStream titles, performers;
    for (size_t at = 0; at + packBytes <= packs.size(); at += packBytes) {
        const auto* pack = reinterpret_cast<const unsigned char*>(packs.data() + at);
        const unsigned char type = pack[0];
        TextStream* stream = type == titleType       ? &titles
                             : type == performerType ? &performers
                                                     : nullptr;
        if (!stream) continue;
        if (Crc(pack) != ((pack[16] << 8) | pack[17])) {
            stream->broken = true;
            continue;
        }
        const bool firstBlock = ((pack[3] >> 4) & 0x07) == 0, doubleByte = (pack[3] & 0x80) != 0;
        if (firstBlock && !doubleByte) stream->Add(pack);
    }
    names = DiscNames();
    names.album = titles.strings[0];
    names.artist = performers.strings[0];
    bool any = !names.album.empty() || !names.artist.empty();
    for (int track = 1; track <= trackCount && track <= maxTrack; track++) {
        std::string name = titles.strings[size_t(track)];
        const std::string& performer = performers.strings[size_t(track)];
        // A compilation names each track's performer.
        if (!name.empty() && !performer.empty() && performer != names.artist)
            name = performer + " - " + name;
        any = any || !name.empty();
        names.tracks.push_back(name);
    }
    return any;
}
