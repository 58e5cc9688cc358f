#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A CUE sheet read into its files, tracks and indexes, or refused with the first fault found
// (the sheet's name, the line and what is wrong). No platform calls: it reads user files, so it
// also builds natively for fuzzing. Where the sheet is lenient and where strict is written at
// each rule in CueSheet.cpp.
class CueSheet {
public:
    // Sheets are a few kilobytes; anything larger is not one, and reading stays cheap.
    static constexpr std::size_t maxBytes = 1 << 20;
    static constexpr int maxTracks = 99;
    static constexpr int maxIndexNumber = 99;
    static constexpr int framesPerSecond = 75;

    enum class FileType { binary, motorola, wave, mp3, aiff, flac, unknown };
    enum class TrackMode { audio, mode1_2048, mode1_2352, mode2_2336, mode2_2352 };

    struct File {
        std::string name;     // as written: the caller resolves relative paths
        std::string typeName; // as written, so that an unsupported type can be named
        FileType type = FileType::unknown;
        int line = 0;
    };
    struct Index {
        int number = 0;
        int file = 0;           // into Files()
        std::int64_t frame = 0; // from the start of that file
        int line = 0;
    };
    struct Track {
        int number = 0;
        TrackMode mode = TrackMode::audio;
        std::string performer;
        std::string title;
        std::int64_t pregap = 0;    // silence before the track's first index
        std::int64_t postgap = 0;   // silence after the track's last frame
        std::vector<Index> indexes; // 00 or 01 first, then up by one
        int line = 0;
        // Null when the track has no such index.
        const Index* Find(int indexNumber) const;
    };

    // sheetName only goes into the error message.
    CueSheet(const std::string& text, const std::string& sheetName);

    bool Valid() const { return error.empty(); }
    // "<name>, line <n>: <what>", or "<name>: <what>" for faults of the whole sheet; words
    // quoted from the sheet are in its encoding (see Utf8).
    const std::string& Error() const { return error; }
    // 0 when valid or when the fault belongs to no line.
    int ErrorLine() const { return errorLine; }
    const std::string& Name() const { return name; }

    // Everything below is empty when the sheet was refused.
    const std::string& Performer() const { return performer; }
    const std::string& Title() const { return title; }
    const std::vector<File>& Files() const { return files; }
    const std::vector<Track>& Tracks() const { return tracks; }
    // Names and titles are UTF-8 (a byte-order mark, or only valid UTF-8); otherwise they are
    // in the code page of whoever wrote the sheet.
    bool Utf8() const { return utf8; }

    // The types whose samples the player can read straight from the file.
    static bool Supported(FileType type);
    static bool IsData(TrackMode mode);
    // The size of one frame of that mode in a raw image.
    static int SectorBytes(TrackMode mode);
    static const char* ModeName(TrackMode mode);
    // mm:ss:ff, for messages.
    static std::string TimeText(std::int64_t frames);

private:
    void Parse(std::string_view text);
    void ReadLine(std::string_view line);
    void ReadFile(std::string_view rest);
    void ReadTrack(std::string_view rest);
    void ReadIndex(std::string_view rest);
    void ReadPregap(std::string_view rest);
    void ReadPostgap(std::string_view rest);
    void ReadText(std::string_view command, std::string_view rest);
    bool AddIndex(Track& track, const Index& index);
    bool ReadTime(std::string_view word, std::int64_t& frames);
    bool ReadGapTime(std::string_view command, std::string_view rest, std::int64_t& frames);
    bool ReadQuoted(std::string_view rest, std::string& value, std::string_view& after);
    bool NothingMore(std::string_view rest);
    void FinishTrack();
    void FinishFile();
    void Refuse(const std::string& what, int atLine);
    void Refuse(const std::string& what) { Refuse(what, line); }

    std::string name;
    std::string error;
    int errorLine = 0;
    std::string performer;
    std::string title;
    std::vector<File> files;
    std::vector<Track> tracks;
    bool utf8 = false;

    // While reading:
    int line = 0;
    bool fileHoldsIndex = false;
    std::int64_t lastFrameInFile = -1;
    int lastNumberInFile = -1;
    bool pregapGiven = false;
    bool postgapGiven = false;
};
