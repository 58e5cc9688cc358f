#pragma once

#include "devices/MixerBackend.h"

// The sound card's mixer as the player window uses it: look up a control of a line by the
// line's component type, read and write its channel values (0 .. 65535) or its switch.
// The mixer is never opened: every call addresses the first mixer device (device 0).
// Nothing here shows a message; failures are results.
class WMixer {
public:
    // The back end is not owned; null means the platform's own.
    explicit WMixer(MixerBackend* backend = nullptr);
    ~WMixer();
    WMixer(const WMixer&) = delete;
    WMixer& operator=(const WMixer&) = delete;

    // 1 and the control's id, or 0 and id 0 when the line or the control is missing. The
    // channel count to read and write it with: 1 for a uniform control, else the line's.
    int GetControlId(DWORD componentType, DWORD controlType, DWORD* id, DWORD* channels = nullptr);
    // 1 and the first two channel values, or 0 and both values 0.
    int GetValues(DWORD id, DWORD channels, DWORD* value0, DWORD* value1);
    // The platform's result code (MMSYSERR_NOERROR on success).
    MMRESULT SetValues(DWORD id, DWORD channels, DWORD value0, DWORD value1);
    MMRESULT SetBool(DWORD id, DWORD value);
    // The switch's value, 0 when it cannot be read.
    DWORD GetBool(DWORD id);

    // Room for the values of one call: the callers use one or two channels.
    static constexpr DWORD maxChannels = 2;

    HMIXER mixerHandle = 0;

private:
    MMRESULT ReadDetails(DWORD id, DWORD channels, DWORD* values);
    MMRESULT WriteDetails(DWORD id, DWORD channels, DWORD* values);

    MixerBackend* backend;
};
