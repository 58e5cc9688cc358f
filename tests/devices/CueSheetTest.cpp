#include "devices/CueLayout.h"
#include "devices/CueSheet.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Extents = std::vector<CueLayout::FileExtent>;
using Mode = CueSheet::TrackMode;
using Type = CueSheet::FileType;

std::string Row(const CueLayout::Entry& e) {
    std::string row = std::to_string(e.number) + (e.data ? " data " : " audio ") +
                      std::to_string(e.start) + " +" + std::to_string(e.length) + " gaps " +
                      std::to_string(e.pregap) + "/" + std::to_string(e.postgap) + " in " +
                      std::to_string(e.file) + "@" + std::to_string(e.startInFile);
    if (e.index00File < 0) return row;
    return row + " idx00 " + std::to_string(e.index00) + " in " + std::to_string(e.index00File) +
           "@" + std::to_string(e.index00InFile);
}

std::vector<std::string> Rows(const CueLayout& layout) {
    std::vector<std::string> rows;
    for (const CueLayout::Entry& entry : layout.Tracks())
        rows.push_back(Row(entry));
    return rows;
}

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

TEST(CueSheet, ReadsFilesTracksAndTextsOfEveryForm) {
    const CueSheet sheet(everyForm, "t.cue");
    ASSERT_TRUE(sheet.Valid()) << sheet.Error();
    EXPECT_TRUE(sheet.Utf8());
    EXPECT_EQ("The Lumivoxen Band", sheet.Performer());
    EXPECT_EQ("Night Drive", sheet.Title());
    ASSERT_EQ(3u, sheet.Files().size());
    const CueSheet::File& wave = sheet.Files()[0];
    EXPECT_EQ("disc 1\\01 intro.wav", wave.name);
    EXPECT_EQ(Type::wave, wave.type);
    EXPECT_EQ(5, wave.line);
    EXPECT_EQ("two words.bin", sheet.Files()[1].name);
    EXPECT_EQ(Type::motorola, sheet.Files()[1].type);
    EXPECT_EQ("../extra.mp3", sheet.Files()[2].name);
    EXPECT_EQ("MP3", sheet.Files()[2].typeName);
    EXPECT_TRUE(CueSheet::Supported(Type::motorola));
    EXPECT_FALSE(CueSheet::Supported(sheet.Files()[2].type));

    ASSERT_EQ(3u, sheet.Tracks().size());
    const CueSheet::Track& first = sheet.Tracks()[0];
    EXPECT_EQ("The \"Best\" Bit", first.title);
    EXPECT_EQ("Solo", first.performer);
    ASSERT_EQ(2u, first.indexes.size());
    EXPECT_EQ(2250, first.Find(2)->frame);
    EXPECT_EQ(13, first.Find(2)->line);
    EXPECT_EQ(Mode::mode1_2048, sheet.Tracks()[1].mode);
    EXPECT_EQ(1, sheet.Tracks()[1].indexes[0].file);
    EXPECT_EQ(450074, sheet.Tracks()[2].Find(1)->frame);
    EXPECT_EQ(2, sheet.Tracks()[2].Find(1)->file);
}

TEST(CueSheet, EveryLineEndReadsAlikeAndForeignCodePagesAreKeptAsWritten) {
    std::string crlf, cr;
    for (char c : everyForm) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    for (const std::string& text : {crlf, cr}) {
        const CueSheet sheet(text, "t.cue");
        ASSERT_TRUE(sheet.Valid()) << sheet.Error();
        EXPECT_EQ("Night Drive", sheet.Title());
        EXPECT_EQ(13, sheet.Tracks()[0].Find(2)->line);
        EXPECT_EQ(450074, sheet.Tracks()[2].Find(1)->frame);
    }
    const CueSheet latin("FILE \"Gran\xED"
                         "na.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00",
                         "t.cue");
    EXPECT_FALSE(latin.Utf8());
    EXPECT_EQ("Gran\xEDna.wav", latin.Files()[0].name);
}

const std::string head = "FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";

