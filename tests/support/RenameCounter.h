#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Counts the files renamed onto a name in a folder, from the counter's making on, through the
// platform's change notifications: how often a file was replaced by a rename.
class RenameCounter {
public:
    explicit RenameCounter(const std::string& folder);
    ~RenameCounter();
    RenameCounter(const RenameCounter&) = delete;
    RenameCounter& operator=(const RenameCounter&) = delete;

    // Renames onto the name since the last call for it, every change made before this call
    // included.
    int Onto(const std::string& name);

private:
    bool Watch();
    bool TakeChanges(const std::wstring& until);

    std::string folder;
    HANDLE directory;
    HANDLE ready;
    OVERLAPPED overlapped = {};
    std::vector<DWORD> buffer = std::vector<DWORD>(16384);
    std::vector<std::wstring> renamedOnto;
    unsigned markers = 0;
};
