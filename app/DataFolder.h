#pragma once

#include <string>

// Where the settings (lumivoxe.ini) and the disc database (cdplayer.ini) live: beside the
// program when it may write there (a portable copy, a per-user install), else in a folder of
// its own under the user's application data. "Program Files" is read-only to users, and a
// 64-bit program gets no file virtualisation: there every setting would be lost silently.
class DataFolder {
public:
    using WritableTest = bool (*)(const std::string& folder);

    // The folder to use. The application-data folder is made when it is needed, and files
    // that stand beside the program but not there yet are copied over, once.
    static std::string Choose(const std::string& programFolder, const std::string& appData,
                              WritableTest writable = CanWriteIn);
    // Whether a new file can be made in the folder (tried, then removed).
    static bool CanWriteIn(const std::string& folder);
    // The user's application data folder (roaming); empty when the system has none.
    static std::string UserAppData();

    static constexpr const char* ownFolderName = "Lumivoxen";
};
