#include "disc/WaveHeader.h"

#include "WaveFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

WaveHeader Read(const std::string& head, std::uint64_t fileSize) {
    return WaveHeader("x.wav", reinterpret_cast<const unsigned char*>(head.data()), head.size(),
                      fileSize);
}

std::string DataClaiming(std::uint32_t bytes) {
    return "data" + Le32(bytes);
}

const std::string cdFormat = Chunk("fmt ", FormatBody(1, 2, 44100, 16));
const std::uint32_t threeFrames = 3 * 2352;

// A data chunk that claims more than the file holds is cut to the file, and a partial frame
// at the end does not count.
TEST(WaveHeader, FindsTheSamplesBehindAnyOtherChunksAndTheFileBoundsThem) {
    const std::string extensible =
        Chunk("fmt ", FormatBody(0xFFFE, 2, 44100, 16) + std::string(8, '\0') + Le16(1) +
                          std::string(14, '\0')); // the sub-format names PCM
    const struct {
        const char* what;
        std::string head;
        std::uint64_t offset, fileSize, dataBytes;
    } cases[] = {
        {"plain", Wave(cdFormat + DataClaiming(threeFrames)), 44, 44 + threeFrames + 100,
         threeFrames},
        {"a LIST chunk of odd size first",
         Wave(Chunk("LIST", "xxxxx") + cdFormat + DataClaiming(threeFrames)), 58,
         58 + threeFrames + 100, threeFrames},
        {"a longer format chunk",
         Wave(Chunk("fmt ", FormatBody(1, 2, 44100, 16) + "xx") + DataClaiming(threeFrames)), 46,
         46 + threeFrames + 100, threeFrames},
        {"the extensible form of PCM", Wave(extensible + DataClaiming(threeFrames)), 68,
         68 + threeFrames + 100, threeFrames},
        {"a claim beyond the file", Wave(cdFormat + DataClaiming(0xFFFFFFF0u)), 44,
         44 + 2 * 2352 + 1000, 2 * 2352 + 1000},
    };
    for (const auto& c : cases) {
        const WaveHeader header = Read(c.head, c.fileSize);
        ASSERT_TRUE(header.Valid()) << c.what << ": " << header.Error();
        EXPECT_EQ(c.offset, header.DataOffset()) << c.what;
        EXPECT_EQ(c.dataBytes, header.DataBytes()) << c.what;
        EXPECT_EQ(std::int64_t(c.dataBytes / 2352), header.Frames()) << c.what;
    }
}

TEST(WaveHeader, EverythingButCdAudioIsRefusedByName) {
    const struct {
        std::string head;
        const char* error;
    } cases[] = {
        {Wave(Chunk("fmt ", FormatBody(1, 2, 48000, 16)) + DataClaiming(10)),
         "x.wav: it is 48000 Hz, 16-bit, 2 channel(s); a disc needs 44100 Hz, 16-bit stereo"},
        {Wave(Chunk("fmt ", FormatBody(1, 1, 44100, 8)) + DataClaiming(10)),
         "x.wav: it is 44100 Hz, 8-bit, 1 channel(s); a disc needs 44100 Hz, 16-bit stereo"},
        {Wave(Chunk("fmt ", FormatBody(0x55, 2, 44100, 16)) + DataClaiming(10)),
         "x.wav: it is not uncompressed PCM (format 85)"},
        {Wave(DataClaiming(10)), "x.wav: the sample data comes before the format"},
        {Wave(Chunk("fmt ", std::string(8, '\0'))), "x.wav: its format chunk is damaged"},
        {Wave(cdFormat), "x.wav: no sample data found"},
        // A chunk size that would wrap a 32-bit walk around.
        {Wave(cdFormat + "LIST" + Le32(0xFFFFFFF8u)), "x.wav: no sample data found"},
        {"RIFF" + Le32(0) + "AVI ", "x.wav: not a WAVE file"},
        {"RIFX" + Le32(0) + "WAVE" + cdFormat + DataClaiming(10), "x.wav: not a WAVE file"},
        {"RI", "x.wav: not a WAVE file"},
    };
    for (const auto& c : cases) // a message: not valid
        EXPECT_EQ(c.error, Read(c.head, c.head.size() + 100).Error());
}

} // namespace
