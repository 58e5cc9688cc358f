#include "disc/CueLayout.h"
#include "disc/CueSheet.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Extents = std::vector<CueLayout::FileExtent>;
using Mode = CueSheet::TrackMode;
using Type = CueSheet::FileType;

std::string Where(const CueLayout& layout, std::int64_t frame) {
    const CueLayout::Source s = layout.Locate(frame);
    if (s.kind == CueLayout::SourceKind::outside) return "outside";
    if (s.kind == CueLayout::SourceKind::silence) return "silence " + std::to_string(s.track);
    return "file " + std::to_string(s.file) + " @" + std::to_string(s.byteOffset) + " (" +
           std::to_string(s.bytes) + ") " + std::to_string(s.track);
}

// Where each of the frames is, one line each.
std::string Places(const CueLayout& layout, std::initializer_list<std::int64_t> frames) {
    std::string places;
    for (std::int64_t frame : frames)
        places += std::to_string(frame) + ": " + Where(layout, frame) + "\n";
    return places;
}

std::string ErrorOf(const std::string& text) {
    return CueSheet(text, "t.cue").Error();
}

const std::string everyForm = "\xEF\xBB\xBFREM GENRE Ambient\n"
                              "catalog 1234567890123\n"
                              "PERFORMER \"The Lumivoxen Band\"\n"
                              "Title Night Drive  \n"
                              "FILE \"disc 1\\01 intro.wav\" WAVE\n"
                              "  TRACK 01 AUDIO\n"
                              "\tTITLE \"The \"Best\" Bit\"\n"
                              "\tperformer Solo\n"
                              "    FLAGS DCP PRE\n"
                              "    ISRC ABC123456789\n"
                              "    SONGWRITER \"Us\"\n"
                              "    INDEX 01 00:00:00\n"
                              "    INDEX 02 00:30:00\n"
                              "FILE two words.bin motorola\n"
                              "  track 2 mode1/2048\n"
                              "    index 1 0:00:00\n"
                              "CDTEXTFILE \"x.cdt\"\n"
                              "FILE \"../extra.mp3\" MP3\n"
                              "  TRACK 03 AUDIO\n"
                              "    INDEX 01 100:00:74\n";

// The sheet as text: its own texts, then each file and each track with its indexes.
std::string Summary(const CueSheet& sheet) {
    const char* const types[] = {"binary", "motorola", "wave", "mp3", "aiff", "flac", "unknown"};
    std::string text =
        sheet.Performer() + " / " + sheet.Title() + (sheet.Utf8() ? ", UTF-8\n" : "\n");
    for (const CueSheet::File& f : sheet.Files())
        text += "file " + f.name + " (" + f.typeName + ": " + types[int(f.type)] + "), line " +
                std::to_string(f.line) + "\n";
    for (const CueSheet::Track& t : sheet.Tracks()) {
        text += "track " + std::to_string(t.number) + " " + CueSheet::ModeName(t.mode) + " \"" +
                t.title + "\" by \"" + t.performer + "\":";
        for (const CueSheet::Index& i : t.indexes)
            text += " " + std::to_string(i.number) + " in " + std::to_string(i.file) + " at " +
                    std::to_string(i.frame) + " (line " + std::to_string(i.line) + ")";
        text += "\n";
    }
    return text;
}

// Every line end reads alike: LF, CR LF and CR alone.
TEST(CueSheet, ReadsFilesTracksAndTextsOfEveryFormWithAnyLineEnd) {
    std::string crlf, cr;
    for (char c : everyForm) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    for (const std::string& text : {everyForm, crlf, cr})
        EXPECT_EQ("The Lumivoxen Band / Night Drive, UTF-8\n"
                  "file disc 1\\01 intro.wav (WAVE: wave), line 5\n"
                  "file two words.bin (motorola: motorola), line 14\n"
                  "file ../extra.mp3 (MP3: mp3), line 18\n"
                  "track 1 AUDIO \"The \"Best\" Bit\" by \"Solo\": 1 in 0 at 0 (line 12) 2 in 0 at "
                  "2250 (line 13)\n"
                  "track 2 MODE1/2048 \"\" by \"\": 1 in 1 at 0 (line 16)\n"
                  "track 3 AUDIO \"\" by \"\": 1 in 2 at 450074 (line 20)\n",
                  Summary(CueSheet(text, "t.cue")));
}

