#pragma once

#include "disc/CueSheet.h"

#include <cstdint>
#include <string>
#include <vector>

// The disc a CUE sheet describes: its files laid end to end, with the PREGAP and POSTGAP
// silences put in, as a track table and as a map from any frame of the disc to the bytes
// that hold it. Frames count from the start of the first track's pregap; the caller adds the
// lead-in. No platform calls.
class CueLayout {
public:
    // What the caller measured of each FILE of the sheet, in the sheet's order.
    struct FileExtent {
        std::int64_t frames = 0;
        std::int64_t dataOffset = 0; // where the samples start, after a WAVE header
    };

    struct Entry {
        int number = 0;
        CueSheet::TrackMode mode = CueSheet::TrackMode::audio;
        bool data = false;
        std::int64_t start = 0;    // INDEX 01 on the disc
        std::int64_t length = 0;   // to the next start or the lead-out, as a table of contents
        std::int64_t index00 = -1; // on the disc, or -1 without INDEX 00
        std::int64_t pregap = 0;
        std::int64_t postgap = 0;
        int file = 0; // INDEX 01's file
        std::int64_t startInFile = 0;
        int index00File = -1;
        std::int64_t index00InFile = -1;
    };

    enum class SourceKind { outside, silence, file };
    struct Source {
        SourceKind kind = SourceKind::outside;
        int track = 0; // whose data or gap it is: a pregap's track follows it, a postgap's precedes
        int file = -1;
        std::int64_t byteOffset = 0;
        int bytes = 0; // of this one frame in the file
    };

    // Refused when the sheet was, when the extents do not match its files, or when an index
    // lies beyond the end of its file.
    CueLayout(const CueSheet& sheet, const std::vector<FileExtent>& files);

    bool Valid() const { return error.empty(); }
    const std::string& Error() const { return error; }
    const std::vector<Entry>& Tracks() const { return tracks; }
    std::int64_t LeadOut() const { return leadOut; }

    // Where the samples of a frame of the disc are; outside before 0 and from the lead-out on.
    Source Locate(std::int64_t frame) const;

    // A file's length in frames from its data bytes, with each track's sector size in a raw
    // image (a data track of 2048-byte sectors may share a file with audio).
    static std::int64_t FileFrames(const CueSheet& sheet, int file, std::int64_t dataBytes);

private:
    struct Segment {
        std::int64_t discStart = 0;
        std::int64_t frames = 0;
        int track = 0;
        int file = -1; // -1: silence
        std::int64_t byteStart = 0;
        int frameBytes = 0;
    };
    struct Point {
        int file = 0;
        std::int64_t frame = 0;
    };

    bool CheckExtents(const CueSheet& sheet, const std::vector<FileExtent>& files);
    bool CheckIndex(const CueSheet& sheet, const CueSheet::Track& track,
                    const CueSheet::Index& index, const std::vector<FileExtent>& files);
    void Build(const CueSheet& sheet, const std::vector<FileExtent>& files);
    void AddSilence(std::int64_t frames, int track);
    void AddData(const CueSheet& sheet, const std::vector<FileExtent>& files, std::int64_t from,
                 std::int64_t to, const CueSheet::Track& track);
    Entry MakeEntry(const CueSheet::Track& track) const;
    std::int64_t DataPosition(int file, std::int64_t frame) const;
    static Point FirstPoint(const CueSheet& sheet, std::size_t track);
    static int FrameBytes(CueSheet::FileType type, CueSheet::TrackMode mode);

    std::string error;
    std::vector<Entry> tracks;
    std::int64_t leadOut = 0;
    std::vector<Segment> segments;
    std::vector<std::int64_t> fileStarts; // in the data of all files end to end
    std::vector<std::int64_t> fileBytesUsed;
    std::int64_t silenceSoFar = 0;
};
