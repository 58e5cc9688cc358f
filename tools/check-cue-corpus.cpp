// Reads every CUE sheet of a folder of real-world sheets, lays each out with the file lengths
// of the folder's sizes.tsv and compares the track table with its expected.tsv. The sheets
// stay where they are: they are not ours to copy. A host program, no Windows headers; built
// from the repository's root with
//   g++ -std=c++17 -O2 -I. tools/check-cue-corpus.cpp disc/CueSheet.cpp
//       disc/CueLayout.cpp -o check-cue-corpus
// and run as: check-cue-corpus FOLDER
// Exit status 0 when every valid sheet matches and every broken one is refused.

#include "disc/CueLayout.h"
#include "disc/CueSheet.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<Row> ReadTable(const std::filesystem::path& path) {
    std::vector<Row> rows;
    std::istringstream text(ReadAll(path));
    std::string line;
    std::getline(text, line); // the column names
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Row row;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

// A name from a sheet that is not UTF-8, in one of the code pages such sheets are written in.
std::string Decode(const std::string& bytes, const char* codePage) {
    if (codePage == nullptr) return bytes;
    iconv_t converter = iconv_open("UTF-8", codePage);
    if (converter == iconv_t(-1)) return bytes;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPlace = &out[0];
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &outPlace, &outLeft);
    iconv_close(converter);
    if (done == std::size_t(-1)) return bytes;
    out.resize(out.size() - outLeft);
    return out;
}

struct Size {
    long long bytes = -1;
    long long frames = 0;
};

using Sizes = std::map<std::string, std::map<std::string, Size>>;

Sizes ReadSizes(const std::filesystem::path& path) {
    Sizes sizes;
    for (const Row& row : ReadTable(path)) {
        if (row.size() < 4) continue;
        Size size;
        size.bytes = row[2] == "-" ? -1 : std::stoll(row[2]);
        size.frames = std::stoll(row[3]);
        sizes[row[0]][row[1]] = size;
    }
    return sizes;
}

// The code page under which every file of the sheet is one that sizes.tsv knows.
const char* FindCodePage(const CueSheet& sheet, const std::map<std::string, Size>& known) {
    const char* const candidates[] = {"CP1252", "CP1251"};
    auto allKnown = [&](const char* codePage) {
        return std::all_of(sheet.Files().begin(), sheet.Files().end(),
                           [&](const CueSheet::File& file) {
                               return known.count(Decode(file.name, codePage)) > 0;
                           });
    };
    if (sheet.Utf8() || allKnown(nullptr)) return nullptr;
    for (const char* codePage : candidates) {
        if (allKnown(codePage)) return codePage;
    }
    return nullptr;
}

std::string Number(long long value) {
    return value < 0 ? "-" : std::to_string(value);
}

std::string TwoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

struct Tally {
    int sheets = 0, sheetsMatched = 0, tracks = 0, tracksMatched = 0;
};

class SheetCheck {
public:
    SheetCheck(const CueSheet& sheet, const std::map<std::string, Size>& known)
        : sheet(sheet), codePage(FindCodePage(sheet, known)) {
        for (const CueSheet::File& file : sheet.Files()) {
            const std::string name = Decode(file.name, codePage);
            const bool wave = file.type == CueSheet::FileType::wave;
            const auto size = known.find(name);
            CueLayout::FileExtent extent;
            extent.frames = size == known.end() ? 0 : size->second.frames;
            extent.dataOffset = wave ? 44 : 0;
            extents.push_back(extent);
            names.push_back(name);
            bytes.push_back(size == known.end() ? -1 : size->second.bytes);
        }
    }

    const char* CodePage() const { return codePage; }
    const std::vector<CueLayout::FileExtent>& Extents() const { return extents; }

    // The row this reader gives for a track, in expected.tsv's columns.
    Row TrackRow(const std::string& sheetName, const CueLayout::Entry& entry) const {
        const bool gap = entry.index00File >= 0;
        return {sheetName,
                "valid",
                TwoDigits(entry.number),
                entry.data ? "data" : "audio",
                CueSheet::ModeName(entry.mode),
                names[std::size_t(entry.file)],
                Number(entry.startInFile),
                Number(entry.start),
                gap ? names[std::size_t(entry.index00File)] : "-",
                gap ? Number(entry.index00InFile) : "-",
                gap ? Number(entry.index00) : "-",
                Number(entry.pregap),
                Number(entry.postgap),
                "-"};
    }

    // Where the samples of each start are must agree with the table, and each measured file
    // must give the frames that sizes.tsv gives.
    std::string CrossCheck(const CueLayout& layout) const {
        for (const CueLayout::Entry& entry : layout.Tracks()) {
            const CueLayout::Source source = layout.Locate(entry.start);
            const CueLayout::FileExtent& extent = extents[std::size_t(entry.file)];
            if (source.kind != CueLayout::SourceKind::file || source.file != entry.file ||
                source.byteOffset != extent.dataOffset + entry.startInFile * source.bytes)
                return "track " + TwoDigits(entry.number) + " starts elsewhere in its file";
        }
        for (std::size_t k = 0; k < extents.size(); k++) {
            if (bytes[k] < 0) continue;
            const long long frames =
                CueLayout::FileFrames(sheet, int(k), bytes[k] - extents[k].dataOffset);
            if (frames != extents[k].frames)
                return names[k] + ": " + std::to_string(frames) + " frames from its size";
        }
        return std::string();
    }

private:
    const CueSheet& sheet;
    const char* codePage;
    std::vector<CueLayout::FileExtent> extents;
    std::vector<std::string> names;
    std::vector<long long> bytes;
};

