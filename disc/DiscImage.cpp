#include "disc/DiscImage.h"

#include "app/Utf8.h"
#include "disc/ImageFile.h"
#include "disc/WaveHeader.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t headerBytes = 64 * 1024; // any WAVE header ends well before this
constexpr int frameBytes = WaveHeader::bytesPerFrame;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == end;
}

// A FILE line names its file relative to the sheet unless it gives a drive or a root.
std::string Resolve(const std::string& sheetPath, const std::string& name) {
    const bool absolute = (name.size() > 1 && name[1] == ':') ||
                          (!name.empty() && (name[0] == '\\' || name[0] == '/'));
    if (absolute) return name;
    const size_t slash = sheetPath.find_last_of("\\/");
    return slash == std::string::npos ? name : sheetPath.substr(0, slash + 1) + name;
}

bool IsFlac(const std::string& path, CueSheet::FileType type = CueSheet::FileType::wave) {
    return type == CueSheet::FileType::flac || EndsWith(path, ".flac");
}

std::string FrameTime(std::uint64_t samples) {
    return CueSheet::TimeText(std::int64_t(samples / DiscAudio::samplesPerFrame));
}

// A CUESHEET block written out as a sheet of one file (whose name does not matter); its
// offsets are whole frames on a CD's sheet, and anything else is refused by the caller.
std::string SheetOfCueBlock(const std::vector<FlacStream::CueTrack>& tracks, bool* framed) {
    std::string text = "FILE \"disc\" WAVE\n";
    for (const FlacStream::CueTrack& track : tracks) {
        if (track.number < 1 || track.number > CueSheet::maxTracks) continue;
        text +=
            "TRACK " + std::to_string(track.number) + (track.audio ? " AUDIO\n" : " MODE1/2352\n");
        for (const auto& index : track.indexes) {
            const std::uint64_t at = track.offset + index.second;
            *framed = *framed && at % DiscAudio::samplesPerFrame == 0;
            text += "INDEX " + std::to_string(index.first) + " " + FrameTime(at) + "\n";
        }
    }
    return text;
}

std::int16_t Sample(const unsigned char* bytes, bool bigEndian) {
    const int low = bigEndian ? bytes[1] : bytes[0], high = bigEndian ? bytes[0] : bytes[1];
    return static_cast<std::int16_t>(low | (high << 8));
}

} // namespace

DiscImage::DiscImage(const std::string& path) {
    if (ImageFile::IsFolder(path))
        LoadFolder(path);
    else if (EndsWith(path, ".cue"))
        LoadSheet(path);
    else if (IsFlac(path))
        LoadFlac(path);
    else
        Fail(path + ": not a CUE sheet, a FLAC file or a folder of WAVE or FLAC files");
    if (Valid()) CheckLength(path);
    if (!Valid()) tracks.clear();
}

// A longer disc would show its times wrapped round, and seek to the wrong places.
bool DiscImage::CheckLength(const std::string& path) {
    if (leadOut <= maxFrames) return true;
    const std::int64_t minutes = leadOut / (60 * 75);
    return Fail(path + ": " + std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) +
                " min of sound, longer than the " + std::to_string((maxFrames + 149) / (60 * 75)) +
                " minutes a disc can hold");
}

bool DiscImage::Fail(const std::string& message) {
    if (error.empty()) error = message;
    return false;
}

std::string (*DiscImage::fromCodePage)(const std::string&) = Utf8::FromLatin1;

// A sheet not in UTF-8 is in the code page of whoever wrote it: this machine's, most likely.
std::string DiscImage::InUtf8(const CueSheet& sheet, const std::string& text) {
    return sheet.Utf8() ? text : fromCodePage(text);
}

bool DiscImage::LoadSheet(const std::string& path) {
    std::uint64_t size = 0;
    if (!ImageFile::Size(path, &size)) return Fail(path + ": cannot be read");
    if (size > CueSheet::maxBytes) return Fail(path + ": too large for a CUE sheet");
    const CueSheet sheet(ImageFile::Head(path, static_cast<std::size_t>(size)), path);
    if (!sheet.Valid()) return Fail(sheet.Error());
    std::vector<std::string> paths;
    for (const CueSheet::File& file : sheet.Files())
        paths.push_back(Resolve(path, InUtf8(sheet, file.name)));
    return LayOut(sheet, paths);
}

