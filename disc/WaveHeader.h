#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The header of a WAVE file that holds a disc's audio: RIFF chunks up to the sample data,
// which must be 44.1 kHz 16-bit stereo PCM (one CD frame is 2352 bytes of it). Anything else
// is refused with a reason that names the file. No platform calls: it reads user files.
class WaveHeader {
public:
    static constexpr std::uint32_t cdRate = 44100;
    static constexpr int bytesPerFrame = 2352; // 1/75 s of 16-bit stereo

    // `head` holds the file's first bytes (enough to reach the data chunk; 64 KiB is plenty
    // for any header); `fileSize` is the whole file's size.
    WaveHeader(const std::string& fileName, const unsigned char* head, std::size_t headSize,
               std::uint64_t fileSize);

    bool Valid() const { return error.empty(); }
    const std::string& Error() const { return error; }
    // Where the samples start and how many bytes of them the file really holds (a data
    // chunk that claims more than the file has is cut to the file).
    std::uint64_t DataOffset() const { return dataOffset; }
    std::uint64_t DataBytes() const { return dataBytes; }
    // Whole CD frames; a partial last frame is left out.
    std::int64_t Frames() const { return static_cast<std::int64_t>(dataBytes / bytesPerFrame); }

private:
    bool Fail(const std::string& what);
    bool ReadFormat(const unsigned char* chunk, std::uint32_t size);

    std::string name;
    std::string error;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;
};
