#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// The test program's own module, which holds the program's resources.
inline HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

// A file the build put beside the program (build/bin), from a test program in build/tests.
inline std::string BuiltFile(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, strrchr(path, '\\')) + "\\..\\bin\\" + name;
}