// The disc's sheet inside the file: a CUESHEET comment as its ripper wrote it, else the
// CUESHEET block; either names one file, this one. The comments name the disc first.
bool DiscImage::LoadFlac(const std::string& path) {
    std::string text;
    bool framed = true;
    {
        const FlacStream stream(path);
        if (!stream.Valid()) return Fail(stream.Error());
        text = stream.CueSheetText();
        if (text.empty() && !stream.CueTracks().empty())
            text = SheetOfCueBlock(stream.CueTracks(), &framed);
        performer = stream.Artist(), title = stream.Album();
    }
    if (text.empty()) return Fail(path + ": holds no cue sheet (CUESHEET block or comment)");
    if (!framed) return Fail(path + ": its CUESHEET block puts a track between CD frames");
    const CueSheet sheet(text, path + " (its cue sheet)");
    if (!sheet.Valid()) return Fail(sheet.Error());
    if (sheet.Files().size() != 1)
        return Fail(path + ": its cue sheet names " + std::to_string(sheet.Files().size()) +
                    " files, where the FLAC file is the one");
    const std::string artist = performer, album = title;
    if (!LayOut(sheet, {path})) return false;
    if (!artist.empty()) performer = artist;
    if (!album.empty()) title = album;
    return true;
}

// The files of a sheet, found at the paths given for them, laid end to end as the disc.
bool DiscImage::LayOut(const CueSheet& sheet, const std::vector<std::string>& filePaths) {
    performer = InUtf8(sheet, sheet.Performer()), title = InUtf8(sheet, sheet.Title());
    std::vector<CueLayout::FileExtent> extents(sheet.Files().size());
    for (size_t i = 0; i < extents.size(); i++)
        if (!MeasureFile(sheet, static_cast<int>(i), filePaths[i], &extents[i])) return false;
    layout = std::make_unique<CueLayout>(sheet, extents);
    if (!layout->Valid()) return Fail(layout->Error());
    for (size_t i = 0; i < layout->Tracks().size(); i++) {
        const CueLayout::Entry& entry = layout->Tracks()[i];
        const CueSheet::Track& written = sheet.Tracks()[i];
        tracks.push_back({entry.start, entry.length, entry.data, InUtf8(sheet, written.performer),
                          InUtf8(sheet, written.title)});
    }
    leadOut = layout->LeadOut();
    return true;
}

bool DiscImage::MeasureFile(const CueSheet& sheet, int file, const std::string& path,
                            CueLayout::FileExtent* extent) {
    const CueSheet::File& named = sheet.Files()[static_cast<size_t>(file)];
    const std::string where = " (" + sheet.Name() + ", line " + std::to_string(named.line) + ")";
    if (!CueSheet::Supported(named.type))
        return Fail(path + ": files of type " + named.typeName +
                    " cannot be played; a disc image needs BINARY, MOTOROLA, WAVE or FLAC" + where);
    std::uint64_t size = 0;
    if (!ImageFile::Size(path, &size)) return Fail(path + ": missing" + where);
    Source source = {path, 0, named.type == CueSheet::FileType::motorola, IsFlac(path, named.type)};
    if (source.flac) {
        if (!MeasureFlac(path, where, &extent->frames)) return false;
    } else if (named.type == CueSheet::FileType::wave) {
        const std::string head = ImageFile::Head(path, headerBytes);
        const WaveHeader header(path, reinterpret_cast<const unsigned char*>(head.data()),
                                head.size(), size);
        if (!header.Valid()) return Fail(header.Error() + where);
        extent->frames = header.Frames();
        source.dataOffset = header.DataOffset();
    } else {
        extent->frames = CueLayout::FileFrames(sheet, file, static_cast<std::int64_t>(size));
    }
    extent->dataOffset = static_cast<std::int64_t>(source.dataOffset);
    sources.push_back(source);
    return true;
}

// Whole frames: a partial last frame is left out, as of a WAVE file.
bool DiscImage::MeasureFlac(const std::string& path, const std::string& where,
                            std::int64_t* frames) {
    const FlacStream stream(path);
    if (!stream.Valid()) return Fail(stream.Error() + where);
    *frames = std::int64_t(stream.Samples() / DiscAudio::samplesPerFrame);
    return true;
}

