#pragma once

#include "disc/CueLayout.h"
#include "disc/DiscAudio.h"
#include "disc/FlacStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A disc kept as files: a CUE sheet with its BIN, WAVE or FLAC files, a folder of WAVE and
// FLAC files taken as tracks in name order, or one FLAC file with the disc's cue sheet inside.
// It gives the track table and the samples of any frame, and a broken image is refused with a
// message that names the file (and the sheet's line). No platform calls beyond the standard
// library's files.
class DiscImage : public DiscAudio {
public:
    struct Track {
        std::int64_t start = 0; // first frame on the disc, the lead-in not counted
        std::int64_t frames = 0;
        bool data = false;
        std::string performer;
        std::string title;
    };

    // A .cue file, a .flac file or a folder; anything else is refused.
    explicit DiscImage(const std::string& path);

    // Frames a disc can have: the drive gives positions as minutes, seconds and frames with
    // the minutes in one byte, counted from the start of the 150-frame lead-in.
    // Paths, names and titles are UTF-8; a sheet in a code page is read through this (the
    // program gives the system's; ISO-8859-1 without one).
    static std::string (*fromCodePage)(const std::string& text);

    static constexpr std::int64_t maxFrames = 256LL * 60 * 75 - 150;

    bool Valid() const { return error.empty(); }
    const std::string& Error() const { return error; }
    const std::vector<Track>& Tracks() const { return tracks; }
    std::int64_t LeadOut() const { return leadOut; }
    const std::string& Performer() const { return performer; }
    const std::string& Title() const { return title; }
    // A folder's disc: its names are the folder's and the files'.
    bool IsFolder() const { return !folderStarts.empty(); }

    // 588 stereo samples a frame, little-endian as the sound device wants them; silence for
    // gaps, data tracks, frames past the files' ends and frames off the disc.
    void ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const override;

private:
    struct Source {
        std::string path;
        std::uint64_t dataOffset = 0;
        bool bigEndian = false;
        bool flac = false;
    };

    bool LoadSheet(const std::string& path);
    bool LoadFlac(const std::string& path);
    bool LayOut(const CueSheet& sheet, const std::vector<std::string>& filePaths);
    bool MeasureFlac(const std::string& path, const std::string& where, std::int64_t* frames);
    void ReadFlacFrame(int source, std::uint64_t offset, std::int16_t* samples) const;
    bool LoadFolder(const std::string& path);
    bool MeasureFile(const CueSheet& sheet, int file, const std::string& path,
                     CueLayout::FileExtent* extent);
    bool Fail(const std::string& message);
    bool CheckLength(const std::string& path);
    bool Locate(std::int64_t frame, int* source, std::uint64_t* offset) const;

    std::string error;
    std::vector<Track> tracks;
    std::int64_t leadOut = 0;
    static std::string InUtf8(const CueSheet& sheet, const std::string& text);
    std::string performer, title;
    std::vector<Source> sources;
    std::unique_ptr<CueLayout> layout;      // for a sheet
    std::vector<std::int64_t> folderStarts; // for a folder: each file's first frame
    // The FLAC file being played, kept open so that each buffer decodes on from the last.
    mutable std::unique_ptr<FlacStream> flac;
    mutable int flacSource = -1;
};
