#include "disc/CueLayout.h"

#include <algorithm>

namespace {

// Far beyond any disc, yet small enough that sums of thousands of them cannot overflow.
constexpr std::int64_t maxFileFrames = std::int64_t(1) << 40;
constexpr std::int64_t maxDataOffset = std::int64_t(1) << 50;
// Decoded samples: 588 stereo 16-bit samples a frame, whatever the track's mode.
constexpr int pcmFrameBytes = 2352;

std::string TwoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

} // namespace

CueLayout::CueLayout(const CueSheet& sheet, const std::vector<FileExtent>& files) {
    if (!sheet.Valid()) {
        error = sheet.Error();
        return;
    }
    if (CheckExtents(sheet, files)) Build(sheet, files);
}

bool CueLayout::CheckExtents(const CueSheet& sheet, const std::vector<FileExtent>& files) {
    const std::vector<CueSheet::File>& sheetFiles = sheet.Files();
    if (files.size() != sheetFiles.size()) {
        error = sheet.Name() + ": the sheet has " + std::to_string(sheetFiles.size()) +
                " FILE lines, but " + std::to_string(files.size()) + " lengths were given";
        return false;
    }
    fileStarts.assign(1, 0);
    for (std::size_t k = 0; k < files.size(); k++) {
        const FileExtent& extent = files[k];
        if (extent.frames < 0 || extent.frames > maxFileFrames || extent.dataOffset < 0 ||
            extent.dataOffset > maxDataOffset) {
            error = sheet.Name() + ", line " + std::to_string(sheetFiles[k].line) + ": \"" +
                    sheetFiles[k].name + "\" has an impossible length";
            return false;
        }
        fileStarts.push_back(fileStarts.back() + extent.frames);
    }
    for (const CueSheet::Track& track : sheet.Tracks()) {
        for (const CueSheet::Index& index : track.indexes) {
            if (!CheckIndex(sheet, track, index, files)) return false;
        }
    }
    return true;
}

// Strict: an index beyond its file means the sheet belongs to other files.
bool CueLayout::CheckIndex(const CueSheet& sheet, const CueSheet::Track& track,
                           const CueSheet::Index& index, const std::vector<FileExtent>& files) {
    const std::int64_t fileFrames = files[std::size_t(index.file)].frames;
    if (index.frame < fileFrames) return true;
    error = sheet.Name() + ", line " + std::to_string(index.line) + ": INDEX " +
            TwoDigits(index.number) + " of track " + TwoDigits(track.number) + " at " +
            CueSheet::TimeText(index.frame) + " lies beyond the end of \"" +
            sheet.Files()[std::size_t(index.file)].name + "\" (" + CueSheet::TimeText(fileFrames) +
            " long)";
    return false;
}

void CueLayout::Build(const CueSheet& sheet, const std::vector<FileExtent>& files) {
    const std::vector<CueSheet::Track>& sheetTracks = sheet.Tracks();
    fileBytesUsed.assign(files.size(), 0);
    for (std::size_t n = 0; n < sheetTracks.size(); n++) {
        const CueSheet::Track& track = sheetTracks[n];
        if (n > 0) AddSilence(sheetTracks[n - 1].postgap, sheetTracks[n - 1].number);
        AddSilence(track.pregap, track.number);
        const Point first = FirstPoint(sheet, n);
        std::int64_t to = fileStarts.back();
        if (n + 1 < sheetTracks.size()) {
            const Point next = FirstPoint(sheet, n + 1);
            to = DataPosition(next.file, next.frame);
        }
        tracks.push_back(MakeEntry(track));
        AddData(sheet, files, DataPosition(first.file, first.frame), to, track);
    }
    AddSilence(sheetTracks.back().postgap, sheetTracks.back().number);
    leadOut = fileStarts.back() + silenceSoFar;
    for (std::size_t n = 0; n < tracks.size(); n++) {
        const std::int64_t next = n + 1 < tracks.size() ? tracks[n + 1].start : leadOut;
        tracks[n].length = next - tracks[n].start;
    }
}

void CueLayout::AddSilence(std::int64_t frames, int track) {
    if (frames <= 0) return;
    Segment silence;
    silence.discStart = segments.empty() ? 0 : segments.back().discStart + segments.back().frames;
    silence.frames = frames;
    silence.track = track;
    segments.push_back(silence);
    silenceSoFar += frames;
}

