#include "devices/WaveHeader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; i++)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void Tag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; i++)
        b.push_back(static_cast<unsigned char>(tag[i]));
}

// A format chunk's body: format, channels, rate, bits (block align and byte rate follow).
Bytes Format(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes body;
    Put16(body, format), Put16(body, channels), Put32(body, rate);
    Put32(body, rate * channels * bits / 8), Put16(body, channels * bits / 8), Put16(body, bits);
    return body;
}

// RIFF/WAVE with the given chunks in order; the data chunk claims `dataSize`.
Bytes Wave(const std::vector<std::pair<const char*, Bytes>>& chunks) {
    Bytes b;
    Tag(b, "RIFF"), Put32(b, 0), Tag(b, "WAVE");
    for (const auto& [tag, body] : chunks) {
        Tag(b, tag), Put32(b, static_cast<std::uint32_t>(body.size()));
        b.insert(b.end(), body.begin(), body.end());
        if (body.size() & 1) b.push_back(0);
    }
    return b;
}

Bytes DataChunkClaiming(Bytes wave, std::uint32_t claimed) {
    Tag(wave, "data"), Put32(wave, claimed);
    return wave;
}

const Bytes cdFormat = Format(1, 2, 44100, 16);

TEST(WaveHeader, FindsTheSamplesBehindAnyOtherChunks) {
    const struct {
        const char* what;
        Bytes head;
        std::uint64_t offset;
    } cases[] = {
        {"plain", DataChunkClaiming(Wave({{"fmt ", cdFormat}}), 2352 * 3), 44},
        {"a LIST chunk of odd size first",
         DataChunkClaiming(Wave({{"LIST", Bytes(5, 'x')}, {"fmt ", cdFormat}}), 2352 * 3), 58},
        {"a longer format chunk",
         DataChunkClaiming(Wave({{"fmt ",
                                  [] {
                                      Bytes f = cdFormat;
                                      f.resize(18);
                                      return f;
                                  }()}}),
                           2352 * 3),
         46},
        {"the extensible form of PCM",
         DataChunkClaiming(Wave({{"fmt ",
                                  [] {
                                      Bytes f = Format(0xFFFE, 2, 44100, 16);
                                      f.resize(40, 0);
                                      f[24] = 1;
                                      return f;
                                  }()}}),
                           2352 * 3),
         68},
    };
    for (const auto& c : cases) {
        WaveHeader header("a.wav", c.head.data(), c.head.size(), c.offset + 2352 * 3 + 100);
        ASSERT_TRUE(header.Valid()) << c.what << ": " << header.Error();
        EXPECT_EQ(c.offset, header.DataOffset()) << c.what;
        EXPECT_EQ(3, header.Frames()) << c.what;
    }
}

// A data chunk that claims more than the file holds is cut to the file, and a partial frame
// at the end does not count.
TEST(WaveHeader, TheFileBoundsTheSamples) {
    const Bytes head = DataChunkClaiming(Wave({{"fmt ", cdFormat}}), 0xFFFFFFF0u);
    WaveHeader header("cut.wav", head.data(), head.size(), 44 + 2352 * 2 + 1000);
    ASSERT_TRUE(header.Valid());
    EXPECT_EQ(2352u * 2 + 1000, header.DataBytes());
    EXPECT_EQ(2, header.Frames());
}

TEST(WaveHeader, EverythingButCdAudioIsRefusedByName) {
    const Bytes onlyFormat = Wave({{"fmt ", cdFormat}});
    Bytes hugeChunk = Wave({{"fmt ", cdFormat}});
    Tag(hugeChunk, "LIST"), Put32(hugeChunk, 0xFFFFFFF8u); // would wrap a 32-bit walk
    const struct {
        Bytes head;
        const char* error;
    } cases[] = {
        {DataChunkClaiming(Wave({{"fmt ", Format(1, 2, 48000, 16)}}), 10),
         "x.wav: it is 48000 Hz, 16-bit, 2 channel(s); a disc needs 44100 Hz, 16-bit stereo"},
        {DataChunkClaiming(Wave({{"fmt ", Format(1, 1, 44100, 8)}}), 10),
         "x.wav: it is 44100 Hz, 8-bit, 1 channel(s); a disc needs 44100 Hz, 16-bit stereo"},
        {DataChunkClaiming(Wave({{"fmt ", Format(0x55, 2, 44100, 16)}}), 10),
         "x.wav: it is not uncompressed PCM (format 85)"},
        {DataChunkClaiming(Wave({}), 10), "x.wav: the sample data comes before the format"},
        {Wave({{"fmt ", Bytes(8, 0)}}), "x.wav: its format chunk is damaged"},
        {onlyFormat, "x.wav: no sample data found"},
        {hugeChunk, "x.wav: no sample data found"},
        {Bytes({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}), "x.wav: not a WAVE file"},
        {Bytes({'R', 'I'}), "x.wav: not a WAVE file"},
    };
    for (const auto& c : cases) {
        WaveHeader header("x.wav", c.head.data(), c.head.size(), c.head.size() + 100);
        EXPECT_FALSE(header.Valid()) << c.error;
        EXPECT_EQ(c.error, header.Error());
    }
}

} // namespace
