// Prints what the player costs as a whole program, each figure beside the same figure of an
// empty Win32 window program (bench_empty_window.exe) started the same way in the same run:
//   bench_program start STAGE [runs]    start to first paint (built-in skin, a folder skin),
//                                       peak working set, close to exit
//   bench_program idle STAGE [seconds]  processor time with no disc in the drive
//   bench_program play STAGE [seconds]  processor time while playing the first disc (the
//                                       demo disc on a machine without a CD drive); the
//                                       floor plays silence through the same device
// STAGE is a folder holding lumivoxen.exe, bench_empty_window.exe and skin\Graphite\; the
// benchmark works in a copy of it.
#include "bench/Timing.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

const char* const playerClass = "LumivoxenCDPlayer";
const char* const emptyClass = "LumivoxenBenchEmptyWindow";

bool UnderWine() {
    return GetFileAttributesA("Z:\\proc\\self\\stat") != INVALID_FILE_ATTRIBUTES;
}

// Wine gives no processor times of other processes; its processes are the host's, whose
// /proc it shows as Z:\proc. Sums utime and stime of the process running `program`.
double HostProcessorSeconds(const std::string& program) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    double total = 0;
    do {
        if (found.cFileName[0] < '1' || found.cFileName[0] > '9') continue;
        const std::string folder = std::string("Z:\\proc\\") + found.cFileName;
        char text[1024] = {};
        FILE* file = fopen((folder + "\\cmdline").c_str(), "rb");
        if (!file) continue;
        const size_t length = fread(text, 1, sizeof text - 1, file);
        fclose(file);
        std::string commandLine(text, length);
        if (commandLine.find(program) == std::string::npos ||
            commandLine.find("bench_program") != std::string::npos)
            continue;
        file = fopen((folder + "\\stat").c_str(), "rb");
        if (!file) continue;
        char stat[1024] = {};
        fread(stat, 1, sizeof stat - 1, file);
        fclose(file);
        const char* afterName = strrchr(stat, ')');
        unsigned long long utime = 0, stime = 0;
        if (afterName &&
            sscanf(afterName + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                   &stime) == 2)
            total += double(utime + stime) / 100; // the kernel's clock ticks
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return total;
}

// A program started for one measurement; closed and released when it goes.
class Started {
public:
    Started(const std::string& folder, const std::string& program, const char* windowClass,
            const std::string& arguments = "")
        : windowClass_(windowClass), program_(program) {
        std::string commandLine = "\"" + folder + "\\" + program + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        start_ = NowMilliseconds();
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process_))
            process_ = {};
    }
    ~Started() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
                TerminateProcess(process_.hProcess, 1);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // Milliseconds from the start until the program's window is shown with nothing left to
    // paint; negative when it never gets there.
    double WaitForFirstPaint() {
        while (WaitForSingleObject(process_.hProcess, 1) == WAIT_TIMEOUT &&
               NowMilliseconds() - start_ < 20000) {
            HWND found = FindWindowA(windowClass_, nullptr);
            if (found && IsWindowVisible(found) && !GetUpdateRect(found, nullptr, FALSE)) {
                window_ = found;
                return NowMilliseconds() - start_;
            }
        }
        return -1;
    }

    double CloseAndWait() {
        const double closing = NowMilliseconds();
        PostMessageA(window_, WM_CLOSE, 0, 0);
        window_ = nullptr;
        WaitForSingleObject(process_.hProcess, 10000);
        return NowMilliseconds() - closing;
    }

    double PeakWorkingSetKiB() const {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process_.hProcess, &memory, sizeof memory);
        return double(std::max(memory.PeakWorkingSetSize, memory.WorkingSetSize)) / 1024;
    }

    double ProcessorSeconds() const {
        FILETIME created, exited, kernel, user;
        if (!GetProcessTimes(process_.hProcess, &created, &exited, &kernel, &user)) return 0;
        auto seconds = [](FILETIME t) {
            return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
        };
        return UnderWine() ? HostProcessorSeconds(program_) : seconds(kernel) + seconds(user);
    }

