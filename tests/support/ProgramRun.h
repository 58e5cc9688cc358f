#pragma once

#include "app/Utf8.h"
#include "support/ThisProgram.h"

#include <windows.h>

#include <string>

// A program started with a command line, its output and errors going to a file when one is
// named; ended at destruction if it still runs. Its handle, held till then, keeps its process
// id from going to another process.
class ProgramRun {
public:
    explicit ProgramRun(const std::string& arguments,
                        const std::string& program = BuiltFile("lumivoxen.exe"),
                        const std::string& outputFile = "") {
        // UTF-8, given to the program as the wide command line a shell gives.
        std::wstring commandLine = Utf8::ToWide("\"" + program + "\" " + arguments);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        HANDLE output = outputFile.empty()
                            ? INVALID_HANDLE_VALUE
                            : CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherited, CREATE_ALWAYS, 0, nullptr);
        if (output != INVALID_HANDLE_VALUE) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = startup.hStdError = output;
        }
        CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, output != INVALID_HANDLE_VALUE,
                       0, nullptr, nullptr, &startup, &info);
        if (output != INVALID_HANDLE_VALUE) CloseHandle(output); // the program has its own
    }
    ~ProgramRun() {
        TerminateProcess(info.hProcess, 1); // refused once it has ended
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Serves this thread's messages until the program ends or stays silent that long, and
    // counts the program's top-level windows meanwhile. Returns its exit code or STILL_ACTIVE.
    DWORD WaitForExit(DWORD ms) {
        for (;;) {
            DWORD wait = MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, ms, QS_ALLINPUT);
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, nullptr));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                windowsSeen += owner == info.dwProcessId;
            }
            if (wait != WAIT_OBJECT_0 + 1) break;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION info = {};
    int windowsSeen = 0;
};