const std::string head = "FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";

TEST(CueSheet, BrokenSheetsNameTheLineAndWhatIsWrong) {
    const std::string wav = "FILE a.wav WAVE\n", track1 = wav + "TRACK 01 AUDIO\n";
    const struct {
        std::string text;
        int line; // 0 for faults of the whole sheet
        std::string what;
    } cases[] = {
        {head + "FOO bar", 4, "unknown command \"FOO\""},
        {std::string(50, 'x') + "\xC3\xA9", 1,
         "unknown command \"" + std::string(40, 'x') + "...\""},
        {std::string(39, 'x') + "\xC3\xA9", 1,
         "unknown command \"" + std::string(39, 'x') + "...\""},
        {"REM x\nTRACK 01 AUDIO", 2, "TRACK 01 comes before any FILE"},
        {wav + "INDEX 01 00:00:00", 2, "INDEX 01 outside a TRACK"},
        {head + "TRACK 03 AUDIO", 4, "TRACK 03 after TRACK 01; tracks go up by one"},
        {wav + "TRACK 02 AUDIO", 2, "the first track is TRACK 02; a disc starts with TRACK 01"},
        {wav + "TRACK 0 AUDIO", 2, "bad track number \"0\" (01 to 99)"},
        {head + "TRACK 02 AUDIO", 4, "track 02 has no INDEX 01"},
        {track1 + "INDEX 01 00:05:00\nTRACK 02 AUDIO\nINDEX 01 00:04:74", 5,
         "INDEX 01 at 00:04:74 comes before the previous index (00:05:00) in \"a.wav\""},
        {head + "TRACK 02 AUDIO\nINDEX 01 00:00:00", 5,
         "INDEX 01 at 00:00:00 leaves track 01 without a frame"},
        {head + "INDEX 01 00:01:00", 4, "a second INDEX 01 in track 01"},
        {head + "INDEX 03 00:01:00", 4,
         "INDEX 03 follows INDEX 01 in track 01; indexes go up by one"},
        {track1 + "INDEX 02 00:00:00", 3,
         "track 01 starts with INDEX 02; its first index is 00 or 01"},
        {head + "INDEX 100 00:01:00", 4, "bad index number \"100\" (00 to 99)"},
        {head + "INDEX 02", 4, "INDEX needs a number and a time"},
        {head + "PREGAP 00:02:00", 4,
         "PREGAP after an INDEX of track 01; it comes before the first"},
        {track1 + "PREGAP 1:00:00\nPREGAP 1:00:00", 4, "a second PREGAP in track 01"},
        {wav + "PREGAP 00:01:00", 2, "PREGAP outside a TRACK"},
        {track1 + "POSTGAP 00:02:00\nINDEX 01 00:00:00", 3, "POSTGAP before INDEX 01 of track 01"},
        {head + "POSTGAP 00:01:00\nINDEX 02 00:03:00", 5, "INDEX 02 after the POSTGAP of track 01"},
        {"REM only\nTITLE x\n", 0, "no TRACK in the sheet"},
        {wav + "FILE b.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00", 1,
         "FILE \"a.wav\" holds no INDEX"},
        {head + "FILE \"b c.wav\" WAVE", 4, "FILE \"b c.wav\" holds no INDEX"},
        {"FILE \"a.wav\"", 1, "FILE needs a name and a type"},
        {"TITLE \"open", 1, "missing closing quote"},
        {"TITLE \"a\" b", 1, "unexpected \"b\" at the end of the line"},
        {head + "TRACK 02 AUDIO extra", 4, "unexpected \"extra\" at the end of the line"},
        {"FILE a.bin BINARY\nTRACK 01 CDG", 2, "unsupported track mode \"CDG\""},
        {head + std::string("TITLE a\0b", 9), 4, "a NUL byte, so not a text file"},
        {"\xFF\xFE" + std::string("F\0I\0", 4), 0, "UTF-16 text; save the sheet as UTF-8 or ANSI"},
        {std::string(CueSheet::maxBytes + 1, ' '), 0, "larger than 1 MiB, so not a CUE sheet"},
    };
    for (const auto& test : cases) {
        const CueSheet sheet(test.text, "t.cue");
        const std::string where = test.line ? ", line " + std::to_string(test.line) : "";
        EXPECT_EQ("t.cue" + where + ": " + test.what, sheet.Error()) << test.text.substr(0, 100);
        EXPECT_EQ(test.line, sheet.ErrorLine()) << sheet.Error();
        EXPECT_TRUE(sheet.Tracks().empty() && sheet.Files().empty()) << sheet.Error();
    }
    for (const char* time : {"00:60:00", "00:00:75", "00:00", "0a:00:00", "00:00:00:00",
                             "1000:00:00", "00:-1:00", "00:000:00"})
        EXPECT_EQ("t.cue, line 3: bad time \"" + std::string(time) +
                      "\" (mm:ss:ff, seconds 0 to 59, frames 0 to 74)",
                  ErrorOf(track1 + "INDEX 01 " + time));
}

