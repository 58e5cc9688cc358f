#include "disc/DiscImage.h"

#include "app/Utf8.h"
#include "support/TempFolder.h"

#include "FlacFile.h"
#include "WaveFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

// Start, length and whether data, of each track.
std::vector<std::vector<std::int64_t>> Table(const DiscImage& image) {
    std::vector<std::vector<std::int64_t>> table;
    for (const DiscImage::Track& t : image.Tracks())
        table.push_back({t.start, t.frames, t.data});
    return table;
}

TEST(DiscImage, ASheetWithTwoFilesGapsAndADataTrackPlaysTheRightFrames) {
    TempFolder folder;
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
    EXPECT_EQ(
        (std::vector<std::vector<std::int64_t>>{{0, 6, 0}, {6, 6, 1}, {12, 6, 0}, {18, 4, 0}}),
        Table(image));
    EXPECT_EQ(22, image.LeadOut());
    // Audio, the data track and the pregap silent, the WAVE file, the big-endian file, and
    // nothing past the lead-out.
    EXPECT_EQ((std::vector<int>{104, 105, 0, 0, 0, 0, 0, 0, 300, 301, 302, 303, 304, 305, 500, 501,
                                502, 503, 0}),
              Read(image, 4, 19));
}

TEST(DiscImage, AFolderOfWaveFilesIsADiscInNameOrder) {
    TempFolder folder;
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

// A UTF-8 sheet names a file in letters no code page holds; an ANSI sheet in its own code
// page: both are found, the names of both read in UTF-8.
TEST(DiscImage, SheetsNameFilesInAnyLanguage) {
    TempFolder folder;
    const std::string music = "\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0"; // Музыка
    CreateDirectoryW(Utf8::ToWide(folder.File(music)).c_str(), nullptr);
    for (const char* name : {"\xD0\xBF\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F.wav", "Caf\xC3\xA9.wav"}) {
        std::FILE* file = _wfopen(Utf8::ToWide(folder.File(music + "\\" + name)).c_str(), L"wb");
        const std::string wave = CdWave(Frames(2, 100));
        std::fwrite(wave.data(), 1, wave.size(), file);
        std::fclose(file);
    }
    const struct {
        std::string sheet, title;
    } cases[] = {
        {"TITLE \"\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD0\xB8\"\r\nFILE "
         "\"\xD0\xBF\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F.wav\" WAVE\r\n",
         "\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD0\xB8"},
        {"TITLE \"Caf\xE9\"\r\nFILE \"Caf\xE9.wav\" WAVE\r\n", "Caf\xC3\xA9"},
    };
    for (const auto& c : cases) {
        std::FILE* file = _wfopen(Utf8::ToWide(folder.File(music + "\\disc.cue")).c_str(), L"wb");
        const std::string sheet = c.sheet + "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n";
        std::fwrite(sheet.data(), 1, sheet.size(), file);
        std::fclose(file);
        const DiscImage image(folder.File(music + "\\disc.cue"));
        EXPECT_TRUE(image.Valid()) << image.Error();
        EXPECT_EQ(c.title, image.Title());
    }
}

// ---- FLAC ----

// Every sample of the disc, read in pieces out of order so that the decoder seeks back and
// forth and also reads on across files.
std::vector<std::int16_t> Scattered(const DiscImage& image) {
    const std::int64_t end = image.LeadOut() + 1;
    std::vector<std::int16_t> all(size_t(end) * DiscImage::samplesPerFrame * 2);
    const std::int64_t pieces[][2] = {
        {end / 2, end - end / 2}, {3, 9}, {0, 3}, {12, end / 2 - 12}, {end / 3, 5}};
    for (const auto& piece : pieces)
        image.ReadFrames(piece[0], int(piece[1]),
                         all.data() + piece[0] * DiscImage::samplesPerFrame * 2);
    return all;
}

TEST(DiscImage, FlacImagesPlayTheSamplesOfTheirWaveImages) {
    TempFolder folder;
    const std::string a = Noise(30, 1), b = Noise(17, 2), c = Noise(9, 3);
    const std::string sheet =
        "FILE \"%a\" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
        "  TRACK 02 AUDIO\r\n    INDEX 00 00:00:10\r\n    INDEX 01 00:00:14\r\n"
        "FILE \"%b\" WAVE\r\n  TRACK 03 AUDIO\r\n    PREGAP 00:00:03\r\n"
        "    INDEX 01 00:00:00\r\n";
    auto named = [&](std::string text, const std::string& first, const std::string& second) {
        text.replace(text.find("%a"), 2, first);
        return text.replace(text.find("%b"), 2, second);
    };
    folder.Write("a.wav", CdWave(a));
    folder.Write("b.wav", CdWave(b));
    folder.Write("a.flac", CdFlac(a));
    folder.Write("b.flac", CdFlac(b));
    folder.Write("wave.cue", named(sheet, "a.wav", "b.wav"));
    folder.Write("flac.cue", named(sheet, "a.flac", "b.flac"));
    // Folders of WAVE files, and of both.
    const std::string folders[][4] = {{"w", ".wav", ".wav", ".wav"},
                                      {"mixed", ".wav", ".flac", ".wav"}};
    for (const auto& f : folders)
        for (int i = 1; i <= 3; i++) {
            const std::string& samples = i == 1 ? a : i == 2 ? b : c;
            folder.Write(f[0] + "\\" + std::to_string(i) + f[i],
                         f[i] == ".wav" ? CdWave(samples) : CdFlac(samples));
        }
    // One file with the disc's sheet inside: as a CUESHEET block, or as a comment.
    const std::string one = "PERFORMER \"Sheet\"\r\nFILE \"x.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n"
                            "    TITLE \"Alpha\"\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n"
                            "    INDEX 00 00:00:20\r\n    INDEX 01 00:00:22\r\n";
    folder.Write("one.wav", CdWave(a + b));
    folder.Write("one.cue", std::string(one).replace(one.find("x.wav"), 5, "one.wav"));
    FlacOptions block, comment;
    block.cueBlock = {{1, 0}, {2, 22, 20}};
    block.comments = {"ARTIST=Ana Lux", "album=Night"};
    comment.comments = {"CUESHEET=" + one, "ALBUM=Night"};
    folder.Write("block.flac", CdFlac(a + b, block));
    folder.Write("comment.flac", CdFlac(a + b, comment));

    const struct {
        const char *flac, *wave, *performer, *title, *firstTitle;
    } cases[] = {
        {"flac.cue", "wave.cue", "", "", ""},
        {"mixed", "w", "", "mixed", "1"},
        {"block.flac", "one.cue", "Ana Lux", "Night", ""},
        {"comment.flac", "one.cue", "Sheet", "Night", "Alpha"},
    };
    for (const auto& c : cases) {
        const DiscImage flac(folder.File(c.flac)), wave(folder.File(c.wave));
        ASSERT_TRUE(flac.Valid()) << flac.Error();
        ASSERT_TRUE(wave.Valid()) << wave.Error();
        EXPECT_EQ(Table(wave), Table(flac)) << c.flac;
        EXPECT_TRUE(Scattered(wave) == Scattered(flac)) << c.flac;
        EXPECT_EQ(c.performer, flac.Performer()) << c.flac;
        EXPECT_EQ(c.title, flac.Title()) << c.flac;
        EXPECT_EQ(c.firstTitle, flac.Tracks()[0].title) << c.flac;
    }
}

// Every image that cannot be played is refused with the file, and the line, at fault.
TEST(DiscImage, BrokenImagesNameTheFileAndLine) {
    TempFolder folder;
    folder.Write("b\\song.cue", "FILE \"song.mp3\" MP3\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n");
    folder.Write("c\\gone.cue",
                 "FILE \"gone.bin\" BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n");
    folder.Write("d\\bad.cue", "FILE \"x.bin\" BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:99:00\r\n");
    folder.Write("e\\cover.jpg", "not sound");
    // Three 99-minute pregaps: more minutes than a drive's positions can hold.
    folder.Write("g.bin", Frames(3, 1));
    std::string longSheet = "FILE \"g.bin\" BINARY\r\n";
    for (int t = 1; t <= 3; t++)
        longSheet += "TRACK 0" + std::to_string(t) +
                     " AUDIO\r\nPREGAP 99:00:00\r\nINDEX 01 00:00:0" + std::to_string(t - 1) +
                     "\r\n";
    folder.Write("g.cue", longSheet);
    FlacOptions deep, huge;
    deep.bits = 24;
    const std::string sheet = "FILE \"x.wav\" WAVE\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n";
    // A sheet every parser would take, past the size a sheet may have.
    huge.comments = {"CUESHEET=" + sheet + std::string(CueSheet::maxBytes, ' ')};
    folder.Write("deep\\1.flac", CdFlac(Noise(2, 1), deep));
    folder.Write("huge.flac", CdFlac(Noise(2, 1), huge));
    folder.Write("plain.flac", CdFlac(Noise(2, 1)));
    folder.Write("junk.flac", CdWave(Noise(2, 1)));
    const struct {
        std::string path, startsWith;
    } cases[] = {
        {"b\\song.cue", folder.File("b\\song.mp3") + ": files of type MP3 cannot be played"},
        {"c\\gone.cue",
         folder.File("c\\gone.bin") + ": missing (" + folder.File("c\\gone.cue") + ", line 1)"},
        {"d\\bad.cue", folder.File("d\\bad.cue") + ", line 3:"},
        {"e", folder.File("e") + ": holds no WAVE or FLAC files to play"},
        {"f.txt", folder.File("f.txt") + ": not a CUE sheet, a FLAC file or a folder"},
        {"g.cue", folder.File("g.cue") +
                      ": 4 h 57 min of sound, longer than the 255 minutes a disc can hold"},
        {"deep",
         folder.File("deep\\1.flac") +
             ": it is 44100 Hz, 24-bit, 2 channel(s); a disc needs 44100 Hz, 16-bit stereo"},
        {"huge.flac", folder.File("huge.flac") + ": its CUESHEET comment is too large"},
        {"plain.flac", folder.File("plain.flac") + ": holds no cue sheet"},
        {"junk.flac", folder.File("junk.flac") + ": not a FLAC file"},
    };
    for (const auto& c : cases) {
        const DiscImage image(folder.File(c.path));
        EXPECT_EQ(c.startsWith, image.Error().substr(0, c.startsWith.size())) << image.Error();
        EXPECT_TRUE(image.Tracks().empty());
    }
}

// Played from the start: the sound up to the damage, then silence to the end, never what
// the decoder might find again beyond it.
TEST(DiscImage, ADamagedOrCutFlacFilePlaysUpToTheDamage) {
    TempFolder folder;
    const std::string sound = Noise(60, 5), flac = CdFlac(sound);
    std::string damaged = flac;
    for (size_t i = flac.size() / 2; i < flac.size() / 2 + 40; i++)
        damaged[i] = char(~damaged[i]);
    // A stereo header over mono frames.
    FlacOptions mono;
    mono.channels = 1;
    const std::string spliced = flac.substr(0, 42) + CdFlac(sound, mono).substr(42);
    const struct {
        const char* name;
        std::string bytes;
        size_t least, most; // of the samples heard before the silence
    } cases[] = {{"damaged", damaged, sound.size() / 8, sound.size() / 2 - 1},
                 {"cut", flac.substr(0, flac.size() / 2), sound.size() / 8, sound.size() / 2 - 1},
                 {"spliced", spliced, 0, 0}};
    for (const auto& c : cases) {
        folder.Write(std::string(c.name) + "\\1.flac", c.bytes);
        const DiscImage image(folder.File(c.name));
        ASSERT_TRUE(image.Valid()) << image.Error();
        std::vector<std::int16_t> heard(sound.size() / 2);
        image.ReadFrames(0, 60, heard.data());
        const auto* expected = reinterpret_cast<const std::int16_t*>(sound.data());
        size_t same = 0;
        while (same < heard.size() && heard[same] == expected[same])
            same++;
        EXPECT_GE(same, c.least) << c.name;
        EXPECT_LE(same, c.most) << c.name;
        EXPECT_TRUE(std::all_of(heard.begin() + std::ptrdiff_t(same), heard.end(),
                                [](std::int16_t s) { return s == 0; }))
            << c.name << ": silence after the damage";
    }
}

} // namespace
