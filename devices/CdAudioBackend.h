#pragma once

#include <windows.h>
#include <mmsystem.h>

// The one seam between WMCIAudioCD and the platform: the MCI command function and the
// volume serial number query. The default back end forwards to winmm and kernel32; the
// simulated drive (SimulatedCdDrive) answers the same commands with the same structures.
class CdAudioBackend {
public:
    virtual ~CdAudioBackend() = default;
    virtual MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags,
                                 DWORD_PTR params) = 0;
    // 1 and the serial number on success, 0 when the volume cannot be read.
    virtual int GetVolumeSerial(const char* root, DWORD* serial) = 0;
};

// winmm's mciSendCommandA and GetVolumeInformationA.
class PlatformCdAudioBackend : public CdAudioBackend {
public:
    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
    int GetVolumeSerial(const char* root, DWORD* serial) override;
};
