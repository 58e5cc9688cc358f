#include "devices/CdTextReader.h"

#include "app/OwnedHandle.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>

#include <algorithm>
#include <vector>

bool CdTextReader::ReadPacks(char driveLetter, std::string& packs) {
    packs.clear();
    const char path[] = {'\\', '\\', '.', '\\', driveLetter, ':', '\0'};
    OwnedHandle drive(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!drive.Valid()) return false;
    CDROM_READ_TOC_EX request = {};
    request.Format = CDROM_READ_TOC_EX_FORMAT_CDTEXT;
    // The answer's length is two bytes: it never exceeds 64 KiB.
    std::vector<unsigned char> answer(65536 + 4);
    DWORD got = 0;
    if (!DeviceIoControl(drive.Get(), IOCTL_CDROM_READ_TOC_EX, &request, sizeof request,
                         answer.data(), DWORD(answer.size()), &got, nullptr) ||
        got < 4)
        return false;
    // A header of its length (big-endian, the two reserved bytes counted) before the packs.
    const size_t length = std::min<size_t>(size_t((answer[0] << 8) | answer[1]) + 2, got);
    if (length <= 4) return false;
    packs.assign(reinterpret_cast<const char*>(answer.data()) + 4, length - 4);
    return true;
}
