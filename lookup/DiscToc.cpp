#include "lookup/DiscToc.h"

#include "lookup/Sha1.h"

#include <cstdio>

namespace {

constexpr std::int32_t framesPerSecond = 75;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

int DigitSum(std::int32_t value) {
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += value % 10;
    return sum;
}

// Base64 with '.', '_' and '-' for '+', '/' and '=', so that the id fits in a URL.
std::string MusicBrainzBase64(const Sha1::Digest& digest) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._";
    std::string text;
    for (size_t at = 0; at < digest.size(); at += 3) {
        const size_t left = digest.size() - at;
        const std::uint32_t group = std::uint32_t(digest[at]) << 16 |
                                    (left > 1 ? std::uint32_t(digest[at + 1]) << 8 : 0) |
                                    (left > 2 ? digest[at + 2] : 0);
        for (int i = 0; i < 4; i++)
            text += i <= int(left) ? alphabet[(group >> (18 - 6 * i)) & 63] : '-';
    }
    return text;
}

} // namespace

// The hexadecimal TOC always holds 100 offsets: the lead-out, then tracks 1 to 99, zero where
// the disc has no such track.
std::string DiscToc::MusicBrainzId() const {
    std::string toc = Hex(unsigned(first), 2) + Hex(unsigned(Last()), 2) + Hex(unsigned(leadOut), 8);
    for (int track = 1; track <= 99; track++) {
        const int index = track - first;
        const bool present = index >= 0 && index < int(offsets.size());
        toc += Hex(present ? unsigned(offsets[size_t(index)]) : 0u, 8);
    }
    return MusicBrainzBase64(Sha1::Of(toc));
}

std::string DiscToc::MusicBrainzToc() const {
    std::string text = std::to_string(first) + "+" + std::to_string(Last()) + "+" +
                       std::to_string(leadOut);
    for (std::int32_t offset : offsets)
        text += "+" + std::to_string(offset);
    return text;
}

std::uint32_t DiscToc::CddbId() const {
    if (offsets.empty()) return 0;
    int sum = 0;
    for (std::int32_t offset : offsets)
        sum += DigitSum(offset / framesPerSecond);
    const std::uint32_t seconds =
        std::uint32_t(leadOut / framesPerSecond - offsets.front() / framesPerSecond);
    return std::uint32_t(sum % 0xFF) << 24 | (seconds & 0xFFFF) << 8 |
           std::uint32_t(offsets.size() & 0xFF);
}

std::string DiscToc::CddbQuery() const {
    std::string text = Hex(CddbId(), 8);
    for (char& c : text)
        c = char(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    text += "+" + std::to_string(offsets.size());
    for (std::int32_t offset : offsets)
        text += "+" + std::to_string(offset);
    return text + "+" + std::to_string(leadOut / framesPerSecond);
}
