// Prints what the disc database costs on large cdplayer.ini files: the reads of one disc's
// entry (what a status tick does when a disc arrives) and one written key, through the
// program's own reader and writer and through the platform's private-profile functions on
// the same file. Usage: bench_profile [runs]
#include "bench/Timing.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WIniKey.h"
#include "devices/SimulatedCdDrive.h"
#include "devices/WMCIAudioCD.h"
#include "player/PlaybackEngine.h"
#include "player/PlaylistView.h"

#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

constexpr int tracksPerDisc = 12;

struct ListInMemory : PlaylistView {
    std::vector<int> data;
    int Count() const override { return int(data.size()); }
    int ItemData(int index) const override { return data[size_t(index)]; }
    void ItemText(int, char* buffer, int) const override { buffer[0] = '\0'; }
    int Marked() const override { return -1; }
    void SetMarked(int, int) override {}
    int PreviousMarked() const override { return 0; }
    int NextMarked() const override { return 0; }
    int FindByData(int) const override { return 0; }
    void Clear(int) override { data.clear(); }
    int Add(const char*, int value, int) override {
        data.push_back(value);
        return Count() - 1;
    }
};

struct NoDisplays : EngineDisplays {
    void SetText(Display, const char*) override {}
    void SetSeekRange(int) override {}
    void SetSeekPosition(int) override {}
    void CloseWindow() override {}
};

// Sections like the player writes them, one per disc, ids 10000 upwards.
std::string DiscDatabaseText(int discs) {
    std::string text;
    char line[200];
    for (int disc = 0; disc < discs; disc++) {
        snprintf(line, sizeof line, "[%X]\r\nEntryType=1\r\nartist=Artist number %d\r\n",
                 0x10000 + disc, disc);
        text += line;
        snprintf(line, sizeof line, "title=Album number %d\r\nnumtracks=%d\r\n", disc,
                 tracksPerDisc);
        text += line;
        for (int track = 0; track < tracksPerDisc; track++) {
            snprintf(line, sizeof line, "%d=Song %d of album %d\r\n", track, track + 1, disc);
            text += line;
        }
        text += "numplay=12\r\norder=11 10 9 8 7 6 5 4 3 2 1 0 \r\n";
    }
    return text;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The reads LoadDiscEntry makes, through the platform.
void PlatformDiscEntry(const std::string& path, const char* section) {
    char value[1000];
    for (const char* key : {"artist", "title", "numplay", "order"})
        GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    for (int track = 0; track < tracksPerDisc; track++) {
        char key[8];
        snprintf(key, sizeof key, "%d", track);
        GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    }
}

struct Row {
    double ours, platform;
};

void PrintRow(const char* what, const Row& row) {
    printf("  %-34s %9.3f ms  platform %9.3f ms  ratio %5.2f\n", what, row.ours, row.platform,
           row.ours / row.platform);
}

void MeasureDiscs(int discs, int runs, const std::string& folder) {
    const std::string path = folder + "\\cdplayer.ini", text = DiscDatabaseText(discs);
    WriteFileBytes(path, text);
    const DWORD lastDisc = 0x10000 + DWORD(discs) - 1;
    char section[16];
    snprintf(section, sizeof section, "%lX", (unsigned long)lastDisc);

    SimulatedCdDrive drive;
    drive.InsertDisc(std::vector<SimulatedTrack>(tracksPerDisc, {75 * 200, false}));
    drive.SetFileSystemSerial(lastDisc);
    WMCIAudioCD cd(&drive);
    cd.Open("D:");
    cd.ReadDisc();
    WIniKey file(path.c_str());
    Settings options;
    PlayRequest request;
    PlaybackEngine engine(cd, file, options, request, [](unsigned) { return 0u; });
    ListInMemory list;
    NoDisplays displays;
    engine.AttachViews(&list, &displays);

    // A changed file is read and parsed again by both readers; an unchanged one is not.
    auto rewrite = [&] { WriteFileBytes(path, text); };
    auto nothing = [] {};
    Row changed = {MedianMilliseconds(runs, rewrite, [&] { engine.LoadDiscEntry(); }),
                   MedianMilliseconds(runs, rewrite, [&] { PlatformDiscEntry(path, section); })};
    Row again = {MedianMilliseconds(runs, nothing, [&] { engine.LoadDiscEntry(); }),
                 MedianMilliseconds(runs, nothing, [&] { PlatformDiscEntry(path, section); })};
    int flip = 0;
    Row write = {
        MedianMilliseconds(runs, nothing,
                           [&] { file.WriteString(section, "numplay", ++flip % 2 ? "11" : "12"); }),
        MedianMilliseconds(runs, nothing, [&] {
            WritePrivateProfileStringA(section, "numplay", ++flip % 2 ? "11" : "12", path.c_str());
        })};
    printf("%d discs, %.0f KiB, %d entries read:\n", discs, text.size() / 1024.0,
           int(list.data.size()));
    PrintRow("LoadDiscEntry, file changed", changed);
    PrintRow("LoadDiscEntry, file unchanged", again);
    PrintRow("one WriteString", write);
    DeleteFileA(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "lvxprofilebench";
    CreateDirectoryA(folder.c_str(), nullptr);
    printf("Disc database reads and writes (median of %d runs; ratio = ours / platform)\n", runs);
    for (int discs : {50, 500, 5000})
        MeasureDiscs(discs, runs, folder);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
