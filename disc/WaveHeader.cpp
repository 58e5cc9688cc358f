#include "disc/WaveHeader.h"

#include <cstring>

namespace {

constexpr std::uint16_t formatPcm = 1;
constexpr std::uint16_t formatExtensible = 0xFFFE;

std::uint32_t Read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t Read16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool Is(const unsigned char* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

} // namespace

// Chunks are walked one by one, so unknown chunks (LIST, fact, bext) before the data are
// passed over; the walk stops at the data chunk, whose size bounds nothing else.
WaveHeader::WaveHeader(const std::string& fileName, const unsigned char* head, std::size_t headSize,
                       std::uint64_t fileSize)
    : name(fileName) {
    if (headSize < 12 || !Is(head, "RIFF") || !Is(head + 8, "WAVE")) {
        Fail("not a WAVE file");
        return;
    }
    bool haveFormat = false;
    // 64 bits: a chunk size near 4 GiB must not wrap the walk around on a 32-bit build.
    std::uint64_t at = 12;
    while (at + 8 <= headSize) {
        const std::uint32_t size = Read32(head + at + 4);
        if (Is(head + at, "data")) {
            if (!haveFormat) {
                Fail("the sample data comes before the format");
                return;
            }
            dataOffset = at + 8;
            const std::uint64_t room = fileSize > dataOffset ? fileSize - dataOffset : 0;
            dataBytes = size < room ? size : room;
            return;
        }
        if (Is(head + at, "fmt ")) {
            if (at + 8 + size > headSize || !ReadFormat(head + at + 8, size)) {
                if (error.empty()) Fail("its format chunk is damaged");
                return;
            }
            haveFormat = true;
        }
        at += 8 + std::uint64_t(size) + (size & 1); // chunks are padded to an even size
    }
    Fail("no sample data found");
}

bool WaveHeader::ReadFormat(const unsigned char* chunk, std::uint32_t size) {
    if (size < 16) return Fail("its format chunk is damaged");
    std::uint16_t format = Read16(chunk);
    // The extensible form names its real format in the first bytes of its sub-format.
    if (format == formatExtensible && size >= 40) format = Read16(chunk + 24);
    const std::uint16_t channels = Read16(chunk + 2);
    const std::uint32_t rate = Read32(chunk + 4);
    const std::uint16_t bits = Read16(chunk + 14);
    if (format != formatPcm)
        return Fail("it is not uncompressed PCM (format " + std::to_string(format) + ")");
    if (rate != cdRate || bits != 16 || channels != 2)
        return Fail("it is " + std::to_string(rate) + " Hz, " + std::to_string(bits) + "-bit, " +
                    std::to_string(channels) + " channel(s); a disc needs 44100 Hz, 16-bit stereo");
    return true;
}

bool WaveHeader::Fail(const std::string& what) {
    error = name + ": " + what;
    return false;
}
