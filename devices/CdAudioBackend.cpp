#include "devices/CdAudioBackend.h"

#include <string.h>

MCIERROR PlatformCdAudioBackend::SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags,
                                             DWORD_PTR params) {
    return mciSendCommandA(id, message, flags, params);
}

int PlatformCdAudioBackend::GetVolumeSerial(const char* root, DWORD* serial) {
    if (!root || !root[0] || !serial) return 0; // "" would name the current drive
    // The documented root form ends in a backslash ("D:\"); callers pass the drive text ("D:").
    char path[MAX_PATH];
    size_t length = strnlen(root, MAX_PATH - 2);
    memcpy(path, root, length);
    if (length == 0 || path[length - 1] != '\\') path[length++] = '\\';
    path[length] = '\0';
    // An empty drive must answer "not ready", never ask the user to insert a disc.
    DWORD oldMode = 0;
    BOOL quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
    DWORD number = 0;
    BOOL ok = GetVolumeInformationA(path, nullptr, 0, &number, nullptr, nullptr, nullptr, 0);
    if (quiet) SetThreadErrorMode(oldMode, nullptr);
    if (!ok) return 0;
    *serial = number;
    return 1;
}
