#include "support/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned counter = 0;
    do
        path = base + ("lvx" + std::to_string(GetCurrentProcessId())) + "_" +
               std::to_string(++counter);
    while (!CreateDirectoryA(path.c_str(), nullptr));
}

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::~TempFolder() {
    RemoveTree(path);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    for (size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1))
        CreateDirectoryA(File(name.substr(0, at)).c_str(), nullptr); // its folders first
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
