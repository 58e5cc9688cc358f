// Prints what the player's windows cost at work, in process, with a simulated drive playing:
// switching skins (a folder skin to the built-in one and back), one status tick with the
// painting it causes, and painting both windows whole, also at twice the scale. Every figure is
// measured twice, on a small disc with nothing else stored, and on a disc of 99 tracks with a
// playlist of 2,000 entries among 5,000 discs in the database; their ratio shows what large inputs
// cost.
#include "bench/Timing.h"
#include "forms/MainForm.h"
#include "forms/PlaylistForm.h"
#include "res/resource.h"
#include "support/TestProgram.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Disc {
    int tracks;
    int playlistEntries;
    int otherDiscs;
};

struct Figures {
    double skinSwitch, tick, paint, background, paintTwice; // milliseconds, medians
};

// What a step costs includes the drawing it leaves batched.
template <typename Work> double FlushedMilliseconds(int runs, Work work) {
    return MedianMilliseconds(runs, [&] {
        work();
        GdiFlush();
    });
}

std::string DiscDatabaseText(const Disc& disc) {
    std::string text;
    for (int d = 0; d < disc.otherDiscs; d++) {
        char section[64];
        std::snprintf(section, sizeof section, "[%X]\r\nartist=Artist %d\r\ntitle=Album %d\r\n",
                      0x10000 + d, d, d);
        text += section;
        for (int t = 0; t < 12; t++)
            text += std::to_string(t) + "=Track " + std::to_string(t + 1) + "\r\n";
    }
    text += "[4D2]\r\nartist=The Long Playlist Orchestra\r\ntitle=Everything at Once\r\n";
    for (int t = 0; t < disc.tracks; t++)
        text += std::to_string(t) + "=Movement number " + std::to_string(t + 1) + "\r\n";
    text += "numplay=" + std::to_string(disc.playlistEntries) + "\r\norder=";
    for (int e = 0; e < disc.playlistEntries; e++)
        text += std::to_string(e % disc.tracks) + " ";
    return text + "\r\n";
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The program as the entry point puts it together, on a simulated drive and mixer, playing
// the disc's first entry.
class Program {
public:
    explicit Program(const Disc& disc) {
        program.folder.Write("cdplayer.ini", DiscDatabaseText(disc));
        std::vector<SimulatedTrack> tracks;
        for (int t = 0; t < disc.tracks; t++)
            tracks.push_back({DWORD(60 + 7 * t % 180) * 75, false});
        program.drive.InsertDisc(tracks);
        program.drive.SetFileSystemSerial(0x4D2);
        program.Start("[options]\r\nshowplaylist=1\r\ndrive=D:\r\n");
        program.form->skinsFolder = ProgramFolder() + "\\skin";
        program.form->ShowWindows();
        TestProgram::Pump();
        Tick();
        program.engine->StartPlay();
        TestProgram::Pump();
    }

    void PaintWhatChanged() {
        RedrawWindow(Form().hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RedrawWindow(Form().playlist->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void PaintEverything() {
        const UINT all = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
        RedrawWindow(Form().hwnd, nullptr, nullptr, all | RDW_UPDATENOW);
        RedrawWindow(Form().playlist->hwnd, nullptr, nullptr, all | RDW_UPDATENOW);
    }
    // The player window's own background, without the controls on it.
    void PaintBackground() {
        RedrawWindow(Form().hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void Tick() {
        program.Tick();
        PaintWhatChanged();
    }
    // As the Skin page switches.
    void SwitchSkin(const char* folderSkin) {
        if (folderSkin) {
            if (!Form().LoadSkin(folderSkin)) std::fprintf(stderr, "skin %s failed\n", folderSkin);
        } else {
            Form().LoadBuiltinSkin();
        }
        TestProgram::Pump();
        PaintWhatChanged();
    }
    void SetScale(int scale) {
        SendMessageA(Form().hwnd, WM_COMMAND, IDM_SCALE_AUTO + scale, 0);
        TestProgram::Pump();
    }
    bool Playing() { return program.drive.CurrentRun().playing; }

private:
    MainForm& Form() { return *program.form; }

    TestProgram program;
};

Figures Measure(const Disc& disc) {
    Program program(disc);
    if (!program.Playing()) std::fprintf(stderr, "the simulated drive is not playing\n");
    Figures figures;
    figures.skinSwitch = FlushedMilliseconds(21,
                                             [&] {
                                                 program.SwitchSkin("Graphite");
                                                 program.SwitchSkin(nullptr);
                                             }) /
                         2;
    figures.tick = FlushedMilliseconds(301, [&] { program.Tick(); });
    figures.paint = FlushedMilliseconds(51, [&] { program.PaintEverything(); });
    figures.background = FlushedMilliseconds(51, [&] { program.PaintBackground(); });
    program.SetScale(2);
    figures.paintTwice = FlushedMilliseconds(51, [&] { program.PaintEverything(); });
    return figures;
}

void PrintLine(const char* what, double small, double large, const char* target) {
    std::printf("  %-34s %8.3f ms %8.3f ms  ratio %5.2f  %s\n", what, small, large,
                small > 0 ? large / small : 0, target);
}

} // namespace

int main() {
    const Figures small = Measure({3, 3, 0});
    const Figures large = Measure({99, 2000, 5000});

    std::printf("player windows at work, medians (small disc, then 99 tracks with 2,000 "
                "playlist entries among 5,000 discs)\n");
    PrintLine("painting the player's background", small.background, large.background, "");
    PrintLine("painting both windows whole", small.paint, large.paint, "");
    PrintLine("painting both windows whole at 2x", small.paintTwice, large.paintTwice, "");
    PrintLine("status tick with its painting", small.tick, large.tick, "");
    PrintLine("skin switch, folder <-> built-in", small.skinSwitch, large.skinSwitch,
              "(target: at most 30 ms)");
    std::printf("  skin switch against painting both windows whole: ratio %.2f (small disc)\n",
                small.paint > 0 ? small.skinSwitch / small.paint : 0);
    std::printf("  both windows whole against the player's background: ratio %.2f (small disc)\n",
                small.background > 0 ? small.paint / small.background : 0);
    std::printf("  both windows whole at 2x against 1x: ratio %.2f (small disc; target: at most "
                "1.5)\n",
                small.paint > 0 ? small.paintTwice / small.paint : 0);
    return 0;
}