TEST(CueSheet, LenientFormsPlaceEveryTrackWhereItWasWritten) {
    // INDEX 00 at INDEX 01's place is no pregap; an empty INDEX 02 ends where track 02 begins.
    const CueSheet sheet(head + "INDEX 02 00:05:00\nTRACK 02 AUDIO\nINDEX 00 00:05:00\n"
                                "INDEX 01 00:06:00\nTRACK 03 AUDIO\nINDEX 00 00:07:00\n"
                                "INDEX 01 00:07:00\nTITLE One\nTITLE Two words",
                         "t.cue");
    ASSERT_TRUE(sheet.Valid()) << sheet.Error();
    EXPECT_EQ(375, sheet.Tracks()[1].Find(0)->frame);
    EXPECT_EQ(nullptr, sheet.Tracks()[2].Find(0));
    EXPECT_EQ(525, sheet.Tracks()[2].Find(1)->frame);
    EXPECT_EQ("Two words", sheet.Tracks()[2].title);
}

TEST(CueSheet, BrokenSheetsNameTheLineAndWhatIsWrong) {
    const struct {
        std::string text, error;
    } cases[] = {
        {head + "FOO bar", "t.cue, line 4: unknown command \"FOO\""},
        {std::string(50, 'x') + "\xC3\xA9",
         "t.cue, line 1: unknown command \"" + std::string(40, 'x') + "...\""},
        {std::string(39, 'x') + "\xC3\xA9",
         "t.cue, line 1: unknown command \"" + std::string(39, 'x') + "...\""},
        {"REM x\nTRACK 01 AUDIO", "t.cue, line 2: TRACK 01 comes before any FILE"},
        {"FILE a.wav WAVE\nINDEX 01 00:00:00", "t.cue, line 2: INDEX 01 outside a TRACK"},
        {head + "TRACK 03 AUDIO", "t.cue, line 4: TRACK 03 after TRACK 01; tracks go up by one"},
        {"FILE a.wav WAVE\nTRACK 02 AUDIO",
         "t.cue, line 2: the first track is TRACK 02; a disc starts with TRACK 01"},
        {"FILE a.wav WAVE\nTRACK 100 AUDIO", "t.cue, line 2: bad track number \"100\" (01 to 99)"},
        {"FILE a.wav WAVE\nTRACK 0 AUDIO", "t.cue, line 2: bad track number \"0\" (01 to 99)"},
        {head + "TRACK 02 AUDIO\nINDEX 00 00:01:00\nTRACK 03 AUDIO",
         "t.cue, line 4: track 02 has no INDEX 01"},
        {head + "TRACK 02 AUDIO", "t.cue, line 4: track 02 has no INDEX 01"},
        {"FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:05:00\nTRACK 02 AUDIO\nINDEX 01 00:04:74",
         "t.cue, line 5: INDEX 01 at 00:04:74 comes before the previous index (00:05:00) in "
         "\"a.wav\""},
        {head + "TRACK 02 AUDIO\nINDEX 01 00:00:00",
         "t.cue, line 5: INDEX 01 at 00:00:00 leaves track 01 without a frame"},
        {head + "INDEX 01 00:01:00", "t.cue, line 4: a second INDEX 01 in track 01"},
        {head + "INDEX 03 00:01:00",
         "t.cue, line 4: INDEX 03 follows INDEX 01 in track 01; indexes go up by one"},
        {"FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 02 00:00:00",
         "t.cue, line 3: track 01 starts with INDEX 02; its first index is 00 or 01"},
        {head + "INDEX 100 00:01:00", "t.cue, line 4: bad index number \"100\" (00 to 99)"},
        {head + "INDEX 02", "t.cue, line 4: INDEX needs a number and a time"},
        {head + "PREGAP 00:02:00",
         "t.cue, line 4: PREGAP after an INDEX of track 01; it comes before the first"},
        {"FILE a.wav WAVE\nTRACK 01 AUDIO\nPREGAP 1:00:00\nPREGAP 1:00:00",
         "t.cue, line 4: a second PREGAP in track 01"},
        {"FILE a.wav WAVE\nPREGAP 00:01:00", "t.cue, line 2: PREGAP outside a TRACK"},
        {"FILE a.wav WAVE\nTRACK 01 AUDIO\nPOSTGAP 00:02:00\nINDEX 01 00:00:00",
         "t.cue, line 3: POSTGAP before INDEX 01 of track 01"},
        {head + "POSTGAP 00:01:00\nINDEX 02 00:03:00",
         "t.cue, line 5: INDEX 02 after the POSTGAP of track 01"},
        {"REM only\nTITLE x\n", "t.cue: no TRACK in the sheet"},
        {"", "t.cue: no TRACK in the sheet"},
        {"FILE a.wav WAVE\nFILE b.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00",
         "t.cue, line 1: FILE \"a.wav\" holds no INDEX"},
        {head + "FILE \"b c.wav\" WAVE", "t.cue, line 4: FILE \"b c.wav\" holds no INDEX"},
        {"FILE \"a.wav\"", "t.cue, line 1: FILE needs a name and a type"},
        {"FILE a.wav", "t.cue, line 1: FILE needs a name and a type"},
        {"TITLE \"open", "t.cue, line 1: missing closing quote"},
        {"TITLE \"a\" b", "t.cue, line 1: unexpected \"b\" at the end of the line"},
        {head + "TRACK 02 AUDIO extra",
         "t.cue, line 4: unexpected \"extra\" at the end of the line"},
        {"FILE a.bin BINARY\nTRACK 01 CDG", "t.cue, line 2: unsupported track mode \"CDG\""},
        {head + std::string("TITLE a\0b", 9), "t.cue, line 4: a NUL byte, so not a text file"},
        {std::string("\xFF\xFE"
                     "F\0I\0",
                     6),
         "t.cue: UTF-16 text; save the sheet as UTF-8 or ANSI"},
        {std::string(CueSheet::maxBytes + 1, ' '), "t.cue: larger than 1 MiB, so not a CUE sheet"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.error, ErrorOf(test.text)) << test.text.substr(0, 100);

    for (const char* time : {"00:60:00", "00:00:75", "00:00", "0a:00:00", "00:00:00:00",
                             "1000:00:00", "00:-1:00", "00:000:00"}) {
        EXPECT_EQ("t.cue, line 3: bad time \"" + std::string(time) +
                      "\" (mm:ss:ff, seconds 0 to 59, frames 0 to 74)",
                  ErrorOf("FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 " + std::string(time)));
    }
    const CueSheet refused(head + "FOO", "t.cue");
    EXPECT_EQ(4, refused.ErrorLine());
    EXPECT_TRUE(refused.Tracks().empty() && refused.Files().empty());
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

TEST(CueLayout, GapsAppendedSheetsPutIndex00AtTheEndOfThePreviousFile) {
    const CueSheet sheet(head + "TRACK 02 AUDIO\nINDEX 00 00:50:00\nFILE b.wav WAVE\n"
                                "INDEX 01 00:00:00\nINDEX 02 00:10:00\nTRACK 03 AUDIO\n"
                                "INDEX 01 00:30:00\nFILE sub/c.wav WAVE\nTRACK 04 AUDIO\n"
                                "INDEX 00 00:00:00\nINDEX 01 00:01:00\n",
                         "t.cue");
    const CueLayout layout(sheet, Extents{{4000, 44}, {3000, 44}, {1000, 60}});
    ASSERT_TRUE(layout.Valid()) << layout.Error();
    EXPECT_EQ((std::vector<std::string>{"1 audio 0 +4000 gaps 0/0 in 0@0",
                                        "2 audio 4000 +2250 gaps 0/0 in 1@0 idx00 3750 in 0@3750",
                                        "3 audio 6250 +825 gaps 0/0 in 1@2250",
                                        "4 audio 7075 +925 gaps 0/0 in 2@75 idx00 7000 in 2@0"}),
              Rows(layout));
    EXPECT_EQ(8000, layout.LeadOut());
    EXPECT_EQ("-1: outside\n3749: file 0 @8817692 (2352) 1\n3750: file 0 @8820044 (2352) 2\n"
              "3999: file 0 @9405692 (2352) 2\n4000: file 1 @44 (2352) 2\n"
              "7000: file 2 @60 (2352) 4\n7999: file 2 @2349708 (2352) 4\n8000: outside\n",
              Places(layout, {-1, 3749, 3750, 3999, 4000, 7000, 7999, 8000}));
}

TEST(CueLayout, PregapsAndPostgapsAreSilenceAroundTheData) {
    const CueSheet sheet("FILE disc.bin MOTOROLA\nTRACK 01 AUDIO\nPREGAP 00:02:00\n"
                         "INDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 00 00:10:00\nINDEX 01 00:12:00\n"
                         "POSTGAP 00:01:00\nTRACK 03 AUDIO\nPREGAP 00:00:30\nINDEX 01 00:20:00\n"
                         "POSTGAP 00:00:10\n",
                         "t.cue");
    const CueLayout layout(sheet, Extents{{2000, 0}});
    ASSERT_TRUE(layout.Valid()) << layout.Error();
    EXPECT_EQ((std::vector<std::string>{"1 audio 150 +900 gaps 150/0 in 0@0",
                                        "2 audio 1050 +705 gaps 0/75 in 0@900 idx00 900 in 0@750",
                                        "3 audio 1755 +510 gaps 30/10 in 0@1500"}),
              Rows(layout));
    EXPECT_EQ(2265, layout.LeadOut());
    EXPECT_EQ(
        "0: silence 1\n149: silence 1\n150: file 0 @0 (2352) 1\n"
        "899: file 0 @1761648 (2352) 1\n900: file 0 @1764000 (2352) 2\n"
        "1649: file 0 @3525648 (2352) 2\n1650: silence 2\n1725: silence 3\n"
        "1755: file 0 @3528000 (2352) 3\n2254: file 0 @4701648 (2352) 3\n"
        "2255: silence 3\n2264: silence 3\n2265: outside\n",
        Places(layout, {0, 149, 150, 899, 900, 1649, 1650, 1725, 1755, 2254, 2255, 2264, 2265}));
}

TEST(CueLayout, DataTracksShowAsDataAndKeepTheirSectorSize) {
    const CueSheet sheet("FILE mixed.bin BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\n"
                         "TRACK 02 AUDIO\nPREGAP 00:02:00\nINDEX 01 00:04:00\n"
                         "FILE tail.bin BINARY\nTRACK 03 MODE2/2336\nINDEX 01 00:00:10\n",
                         "t.cue");
    // A partial frame at the end is no frame.
    EXPECT_EQ(400, CueLayout::FileFrames(sheet, 0, 300 * 2048 + 100 * 2352 + 1000));
    EXPECT_EQ(299, CueLayout::FileFrames(sheet, 0, 300 * 2048 - 1));
    // tail.bin begins with the end of track 02.
    EXPECT_EQ(50, CueLayout::FileFrames(sheet, 1, 10 * 2352 + 40 * 2336));
    const CueLayout layout(sheet, Extents{{400, 0}, {50, 0}});
    ASSERT_TRUE(layout.Valid()) << layout.Error();
    EXPECT_EQ((std::vector<std::string>{"1 data 0 +450 gaps 0/0 in 0@0",
                                        "2 audio 450 +110 gaps 150/0 in 0@300",
                                        "3 data 560 +40 gaps 0/0 in 1@10"}),
              Rows(layout));
    EXPECT_EQ(600, layout.LeadOut());
    EXPECT_EQ("299: file 0 @612352 (2048) 1\n300: silence 2\n450: file 0 @614400 (2352) 2\n"
              "549: file 0 @847248 (2352) 2\n550: file 1 @0 (2352) 2\n"
              "560: file 1 @23520 (2336) 3\n",
              Places(layout, {299, 300, 450, 549, 550, 560}));
    EXPECT_STREQ("MODE2/2336", CueSheet::ModeName(layout.Tracks()[2].mode));
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
