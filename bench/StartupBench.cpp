// Prints how fast the player starts and closes and how much memory it holds: starts the real
// program in a folder of its own several times and times it to its window and to its exit.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

struct Run {
    double toWindow = 0, toExit = 0;
    SIZE_T workingSet = 0, privateBytes = 0;
};

bool RunOnce(const std::string& program, Run& run) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start = Now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    HWND window = nullptr;
    while (!window && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        HWND found = FindWindowA("LumivoxenCDPlayer", nullptr);
        if (found && IsWindowVisible(found)) window = found;
    }
    run.toWindow = Milliseconds(start, Now());
    Sleep(300); // a status tick or two
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    run.workingSet = memory.WorkingSetSize;
    run.privateBytes = memory.PrivateUsage;
    LARGE_INTEGER closing = Now();
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    run.toExit = Milliseconds(closing, Now());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 10;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string built = std::string(path, strrchr(path, '\\')) + "\\lumivoxen.exe";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "lvxbench";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "\\lumivoxen.exe";
    if (!CopyFileA(built.c_str(), program.c_str(), FALSE)) {
        fprintf(stderr, "cannot copy %s\n", built.c_str());
        return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA file;
    GetFileAttributesExA(program.c_str(), GetFileExInfoStandard, &file);

    std::vector<double> toWindow, toExit, workingSet, privateBytes;
    for (int i = 0; i < runs; i++) {
        Run run;
        if (!RunOnce(program, run)) {
            fprintf(stderr, "run %d: no player window\n", i + 1);
            return 1;
        }
        toWindow.push_back(run.toWindow);
        toExit.push_back(run.toExit);
        workingSet.push_back(run.workingSet / 1024.0);
        privateBytes.push_back(run.privateBytes / 1024.0);
    }
    printf("program size          %8.0f KiB\n", file.nFileSizeLow / 1024.0);
    printf("start to window       %8.1f ms (median of %d)\n", Median(toWindow), runs);
    printf("close to exit         %8.1f ms\n", Median(toExit));
    printf("working set           %8.0f KiB\n", Median(workingSet));
    if (Median(privateBytes) > 0) // Wine does not report it
        printf("private bytes         %8.0f KiB\n", Median(privateBytes));
    DeleteFileA((folder + "\\lumivoxe.ini").c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
