#include "disc/DiscImage.h"

#include "support/TempFolder.h"

#include "WaveFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// Frame f of a test file starts with the sample value base + f and goes on with base + f +
// 1000, so a read shows which frame of which file it came from, and whether from its start.
std::string Frames(int count, int base, bool bigEndian = false) {
    std::string bytes;
    for (int f = 0; f < count; f++)
        for (int s = 0; s < DiscImage::samplesPerFrame * 2; s++) {
            const int v = base + f + (s == 0 ? 0 : 1000);
            const char low = static_cast<char>(v & 0xFF), high = static_cast<char>(v >> 8);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
    return bytes;
}

// The first sample of each frame from `first` on.
std::vector<int> Read(const DiscImage& image, std::int64_t first, int count) {
    std::vector<std::int16_t> samples(size_t(count) * DiscImage::samplesPerFrame * 2);
    image.ReadFrames(first, count, samples.data());
    std::vector<int> heads;
    for (int f = 0; f < count; f++)
        heads.push_back(samples[size_t(f) * DiscImage::samplesPerFrame * 2]);
    return heads;
}

TEST(DiscImage, ASheetWithTwoFilesGapsAndADataTrackPlaysTheRightFrames) {
    TempFolder folder;
    CreateDirectoryA(folder.File("disc").c_str(), nullptr);
    folder.Write("disc\\one.bin", Frames(10, 100));
    folder.Write("disc\\two.wav", CdWave(Frames(6, 300)));
    folder.Write("disc\\big.bin", Frames(4, 500, true));
    folder.Write("disc\\sheet.cue",
                 "PERFORMER \"Ana Lux\"\r\nTITLE \"Night\"\r\nFILE \"one.bin\" BINARY\r\n"
                 "  TRACK 01 AUDIO\r\n    TITLE \"Alpha\"\r\n    INDEX 01 00:00:00\r\n"
                 "  TRACK 02 MODE1/2352\r\n    INDEX 01 00:00:06\r\n"
                 "FILE \"two.wav\" WAVE\r\n  TRACK 03 AUDIO\r\n    PREGAP 00:00:02\r\n"
                 "    INDEX 01 00:00:00\r\n"
                 "FILE big.bin MOTOROLA\r\n  TRACK 04 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    const DiscImage image(folder.File("disc\\sheet.cue"));
    ASSERT_TRUE(image.Valid()) << image.Error();
    EXPECT_EQ("Ana Lux", image.Performer());
    ASSERT_EQ(4u, image.Tracks().size());
    EXPECT_EQ("Alpha", image.Tracks()[0].title);
    std::vector<std::vector<std::int64_t>> table;
    for (const DiscImage::Track& t : image.Tracks())
        table.push_back({t.start, t.frames, t.data});
    EXPECT_EQ(
        (std::vector<std::vector<std::int64_t>>{{0, 6, 0}, {6, 6, 1}, {12, 6, 0}, {18, 4, 0}}),
        table);
    EXPECT_EQ(22, image.LeadOut());
    // Audio, the data track and the pregap silent, the WAVE file, the big-endian file, and
    // nothing past the lead-out.
    EXPECT_EQ((std::vector<int>{104, 105, 0, 0, 0, 0, 0, 0, 300, 301, 302, 303, 304, 305, 500, 501,
                                502, 503, 0}),
              Read(image, 4, 19));
}

TEST(DiscImage, AFolderOfWaveFilesIsADiscInNameOrder) {
    TempFolder folder;
    CreateDirectoryA(folder.File("album").c_str(), nullptr);
    folder.Write("album\\02 beta.WAV", CdWave(Frames(3, 200)));
    folder.Write("album\\01 Alpha.wav", CdWave(Frames(2, 100)));
    folder.Write("album\\cover.jpg", "not sound");
    const DiscImage image(folder.File("album"));
    ASSERT_TRUE(image.Valid()) << image.Error();
    ASSERT_EQ(2u, image.Tracks().size());
    EXPECT_EQ("01 Alpha", image.Tracks()[0].title);
    EXPECT_EQ(2, image.Tracks()[1].start);
    EXPECT_EQ((std::vector<int>{100, 101, 200, 201, 202, 0}), Read(image, 0, 6));
}

TEST(DiscImage, BrokenImagesNameTheFileAndLine) {
    TempFolder folder;
    for (const char* sub : {"a", "b", "c", "d", "e"})
        CreateDirectoryA(folder.File(sub).c_str(), nullptr);
    folder.Write("a\\48k.wav", CdWave(Frames(2, 1), 48000));
    folder.Write("b\\song.cue", "FILE \"song.mp3\" MP3\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n");
    folder.Write("c\\gone.cue",
                 "FILE \"gone.bin\" BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n");
    folder.Write("d\\bad.cue", "FILE \"x.bin\" BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:99:00\r\n");
    // Three 99-minute pregaps: more minutes than a drive's positions can hold.
    folder.Write("g.bin", Frames(3, 1));
    std::string longSheet = "FILE \"g.bin\" BINARY\r\n";
    for (int t = 1; t <= 3; t++)
        longSheet += "TRACK 0" + std::to_string(t) +
                     " AUDIO\r\nPREGAP 99:00:00\r\nINDEX 01 00:00:0" + std::to_string(t - 1) +
                     "\r\n";
    folder.Write("g.cue", longSheet);
    const struct {
        std::string path, startsWith;
    } cases[] = {
        {"a", folder.File("a\\48k.wav") + ": it is 48000 Hz"},
        {"b\\song.cue", folder.File("b\\song.mp3") + ": files of type MP3 cannot be played"},
        {"c\\gone.cue",
         folder.File("c\\gone.bin") + ": missing (" + folder.File("c\\gone.cue") + ", line 1)"},
        {"d\\bad.cue", folder.File("d\\bad.cue") + ", line 3:"},
        {"e", folder.File("e") + ": holds no WAVE files to play"},
        {"f.txt", folder.File("f.txt") + ": not a CUE sheet or a folder of WAVE files"},
        {"g.cue", folder.File("g.cue") +
                      ": 4 h 57 min of sound, longer than the 255 minutes a disc can hold"},
    };
    for (const auto& c : cases) {
        const DiscImage image(folder.File(c.path));
        EXPECT_FALSE(image.Valid()) << c.path;
        EXPECT_EQ(c.startsWith, image.Error().substr(0, c.startsWith.size())) << image.Error();
        EXPECT_TRUE(image.Tracks().empty());
    }
}

} // namespace
