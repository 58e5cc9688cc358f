#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// The built program started with a command line; ended at destruction if it still runs.
class ProgramRun {
public:
    static std::string BuiltProgram() {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, sizeof path);
        return std::string(path, strrchr(path, '\\')) + "\\..\\bin\\lumivoxen.exe";
    }

    explicit ProgramRun(const std::string& arguments, const std::string& program = BuiltProgram()) {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info);
    }
    ~ProgramRun() {
        if (!started) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Serves this thread's messages until the program ends or stays silent that long, and
    // counts the program's top-level windows meanwhile. Returns its exit code or STILL_ACTIVE.
    DWORD WaitForExit(DWORD milliseconds) {
        if (!started) return STILL_ACTIVE;
        for (;;) {
            DWORD wait =
                MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, milliseconds, QS_ALLINPUT);
            EnumWindows(CountWindow, reinterpret_cast<LPARAM>(this));
            if (wait != WAIT_OBJECT_0 + 1) break;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    BOOL started = FALSE;
    PROCESS_INFORMATION info = {};
    int windowsSeen = 0;

private:
    static BOOL CALLBACK CountWindow(HWND window, LPARAM run) {
        auto* self = reinterpret_cast<ProgramRun*>(run);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        self->windowsSeen += owner == self->info.dwProcessId;
        return TRUE;
    }
};