TEST(CueSheet, TheLimitsHoldAndLongSheetsAreReadToTheEnd) {
    std::string tracks = "FILE a.bin BINARY\n";
    for (int n = 1; n <= 99; n++)
        tracks += "TRACK " + std::to_string(n) + " AUDIO\nINDEX 01 " + std::to_string(n) + ":0:0\n";
    EXPECT_EQ(99u, CueSheet(tracks, "t.cue").Tracks().size());
    EXPECT_EQ("t.cue, line 200: bad track number \"100\" (01 to 99)",
              ErrorOf(tracks + "TRACK 100 AUDIO"));

    std::string indexes = "FILE a.bin BINARY\nTRACK 01 AUDIO\n";
    for (int n = 0; n <= 99; n++)
        indexes += "INDEX " + std::to_string(n) + " " + std::to_string(n) + ":00:00\n";
    EXPECT_EQ(100u, CueSheet(indexes, "t.cue").Tracks()[0].indexes.size());

    std::string padded = head;
    while (padded.size() < CueSheet::maxBytes - 40)
        padded += "REM padding\r\n";
    EXPECT_TRUE(CueSheet(padded + "INDEX 02 00:01:00", "t.cue").Valid());
}

TEST(CueLayout, PregapsAndPostgapsAreSilenceAroundTheData) {
    const CueSheet sheet("FILE disc.bin MOTOROLA\nTRACK 01 AUDIO\nPREGAP 00:02:00\n"
                         "INDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 00 00:10:00\nINDEX 01 00:12:00\n"
                         "POSTGAP 00:01:00\nTRACK 03 AUDIO\nPREGAP 00:00:30\nINDEX 01 00:20:00\n"
                         "POSTGAP 00:00:10\n",
                         "t.cue");
    const CueLayout layout(sheet, Extents{{2000, 0}});
    ASSERT_TRUE(layout.Valid()) << layout.Error();
    EXPECT_EQ(
        "0: silence 1\n149: silence 1\n150: file 0 @0 (2352) 1\n"
        "899: file 0 @1761648 (2352) 1\n900: file 0 @1764000 (2352) 2\n"
        "1649: file 0 @3525648 (2352) 2\n1650: silence 2\n1725: silence 3\n"
        "1755: file 0 @3528000 (2352) 3\n2254: file 0 @4701648 (2352) 3\n"
        "2255: silence 3\n2264: silence 3\n2265: outside\n",
        Places(layout, {0, 149, 150, 899, 900, 1649, 1650, 1725, 1755, 2254, 2255, 2264, 2265}));
}

