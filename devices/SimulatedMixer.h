#pragma once

#include "devices/MixerBackend.h"

#include <vector>

// A mixer device 0 in memory that checks and answers the mixer calls the way winmm does.
// Lines: the speakers destination (master volume and mute), the wave-out source (volume,
// mute) and, unless left out, a CD audio source (volume, 2 channels, and mute). With the CD
// line the volumes are stereo, as on an older sound card; without it they are uniform, one
// value each, as winmm's own mixer makes them.
// Control ids follow winmm's numbering, so the master volume has id 0.
class SimulatedMixer : public MixerBackend {
public:
    enum class Layout {
        withCdLine,    // an older sound card with a CD audio input
        withoutCdLine, // what Wine and recent Windows offer
        noDevice       // no sound card at all
    };

    static constexpr DWORD masterVolumeId = 0;
    static constexpr DWORD masterMuteId = 1;
    static constexpr DWORD waveVolumeId = 2;
    static constexpr DWORD waveMuteId = 3;
    static constexpr DWORD cdVolumeId = 4;
    static constexpr DWORD cdMuteId = 5;

    explicit SimulatedMixer(Layout layout = Layout::withCdLine);

    MMRESULT GetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) override;
    MMRESULT GetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* controls, DWORD flags) override;
    MMRESULT GetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) override;
    MMRESULT SetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details, DWORD flags) override;
    MMRESULT Close(HMIXER mixer) override;

    // The stored value of one channel of a control (0 for an unknown control or channel).
    DWORD Value(DWORD controlId, DWORD channel) const;
    // Sets a stored value directly, as another program or the user would.
    void PresetValue(DWORD controlId, DWORD channel, DWORD value);

    int setCalls = 0;   // every call of SetControlDetails, accepted or not
    int closeCalls = 0; // every call of Close

private:
    struct Line {
        DWORD id;
        DWORD componentType;
        DWORD source; // index among the sources, or ~0 for the destination
        DWORD channels;
        const char* name;
    };
    struct Control {
        DWORD id;
        DWORD lineId;
        DWORD type;
        DWORD channels;
        DWORD values[2];
    };

    MMRESULT CheckDevice(HMIXEROBJ mixer, DWORD flags) const;
    MMRESULT CheckDetails(HMIXEROBJ mixer, const MIXERCONTROLDETAILS* details, DWORD flags,
                          Control** control);
    const Line* FindLine(const MIXERLINEA& request, DWORD query) const;
    const Line* LineById(DWORD lineId) const;
    Control* ControlById(DWORD controlId);
    const Control* ControlById(DWORD controlId) const;
    DWORD ControlCount(DWORD lineId) const;
    void Describe(const Line& line, MIXERLINEA* out) const;
    static void Describe(const Control& control, MIXERCONTROLA* out);

    bool present;
    std::vector<Line> lines;
    std::vector<Control> controls;
};
