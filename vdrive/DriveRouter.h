#pragma once

#include "devices/CdAudioBackend.h"

#include <vector>

class VirtualCdDrive;

// The CD device's seam when a virtual drive stands beside the real ones: an open of the
// virtual drive's letter goes to it, every other open to the platform, and each later
// command to whichever opened its device. Device ids are the router's own, so that the two
// never hand out the same id.
class DriveRouter : public CdAudioBackend {
public:
    DriveRouter(CdAudioBackend& platform, VirtualCdDrive& virtualDrive);

    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
    int GetVolumeSerial(const char* root, DWORD* serial) override;

private:
    struct Route {
        MCIDEVICEID id;
        CdAudioBackend* target;
        MCIDEVICEID targetId;
    };

    CdAudioBackend& TargetOf(const char* drive);
    MCIERROR Open(UINT message, DWORD_PTR flags, MCI_OPEN_PARMSA* params);

    CdAudioBackend& platform;
    VirtualCdDrive& virtualDrive;
    std::vector<Route> routes;
    MCIDEVICEID nextId = 1;
};
