#include "devices/MixerBackend.h"

MMRESULT PlatformMixerBackend::GetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) {
    return mixerGetLineInfoA(mixer, line, flags);
}

MMRESULT PlatformMixerBackend::GetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls,
                                               DWORD flags) {
    return mixerGetLineControlsA(mixer, controls, flags);
}

MMRESULT PlatformMixerBackend::GetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                                 DWORD flags) {
    return mixerGetControlDetailsA(mixer, details, flags);
}

MMRESULT PlatformMixerBackend::SetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                                 DWORD flags) {
    return mixerSetControlDetails(mixer, details, flags);
}

MMRESULT PlatformMixerBackend::Close(HMIXER mixer) {
    return mixerClose(mixer);
}

PlatformMixerBackend& PlatformMixerBackend::Instance() {
    static PlatformMixerBackend backend;
    return backend;
}