// Gaps appended: INDEX 00 at the end of the previous file starts the next track there. Data
// tracks keep their sector size, and a partial frame at a file's end is no frame.
TEST(CueLayout, GapsAppendedAndMixedModeSheetsPlaceEveryFrame) {
    const CueSheet appended(head + "TRACK 02 AUDIO\nINDEX 00 00:50:00\nFILE b.wav WAVE\n"
                                   "INDEX 01 00:00:00\nTRACK 03 AUDIO\nINDEX 01 00:30:00\n"
                                   "FILE sub/c.wav WAVE\nTRACK 04 AUDIO\nINDEX 00 00:00:00\n"
                                   "INDEX 01 00:01:00\n",
                            "t.cue");
    const CueLayout gaps(appended, Extents{{4000, 44}, {3000, 44}, {1000, 60}});
    EXPECT_EQ(8000, gaps.LeadOut()) << gaps.Error();
    EXPECT_EQ("3749: file 0 @8817692 (2352) 1\n3750: file 0 @8820044 (2352) 2\n"
              "4000: file 1 @44 (2352) 2\n6250: file 1 @5292044 (2352) 3\n"
              "7000: file 2 @60 (2352) 4\n7999: file 2 @2349708 (2352) 4\n8000: outside\n",
              Places(gaps, {3749, 3750, 4000, 6250, 7000, 7999, 8000}));

    const CueSheet mixed("FILE mixed.bin BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\n"
                         "TRACK 02 AUDIO\nPREGAP 00:02:00\nINDEX 01 00:04:00\n"
                         "FILE tail.bin BINARY\nTRACK 03 MODE2/2336\nINDEX 01 00:00:10\n",
                         "t.cue");
    EXPECT_EQ(400, CueLayout::FileFrames(mixed, 0, 300 * 2048 + 100 * 2352 + 1000));
    EXPECT_EQ(299, CueLayout::FileFrames(mixed, 0, 300 * 2048 - 1));
    EXPECT_EQ(50, CueLayout::FileFrames(mixed, 1, 10 * 2352 + 40 * 2336));
    const CueLayout data(mixed, Extents{{400, 0}, {50, 0}});
    EXPECT_EQ(600, data.LeadOut()) << data.Error();
    EXPECT_EQ(
        "299: file 0 @612352 (2048) 1\n300: silence 2\n450: file 0 @614400 (2352) 2\n"
        "550: file 1 @0 (2352) 2\n560: file 1 @23520 (2336) 3\n599: file 1 @114624 (2336) 3\n",
        Places(data, {299, 300, 450, 550, 560, 599}));
}

TEST(CueLayout, FileLengthsThatDoNotFitTheSheetAreRefused) {
    const CueSheet sheet(head + "TRACK 02 AUDIO\nINDEX 01 00:10:00", "t.cue");
    EXPECT_TRUE(CueLayout(sheet, Extents{{751, 44}}).Valid());
    EXPECT_EQ("t.cue, line 5: INDEX 01 of track 02 at 00:10:00 lies beyond the end of \"a.wav\" "
              "(00:10:00 long)",
              CueLayout(sheet, Extents{{750, 44}}).Error());
    EXPECT_EQ("t.cue: the sheet has 1 FILE lines, but 2 lengths were given",
              CueLayout(sheet, Extents(2)).Error());
    EXPECT_EQ("t.cue, line 1: \"a.wav\" has an impossible length",
              CueLayout(sheet, Extents{{-1, 0}}).Error());
    const CueLayout broken(CueSheet(head + "FOO", "t.cue"), Extents{{750, 0}});
    EXPECT_EQ("t.cue, line 4: unknown command \"FOO\"", broken.Error());
    EXPECT_EQ("outside", Where(broken, 0));
}

} // namespace