// Tracks in name order, without regard to case, as a file manager shows them.
bool DiscImage::LoadFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const std::string& name : ImageFile::FilesIn(path))
        if (EndsWith(name, ".wav") || EndsWith(name, ".flac")) names.push_back(name);
    if (names.empty()) return Fail(path + ": holds no WAVE or FLAC files to play");
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    if (names.size() > static_cast<size_t>(CueSheet::maxTracks))
        return Fail(path + ": holds more than 99 sound files, more than a disc has tracks");
    title = path.substr(path.find_last_of("\\/") + 1);
    for (const std::string& name : names) {
        const std::string file = path + "\\" + name;
        Source source = {file, 0, false, IsFlac(file)};
        std::int64_t frames = 0;
        if (source.flac) {
            if (!MeasureFlac(file, "", &frames)) return false;
        } else {
            std::uint64_t size = 0;
            if (!ImageFile::Size(file, &size)) return Fail(file + ": cannot be read");
            const std::string head = ImageFile::Head(file, headerBytes);
            const WaveHeader header(file, reinterpret_cast<const unsigned char*>(head.data()),
                                    head.size(), size);
            if (!header.Valid()) return Fail(header.Error());
            frames = header.Frames();
            source.dataOffset = header.DataOffset();
        }
        if (frames == 0) return Fail(file + ": holds less than one frame of sound");
        folderStarts.push_back(leadOut);
        tracks.push_back({leadOut, frames, false, "", name.substr(0, name.find_last_of('.'))});
        sources.push_back(source);
        leadOut += frames;
    }
    return true;
}

// A buffer's frames mostly come from one file: it is opened once for all of them.
void DiscImage::ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const {
    std::unique_ptr<ImageFile> open;
    int openSource = -1;
    for (int i = 0; i < count; i++) {
        std::int16_t* frameSamples = samples + static_cast<size_t>(i) * samplesPerFrame * 2;
        std::fill(frameSamples, frameSamples + samplesPerFrame * 2, std::int16_t(0));
        int source = -1;
        std::uint64_t offset = 0;
        if (!Locate(firstFrame + i, &source, &offset)) continue;
        if (sources[size_t(source)].flac) {
            ReadFlacFrame(source, offset, frameSamples);
            continue;
        }
        if (source != openSource) {
            open = std::make_unique<ImageFile>(sources[size_t(source)].path);
            openSource = source;
        }
        unsigned char bytes[frameBytes] = {};
        open->ReadAt(offset, bytes, frameBytes); // a short file leaves silence
        for (int s = 0; s < samplesPerFrame * 2; s++)
            frameSamples[s] = Sample(bytes + 2 * s, sources[size_t(source)].bigEndian);
    }
}

// The stream stays open from buffer to buffer: playing on decodes on, with no seek.
void DiscImage::ReadFlacFrame(int source, std::uint64_t offset, std::int16_t* samples) const {
    if (source != flacSource) {
        flac = std::make_unique<FlacStream>(sources[size_t(source)].path);
        flacSource = source;
    }
    const std::uint64_t first = (offset - sources[size_t(source)].dataOffset) / 4;
    flac->Read(first, samples, samplesPerFrame); // silence after damage or the end
}

// The file and byte a frame's sound comes from; false for gaps, data and frames off the disc.
bool DiscImage::Locate(std::int64_t frame, int* source, std::uint64_t* offset) const {
    if (!Valid() || frame < 0 || frame >= leadOut) return false;
    if (layout) {
        const CueLayout::Source where = layout->Locate(frame);
        const bool audio = where.track >= 1 && !tracks[size_t(where.track) - 1].data;
        if (where.kind != CueLayout::SourceKind::file || !audio || where.bytes != frameBytes)
            return false;
        *source = where.file;
        *offset = static_cast<std::uint64_t>(where.byteOffset); // the layout counts the header
        return true;
    }
    const auto next = std::upper_bound(folderStarts.begin(), folderStarts.end(), frame);
    *source = static_cast<int>(next - folderStarts.begin()) - 1;
    *offset = sources[size_t(*source)].dataOffset +
              static_cast<std::uint64_t>(frame - folderStarts[size_t(*source)]) * frameBytes;
    return true;
}
