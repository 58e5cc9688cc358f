#include "devices/WMixer.h"

namespace {

// Mixer device 0, addressed by its device number rather than by an open handle.
const HMIXEROBJ firstMixer = reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(0));

MIXERCONTROLDETAILS ValueDetails(DWORD id, DWORD channels, DWORD* values) {
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = id;
    details.cChannels = channels;
    details.cMultipleItems = 0;
    // MIXERCONTROLDETAILS_UNSIGNED and _BOOLEAN both hold one 32-bit value.
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values;
    return details;
}

} // namespace

WMixer::WMixer(MixerBackend* backend)
    : backend(backend ? backend : &PlatformMixerBackend::Instance()) {
}

WMixer::~WMixer() {
    if (mixerHandle) backend->Close(mixerHandle);
}

int WMixer::GetControlId(DWORD componentType, DWORD controlType, DWORD* id, DWORD* channels) {
    *id = 0;
    if (channels) *channels = 1;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    if (backend->GetLineInfo(firstMixer, &line,
                             MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return 0;

    MIXERCONTROLA control = {};
    control.cbStruct = sizeof(control);
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(control);
    controls.pamxctrl = &control;
    if (backend->GetLineControls(firstMixer, &controls,
                                 MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return 0;
    *id = control.dwControlID;
    const bool uniform = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0;
    if (channels && !uniform && line.cChannels >= 1 && line.cChannels <= maxChannels)
        *channels = line.cChannels;
    return 1;
}

int WMixer::GetValues(DWORD id, DWORD channels, DWORD* value0, DWORD* value1) {
    DWORD values[maxChannels] = {};
    int ok = ReadDetails(id, channels, values) == MMSYSERR_NOERROR;
    *value0 = ok ? values[0] : 0;
    *value1 = ok ? values[1] : 0;
    return ok;
}

MMRESULT WMixer::SetValues(DWORD id, DWORD channels, DWORD value0, DWORD value1) {
    DWORD values[maxChannels] = {value0, value1};
    return WriteDetails(id, channels, values);
}

MMRESULT WMixer::SetBool(DWORD id, DWORD value) {
    return WriteDetails(id, 1, &value);
}

DWORD WMixer::GetBool(DWORD id) {
    DWORD value = 0;
    return ReadDetails(id, 1, &value) == MMSYSERR_NOERROR ? value : 0;
}

MMRESULT WMixer::ReadDetails(DWORD id, DWORD channels, DWORD* values) {
    // More channels than the buffer holds would let the mixer write past it.
    if (channels > maxChannels) return MMSYSERR_INVALPARAM;
    MIXERCONTROLDETAILS details = ValueDetails(id, channels, values);
    return backend->GetControlDetails(firstMixer, &details,
                                      MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE);
}

MMRESULT WMixer::WriteDetails(DWORD id, DWORD channels, DWORD* values) {
    if (channels > maxChannels) return MMSYSERR_INVALPARAM;
    MIXERCONTROLDETAILS details = ValueDetails(id, channels, values);
    return backend->SetControlDetails(firstMixer, &details,
                                      MIXER_OBJECTF_MIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}
