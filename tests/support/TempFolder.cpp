#include "support/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned counter = 0;
    for (;;) {
        std::ostringstream name;
        name << base << "lvx" << GetCurrentProcessId() << "_" << ++counter;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            path = name.str();
            return;
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(path); }

std::string TempFolder::File(const std::string& name) const { return path + "\\" + name; }

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TempFolder::Exists(const std::string& name) const {
    return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