// The data from one place to another of the files end to end, cut where a file ends.
void CueLayout::AddData(const CueSheet& sheet, const std::vector<FileExtent>& files,
                        std::int64_t from, std::int64_t to, const CueSheet::Track& track) {
    while (from < to) {
        const auto after = std::upper_bound(fileStarts.begin(), fileStarts.end(), from);
        const std::size_t file = std::size_t(after - fileStarts.begin()) - 1;
        const std::int64_t end = std::min(to, fileStarts[file + 1]);
        Segment data;
        data.discStart = from + silenceSoFar;
        data.frames = end - from;
        data.track = track.number;
        data.file = int(file);
        data.frameBytes = FrameBytes(sheet.Files()[file].type, track.mode);
        data.byteStart = files[file].dataOffset + fileBytesUsed[file];
        fileBytesUsed[file] += data.frames * data.frameBytes;
        segments.push_back(data);
        from = end;
    }
}

CueLayout::Entry CueLayout::MakeEntry(const CueSheet::Track& track) const {
    Entry entry;
    entry.number = track.number;
    entry.mode = track.mode;
    entry.data = CueSheet::IsData(track.mode);
    entry.pregap = track.pregap;
    entry.postgap = track.postgap;
    const CueSheet::Index* start = track.Find(1);
    entry.file = start->file;
    entry.startInFile = start->frame;
    entry.start = DataPosition(start->file, start->frame) + silenceSoFar;
    if (const CueSheet::Index* gap = track.Find(0)) {
        entry.index00File = gap->file;
        entry.index00InFile = gap->frame;
        entry.index00 = DataPosition(gap->file, gap->frame) + silenceSoFar;
    }
    return entry;
}

std::int64_t CueLayout::DataPosition(int file, std::int64_t frame) const {
    return fileStarts[std::size_t(file)] + frame;
}

// Where a track's data begins: its INDEX 00, else its INDEX 01. Whatever lies before the
// first track's indexes is its own pregap, so the disc begins with the first file.
CueLayout::Point CueLayout::FirstPoint(const CueSheet& sheet, std::size_t track) {
    if (track == 0) return Point();
    const CueSheet::Track& sheetTrack = sheet.Tracks()[track];
    const CueSheet::Index* first = sheetTrack.Find(0) ? sheetTrack.Find(0) : sheetTrack.Find(1);
    return Point{first->file, first->frame};
}

int CueLayout::FrameBytes(CueSheet::FileType type, CueSheet::TrackMode mode) {
    const bool rawImage =
        type == CueSheet::FileType::binary || type == CueSheet::FileType::motorola;
    return rawImage ? CueSheet::SectorBytes(mode) : pcmFrameBytes;
}

CueLayout::Source CueLayout::Locate(std::int64_t frame) const {
    Source source;
    if (frame < 0 || frame >= leadOut) return source;
    const auto after = std::upper_bound(
        segments.begin(), segments.end(), frame,
        [](std::int64_t value, const Segment& segment) { return value < segment.discStart; });
    const Segment& segment = *(after - 1);
    source.track = segment.track;
    if (segment.file < 0) {
        source.kind = SourceKind::silence;
        return source;
    }
    source.kind = SourceKind::file;
    source.file = segment.file;
    source.bytes = segment.frameBytes;
    source.byteOffset = segment.byteStart + (frame - segment.discStart) * segment.frameBytes;
    return source;
}

std::int64_t CueLayout::FileFrames(const CueSheet& sheet, int file, std::int64_t dataBytes) {
    const std::vector<CueSheet::Track>& sheetTracks = sheet.Tracks();
    if (sheetTracks.empty() || file < 0 || std::size_t(file) >= sheet.Files().size() ||
        dataBytes <= 0)
        return 0;
    const CueSheet::FileType type = sheet.Files()[std::size_t(file)].type;
    // The track whose data the file begins with.
    std::size_t owner = 0;
    for (std::size_t n = 1; n < sheetTracks.size(); n++) {
        const Point first = FirstPoint(sheet, n);
        if (first.file < file || (first.file == file && first.frame == 0)) owner = n;
    }
    std::int64_t position = 0;
    std::int64_t bytesLeft = dataBytes;
    for (std::size_t n = owner + 1; n < sheetTracks.size(); n++) {
        const Point first = FirstPoint(sheet, n);
        if (first.file != file) continue;
        const int frameBytes = FrameBytes(type, sheetTracks[owner].mode);
        const std::int64_t span = first.frame - position;
        if (bytesLeft / frameBytes < span) return position + bytesLeft / frameBytes;
        bytesLeft -= span * frameBytes;
        position = first.frame;
        owner = n;
    }
    return position + bytesLeft / FrameBytes(type, sheetTracks[owner].mode);
}
