#include "vdrive/DriveRouter.h"

#include "vdrive/VirtualCdDrive.h"

#include <cctype>

DriveRouter::DriveRouter(CdAudioBackend& platform, VirtualCdDrive& virtualDrive)
    : platform(platform), virtualDrive(virtualDrive) {
}

CdAudioBackend& DriveRouter::TargetOf(const char* drive) {
    const bool ours = drive && std::toupper(static_cast<unsigned char>(drive[0])) ==
                                   std::toupper(static_cast<unsigned char>(virtualDrive.Letter()));
    if (ours) return virtualDrive;
    return platform;
}

MCIERROR DriveRouter::SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) {
    if (message == MCI_OPEN)
        return Open(message, flags, reinterpret_cast<MCI_OPEN_PARMSA*>(params));
    for (size_t i = 0; i < routes.size(); i++) {
        if (routes[i].id != id) continue;
        const Route route = routes[i];
        const MCIERROR result = route.target->SendCommand(route.targetId, message, flags, params);
        if (message == MCI_CLOSE && result == 0) routes.erase(routes.begin() + long(i));
        return result;
    }
    // An id no open gave out is unknown to both, as to winmm.
    return MCIERR_INVALID_DEVICE_ID;
}

MCIERROR DriveRouter::Open(UINT message, DWORD_PTR flags, MCI_OPEN_PARMSA* params) {
    const bool named = params && (flags & MCI_OPEN_ELEMENT) && !(flags & MCI_OPEN_ELEMENT_ID);
    CdAudioBackend& target = TargetOf(named ? params->lpstrElementName : nullptr);
    const MCIERROR result =
        target.SendCommand(0, message, flags, reinterpret_cast<DWORD_PTR>(params));
    if (result != 0 || !params) return result;
    routes.push_back({nextId, &target, params->wDeviceID});
    params->wDeviceID = nextId++;
    return 0;
}

int DriveRouter::GetVolumeSerial(const char* root, DWORD* serial) {
    return TargetOf(root).GetVolumeSerial(root, serial);
}