std::string Differences(const Row& expected, const Row& got) {
    static const char* const columns[] = {
        "sheet",     "status",     "track",     "type",      "mode",   "file",    "idx01_rel",
        "idx01_abs", "idx00_file", "idx00_rel", "idx00_abs", "pregap", "postgap", "reason"};
    std::string text;
    for (std::size_t c = 2; c < 13 && c < expected.size() && c < got.size(); c++) {
        if (expected[c] != got[c])
            text +=
                std::string(" ") + columns[c] + " " + got[c] + " (expected " + expected[c] + ")";
    }
    return text;
}

bool CheckValidSheet(const std::string& name, const CueSheet& sheet,
                     const std::map<std::string, Size>& known, const std::vector<Row>& expected,
                     Tally& tally) {
    int trackRows = 0;
    for (const Row& row : expected)
        trackRows += row[2] != "leadout";
    tally.tracks += trackRows;
    if (!sheet.Valid()) {
        std::printf("DIFF %s: refused: %s\n", name.c_str(), sheet.Error().c_str());
        return false;
    }
    const SheetCheck check(sheet, known);
    const CueLayout layout(sheet, check.Extents());
    if (!layout.Valid()) {
        std::printf("DIFF %s: layout refused: %s\n", name.c_str(), layout.Error().c_str());
        return false;
    }
    bool same = int(layout.Tracks().size()) == trackRows;
    int matched = 0;
    for (const Row& row : expected) {
        if (row[2] == "leadout") {
            if (row[7] != Number(layout.LeadOut())) {
                std::printf("DIFF %s: lead-out %lld (expected %s)\n", name.c_str(),
                            static_cast<long long>(layout.LeadOut()), row[7].c_str());
                same = false;
            }
            continue;
        }
        const int number = std::stoi(row[2]);
        if (number < 1 || number > int(layout.Tracks().size())) continue;
        const std::string differences =
            Differences(row, check.TrackRow(name, layout.Tracks()[std::size_t(number - 1)]));
        if (differences.empty()) {
            matched++;
        } else {
            std::printf("DIFF %s: track %s:%s\n", name.c_str(), row[2].c_str(),
                        differences.c_str());
            same = false;
        }
    }
    const std::string crossCheck = check.CrossCheck(layout);
    if (!crossCheck.empty()) {
        std::printf("DIFF %s: %s\n", name.c_str(), crossCheck.c_str());
        same = false;
    }
    tally.tracksMatched += matched;
    std::printf("%s %s: %d of %d tracks%s%s\n", same ? "OK  " : "DIFF", name.c_str(), matched,
                trackRows, check.CodePage() ? ", names read as " : "",
                check.CodePage() ? check.CodePage() : "");
    return same;
}

bool CheckBrokenSheet(const std::string& name, const CueSheet& sheet, const Row& expected) {
    const std::string reason = expected.size() > 13 ? expected[13] : "?";
    if (sheet.Valid()) {
        std::printf("DIFF %s: accepted, expected refused (%s)\n", name.c_str(), reason.c_str());
        return false;
    }
    std::printf("OK   %s: refused: %s\n     expected: %s\n", name.c_str(), sheet.Error().c_str(),
                reason.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const Sizes sizes = ReadSizes(folder / "sizes.tsv");
    std::map<std::string, std::vector<Row>> expected;
    for (const Row& row : ReadTable(folder / "expected.tsv")) {
        if (row.size() >= 13) expected[row[0]].push_back(row);
    }
    std::vector<std::string> sheetNames;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".cue") sheetNames.push_back(entry.path().filename());
    }
    std::sort(sheetNames.begin(), sheetNames.end());

    Tally tally;
    int valid = 0, broken = 0;
    for (const std::string& name : sheetNames) {
        const CueSheet sheet(ReadAll(folder / name), name);
        tally.sheets++;
        const auto rows = expected.find(name);
        if (rows == expected.end()) {
            std::printf("DIFF %s: not in expected.tsv\n", name.c_str());
            continue;
        }
        bool same = false;
        if (rows->second.front()[1] == "valid") {
            valid++;
            static const std::map<std::string, Size> none;
            const auto known = sizes.find(name);
            same = CheckValidSheet(name, sheet, known == sizes.end() ? none : known->second,
                                   rows->second, tally);
        } else {
            broken++;
            same = CheckBrokenSheet(name, sheet, rows->second.front());
        }
        tally.sheetsMatched += same;
    }
    std::printf("\n%d of %d sheets as expected (%d valid, %d broken); %d of %d tracks match\n",
                tally.sheetsMatched, tally.sheets, valid, broken, tally.tracksMatched,
                tally.tracks);
    return tally.sheetsMatched == tally.sheets && tally.tracksMatched == tally.tracks ? 0 : 1;
}
