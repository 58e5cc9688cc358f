#include "support/RenameCounter.h"

#include <algorithm>

RenameCounter::RenameCounter(const std::string& folder)
    : folder(folder),
      directory(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                            nullptr)),
      ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    Watch();
}

RenameCounter::~RenameCounter() {
    CancelIo(directory);
    DWORD bytes = 0;
    GetOverlappedResult(directory, &overlapped, &bytes, TRUE);
    CloseHandle(ready);
    CloseHandle(directory);
}

bool RenameCounter::Watch() {
    ResetEvent(ready);
    overlapped = {};
    overlapped.hEvent = ready;
    return ReadDirectoryChangesW(directory, buffer.data(), DWORD(buffer.size() * sizeof(DWORD)),
                                 FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped,
                                 nullptr) != 0;
}

// Reads the changes that came in; true once the file named `until` was made.
bool RenameCounter::TakeChanges(const std::wstring& until) {
    DWORD bytes = 0;
    if (WaitForSingleObject(ready, 10000) != WAIT_OBJECT_0 ||
        !GetOverlappedResult(directory, &overlapped, &bytes, FALSE))
        return true; // nothing more will come
    bool seen = false;
    for (DWORD offset = 0; bytes > 0;) {
        auto change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(
            reinterpret_cast<const char*>(buffer.data()) + offset);
        const std::wstring name(change->FileName, change->FileNameLength / sizeof(WCHAR));
        if (change->Action == FILE_ACTION_RENAMED_NEW_NAME) renamedOnto.push_back(name);
        seen |= change->Action == FILE_ACTION_ADDED && name == until;
        if (!change->NextEntryOffset) break;
        offset += change->NextEntryOffset;
    }
    return !Watch() || seen;
}

int RenameCounter::Onto(const std::string& name) {
    // Changes come in order: once this file's making is seen, all before it are.
    const std::wstring marker = L"rename-counter-" + std::to_wstring(++markers) + L".mark";
    const std::string markerPath = folder + "\\" + std::string(marker.begin(), marker.end());
    CloseHandle(CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    while (!TakeChanges(marker)) {
    }
    DeleteFileA(markerPath.c_str());
    const std::wstring wide(name.begin(), name.end());
    const auto counted = std::remove(renamedOnto.begin(), renamedOnto.end(), wide);
    const int count = int(renamedOnto.end() - counted);
    renamedOnto.erase(counted, renamedOnto.end());
    return count;
}