private:
    const char* windowClass_;
    std::string program_;
    PROCESS_INFORMATION process_ = {};
    double start_ = 0; // milliseconds
    HWND window_ = nullptr;
};

void WriteFile(const std::string& path, const std::string& text) {
    if (FILE* file = fopen(path.c_str(), "wb")) {
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }
}

// The player's settings for one run: its skin and nothing remembered from the run before.
void Prepare(const std::string& folder, const char* skin) {
    WriteFile(folder + "\\lumivoxe.ini", std::string("[skin]\r\nname=") + skin + "\r\n");
    DeleteFileA((folder + "\\cdplayer.ini").c_str());
}

struct StartFigures {
    std::vector<double> toPaint, peakKiB, toExit;
};

// Starts the program once and adds its figures; the player with `skin` in its settings.
bool MeasureStart(const std::string& folder, const char* program, const char* windowClass,
                  const char* skin, StartFigures& figures, const char* arguments = "") {
    if (skin) Prepare(folder, skin);
    Started started(folder, program, windowClass, arguments);
    const double toPaint = started.WaitForFirstPaint();
    if (toPaint < 0) {
        fprintf(stderr, "%s: no window painted\n", program);
        return false;
    }
    Sleep(300); // a status tick or two
    figures.toPaint.push_back(toPaint);
    figures.peakKiB.push_back(started.PeakWorkingSetKiB());
    figures.toExit.push_back(started.CloseAndWait());
    return true;
}

int Start(const std::string& folder, int runs) {
    StartFigures empty, sounding, builtin, graphite;
    // One run of each first, not counted: the disk cache then holds every program alike.
    StartFigures warmUp;
    if (!MeasureStart(folder, "bench_empty_window.exe", emptyClass, nullptr, warmUp) ||
        !MeasureStart(folder, "lumivoxen.exe", playerClass, ".", warmUp))
        return 1;
    for (int i = 0; i < runs; i++) {
        if (!MeasureStart(folder, "bench_empty_window.exe", emptyClass, nullptr, empty) ||
            !MeasureStart(folder, "bench_empty_window.exe", emptyClass, nullptr, sounding,
                          "/silence") ||
            !MeasureStart(folder, "lumivoxen.exe", playerClass, ".", builtin) ||
            !MeasureStart(folder, "lumivoxen.exe", playerClass, "Graphite", graphite))
            return 1;
    }
    const double floorPaint = Median(empty.toPaint), floorKiB = Median(empty.peakKiB);
    printf("start to first paint, median of %d (target: at most 1.3 x the empty window)\n", runs);
    printf("  empty window              %7.1f ms\n", floorPaint);
    printf("  empty window with sound   %7.1f ms  ratio %5.2f\n", Median(sounding.toPaint),
           Median(sounding.toPaint) / floorPaint);
    printf("  player, built-in skin     %7.1f ms  ratio %5.2f\n", Median(builtin.toPaint),
           Median(builtin.toPaint) / floorPaint);
    printf("  player, folder skin       %7.1f ms  ratio %5.2f\n", Median(graphite.toPaint),
           Median(graphite.toPaint) / floorPaint);
    printf("peak working set (target: at most the empty window + 4096 KiB)\n");
    printf("  empty window              %7.0f KiB\n", floorKiB);
    printf("  empty window with sound   %7.0f KiB  ratio %5.2f  %+6.0f KiB\n",
           Median(sounding.peakKiB), Median(sounding.peakKiB) / floorKiB,
           Median(sounding.peakKiB) - floorKiB);
    printf("  player, built-in skin     %7.0f KiB  ratio %5.2f  %+6.0f KiB\n",
           Median(builtin.peakKiB), Median(builtin.peakKiB) / floorKiB,
           Median(builtin.peakKiB) - floorKiB);
    printf("  player, folder skin       %7.0f KiB  ratio %5.2f  %+6.0f KiB\n",
           Median(graphite.peakKiB), Median(graphite.peakKiB) / floorKiB,
           Median(graphite.peakKiB) - floorKiB);
    printf("close to exit\n");
    printf("  empty window              %7.1f ms\n", Median(empty.toExit));
    printf("  player                    %7.1f ms  ratio %5.2f\n", Median(builtin.toExit),
           Median(builtin.toExit) / Median(empty.toExit));
    return 0;
}

