#pragma once

#include <windows.h>
#include <mmsystem.h>

// The one seam between WMixer and the platform: the five mixer functions it uses, with
// winmm's own structures, flags and result codes. The platform back end forwards to winmm;
// the simulated mixer (SimulatedMixer) checks and answers the same calls the same way.
class MixerBackend {
public:
    virtual ~MixerBackend() = default;
    virtual MMRESULT GetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) = 0;
    virtual MMRESULT GetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls,
                                     DWORD flags) = 0;
    virtual MMRESULT GetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                       DWORD flags) = 0;
    virtual MMRESULT SetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                       DWORD flags) = 0;
    virtual MMRESULT Close(HMIXER mixer) = 0;
};

// winmm's mixerGetLineInfoA, mixerGetLineControlsA, mixerGetControlDetailsA,
// mixerSetControlDetails and mixerClose.
class PlatformMixerBackend : public MixerBackend {
public:
    MMRESULT GetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) override;
    MMRESULT GetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls, DWORD flags) override;
    MMRESULT GetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) override;
    MMRESULT SetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) override;
    MMRESULT Close(HMIXER mixer) override;

    // The process's one platform back end (it has no state).
    static PlatformMixerBackend& Instance();
};
