#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FLAC__StreamMetadata;

// One FLAC file read through libFLAC: its length, the names and the cue sheet it carries, and
// its samples from any point on, decoded a block at a time as they are asked for (never the
// whole file). Only CD audio is taken, 44.1 kHz 16-bit stereo; anything else is refused with a
// message that names the file, as a WAVE file is. A damaged or cut stream gives its samples
// up to the damage and none after it. No platform headers: it reads user files.
class FlacStream {
public:
    // A CUESHEET metadata block's track; offsets in samples from the start of the stream.
    struct CueTrack {
        int number = 0;
        bool audio = true;
        std::uint64_t offset = 0;
        std::vector<std::pair<int, std::uint64_t>> indexes; // number, offset from the track's
    };

    explicit FlacStream(const std::string& path);
    ~FlacStream();
    FlacStream(const FlacStream&) = delete;
    FlacStream& operator=(const FlacStream&) = delete;

    bool Valid() const { return error.empty(); }
    const std::string& Error() const { return error; }
    // Stereo samples, as the stream's header gives them.
    std::uint64_t Samples() const { return samples; }
    // Vorbis comments ARTIST and ALBUM, and CUESHEET (a sheet's text), empty when absent.
    const std::string& Artist() const { return artist; }
    const std::string& Album() const { return album; }
    const std::string& CueSheetText() const { return cueSheetText; }
    // The CUESHEET block's tracks without the lead-out; empty when there is no block.
    const std::vector<CueTrack>& CueTracks() const { return cueTracks; }

    // Up to `count` interleaved stereo samples from sample `first`; returns how many the stream
    // gave: fewer at its end, at damage and at any sample after damage.
    std::size_t Read(std::uint64_t first, std::int16_t* out, std::size_t count);

    // What libFLAC calls back with; public for its C callbacks only.
    struct Callbacks;

private:
    bool Fail(const std::string& what);
    bool ReadMetadata();
    void TakeInfo(const FLAC__StreamMetadata* metadata);
    void TakeComments(const FLAC__StreamMetadata* metadata);
    void TakeCueBlock(const FLAC__StreamMetadata* metadata);
    void TakeBlock(std::uint64_t start, unsigned length, unsigned blockChannels, unsigned blockBits,
                   const std::int32_t* const buffer[]);
    bool DecodeNext();
    bool SeekTo(std::uint64_t sample);
    void MarkDamage();

    struct Decoder;
    std::unique_ptr<Decoder> decoder;
    std::string name;
    std::string error;
    std::uint64_t samples = 0;
    unsigned rate = 0, bits = 0, channels = 0;
    std::string artist, album, cueSheetText;
    bool cueSheetTooLarge = false;
    std::vector<CueTrack> cueTracks;

    // The last decoded block, and where the stream falls silent (its end, or damage).
    std::vector<std::int16_t> block;
    std::uint64_t blockStart = 0;
    bool blockValid = false;
    bool seeking = false;
    bool damaged = false;
    std::uint64_t silentFrom = 0;
};