// Both programs run side by side for the same seconds; what each spent is a share of one
// core.
int ProcessorTime(const std::string& folder, double seconds, bool playing) {
    Prepare(folder, ".");
    Started player(folder, "lumivoxen.exe", playerClass, playing ? "/play" : "");
    Started floor(folder, "bench_empty_window.exe", emptyClass, playing ? "/silence" : "");
    if (player.WaitForFirstPaint() < 0 || floor.WaitForFirstPaint() < 0) {
        fprintf(stderr, "a program did not start\n");
        return 1;
    }
    Sleep(2000); // past the start and the first buffers
    const double playerBefore = player.ProcessorSeconds(), floorBefore = floor.ProcessorSeconds();
    Sleep(DWORD(seconds * 1000));
    const double playerShare = (player.ProcessorSeconds() - playerBefore) / seconds;
    const double floorShare = (floor.ProcessorSeconds() - floorBefore) / seconds;
    if (playing) {
        printf("processor time over %.0f s of playing (target: at most 0.3 %% of one core)\n",
               seconds);
        printf("  empty window, silence     %7.3f %% of one core\n", 100 * floorShare);
    } else {
        printf("processor time over %.0f s with no disc\n", seconds);
        printf("  empty window              %7.3f %% of one core\n", 100 * floorShare);
    }
    printf("  player                    %7.3f %% of one core", 100 * playerShare);
    if (floorShare > 0) printf("  ratio %5.2f", playerShare / floorShare);
    printf("\n");
    return 0;
}

// Works in a copy, so the stage keeps no settings from a run.
bool CopyStage(const std::string& stage, const std::string& folder) {
    const char* const files[] = {"lumivoxen.exe", "bench_empty_window.exe"};
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : files) {
        if (!CopyFileA((stage + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE))
            return false;
    }
    const std::string from = stage + "\\skin\\Graphite", to = folder + "\\skin\\Graphite";
    CreateDirectoryA((folder + "\\skin").c_str(), nullptr);
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + found.cFileName).c_str(),
                      (to + "\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

void RemoveCopy(const std::string& folder) {
    const std::string graphite = folder + "\\skin\\Graphite";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((graphite + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((graphite + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(graphite.c_str());
    RemoveDirectoryA((folder + "\\skin").c_str());
    const char* const files[] = {"lumivoxen.exe", "bench_empty_window.exe", "lumivoxe.ini",
                                 "cdplayer.ini"};
    for (const char* file : files)
        DeleteFileA((folder + "\\" + file).c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: bench_program start|idle|play STAGE [runs|seconds]\n");
        return 2;
    }
    const std::string what = argv[1], stage = argv[2];
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "lvx-bench-program";
    if (!CopyStage(stage, folder)) {
        fprintf(stderr, "cannot copy the programs from %s\n", stage.c_str());
        RemoveCopy(folder);
        return 1;
    }
    int result = 2;
    if (what == "start") result = Start(folder, argc > 3 ? atoi(argv[3]) : 5);
    if (what == "idle") result = ProcessorTime(folder, argc > 3 ? atof(argv[3]) : 60, false);
    if (what == "play") result = ProcessorTime(folder, argc > 3 ? atof(argv[3]) : 60, true);
    RemoveCopy(folder);
    return result;
}
