#include "app/DataFolder.h"

#include "app/OwnedHandle.h"

#include <windows.h>
#include <shlobj.h>

namespace {

const char* const dataFiles[] = {"lumivoxe.ini", "cdplayer.ini"};

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::string DataFolder::Choose(const std::string& programFolder, const std::string& appData,
                               WritableTest writable) {
    if (!programFolder.empty() && writable(programFolder)) return programFolder;
    if (appData.empty()) return programFolder; // nowhere better: reads still work
    const std::string own = appData + "\\" + ownFolderName;
    CreateDirectoryA(own.c_str(), nullptr); // fails harmlessly when it exists
    if (!writable(own)) return programFolder;
    for (const char* name : dataFiles) {
        const std::string from = programFolder + "\\" + name, to = own + "\\" + name;
        if (!programFolder.empty() && Exists(from) && !Exists(to))
            CopyFileA(from.c_str(), to.c_str(), TRUE);
    }
    return own;
}

bool DataFolder::CanWriteIn(const std::string& folder) {
    const std::string probe = folder + "\\lumivoxen-write-test.tmp";
    const OwnedHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                       nullptr));
    return file.Valid();
}

std::string DataFolder::UserAppData() {
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return "";
    return path;
}
