#pragma once

#include <string>

// Reads the CD-Text packs of the disc in a real drive (IOCTL_CDROM_READ_TOC_EX, read access
// only). False when the drive, the disc or the platform has none to give.
class CdTextReader {
public:
    static bool ReadPacks(char driveLetter, std::string& packs);
};
