#include "devices/SimulatedMixer.h"

#include <cstring>

namespace {

const DWORD speakersLineId = 0xFFFF0000;
const DWORD waveLineId = 0;
const DWORD cdLineId = 1;
const DWORD noSource = 0xFFFFFFFF;
const DWORD objectMask = 0xF0000000;
const DWORD maxVolume = 0xFFFF;

void CopyName(char* to, size_t size, const char* from) {
    std::strncpy(to, from, size - 1);
    to[size - 1] = '\0';
}

} // namespace

SimulatedMixer::SimulatedMixer(Layout layout) : present(layout != Layout::noDevice) {
    const DWORD loud = 0xC000;
    // winmm's own mixer (Wine, recent Windows) has one uniform value per volume control and
    // calls its wave source mono; an older card's volumes are stereo.
    const DWORD volumeChannels = layout == Layout::withCdLine ? 2 : 1;
    lines.push_back(
        {speakersLineId, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, noSource, 2, "Master Volume"});
    lines.push_back({waveLineId, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0, volumeChannels, "Wave"});
    controls.push_back({masterVolumeId,
                        speakersLineId,
                        MIXERCONTROL_CONTROLTYPE_VOLUME,
                        volumeChannels,
                        {loud, loud}});
    controls.push_back({masterMuteId, speakersLineId, MIXERCONTROL_CONTROLTYPE_MUTE, 1, {0, 0}});
    controls.push_back(
        {waveVolumeId, waveLineId, MIXERCONTROL_CONTROLTYPE_VOLUME, volumeChannels, {loud, loud}});
    controls.push_back({waveMuteId, waveLineId, MIXERCONTROL_CONTROLTYPE_MUTE, 1, {0, 0}});
    if (layout == Layout::withCdLine) {
        lines.push_back({cdLineId, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 1, 2, "CD Audio"});
        controls.push_back(
            {cdVolumeId, cdLineId, MIXERCONTROL_CONTROLTYPE_VOLUME, 2, {loud, loud}});
        controls.push_back({cdMuteId, cdLineId, MIXERCONTROL_CONTROLTYPE_MUTE, 1, {0, 0}});
    }
}

MMRESULT SimulatedMixer::CheckDevice(HMIXEROBJ mixer, DWORD flags) const {
    // Device 0 by number is the only object there is; nothing was ever opened, so any
    // mixer handle is unknown too.
    if (!present) return MMSYSERR_INVALHANDLE;
    if ((flags & objectMask) != MIXER_OBJECTF_MIXER) return MMSYSERR_INVALHANDLE;
    if (reinterpret_cast<UINT_PTR>(mixer) != 0) return MMSYSERR_INVALHANDLE;
    return MMSYSERR_NOERROR;
}

MMRESULT SimulatedMixer::GetLineInfo(HMIXEROBJ mixer, MIXERLINEA* line, DWORD flags) {
    if (!line || line->cbStruct != sizeof(MIXERLINEA)) return MMSYSERR_INVALPARAM;
    const DWORD query = flags & MIXER_GETLINEINFOF_QUERYMASK;
    const DWORD known = MIXER_GETLINEINFOF_QUERYMASK | objectMask;
    if ((flags & ~known) || query > MIXER_GETLINEINFOF_TARGETTYPE) return MMSYSERR_INVALFLAG;
    if (MMRESULT result = CheckDevice(mixer, flags)) return result;
    const Line* found = FindLine(*line, query);
    if (!found) return MIXERR_INVALLINE;
    Describe(*found, line);
    return MMSYSERR_NOERROR;
}

const SimulatedMixer::Line* SimulatedMixer::FindLine(const MIXERLINEA& request, DWORD query) const {
    for (const Line& line : lines) {
        switch (query) {
        case MIXER_GETLINEINFOF_COMPONENTTYPE:
            if (line.componentType == request.dwComponentType) return &line;
            break;
        case MIXER_GETLINEINFOF_LINEID:
            if (line.id == request.dwLineID) return &line;
            break;
        case MIXER_GETLINEINFOF_DESTINATION:
            if (request.dwDestination == 0 && line.source == noSource) return &line;
            break;
        case MIXER_GETLINEINFOF_SOURCE:
            if (request.dwDestination == 0 && line.source == request.dwSource) return &line;
            break;
        }
    }
    return nullptr; // includes TARGETTYPE, which winmm does not look up either
}

void SimulatedMixer::Describe(const Line& line, MIXERLINEA* out) const {
    const bool isSource = line.source != noSource;
    out->dwDestination = 0;
    out->dwSource = line.source;
    out->dwLineID = line.id;
    out->fdwLine = MIXERLINE_LINEF_ACTIVE | (isSource ? MIXERLINE_LINEF_SOURCE : 0);
    out->dwUser = 0;
    out->dwComponentType = line.componentType;
    out->cChannels = line.channels;
    out->cConnections = isSource ? 0 : static_cast<DWORD>(lines.size() - 1);
    out->cControls = ControlCount(line.id);
    CopyName(out->szShortName, sizeof(out->szShortName), line.name);
    CopyName(out->szName, sizeof(out->szName), line.name);
    out->Target.dwType = isSource ? MIXERLINE_TARGETTYPE_WAVEOUT : MIXERLINE_TARGETTYPE_UNDEFINED;
    out->Target.dwDeviceID = 0;
    out->Target.wMid = 0xFF;
    out->Target.wPid = 0xFF;
    out->Target.vDriverVersion = 0x00010001;
    CopyName(out->Target.szPname, sizeof(out->Target.szPname), "Simulated Mixer");
}

MMRESULT SimulatedMixer::GetLineControls(HMIXEROBJ mixer, MIXERLINECONTROLSA* request,
                                         DWORD flags) {
    if (!request || request->cbStruct != sizeof(MIXERLINECONTROLSA) ||
        request->cbmxctrl != sizeof(MIXERCONTROLA))
        return MMSYSERR_INVALPARAM;
    const DWORD query = flags & MIXER_GETLINECONTROLSF_QUERYMASK;
    if ((flags & ~(MIXER_GETLINECONTROLSF_QUERYMASK | objectMask)) ||
        query > MIXER_GETLINECONTROLSF_ONEBYTYPE)
        return MMSYSERR_INVALFLAG;
    if (!request->pamxctrl) return MMSYSERR_INVALPARAM;
    if (MMRESULT result = CheckDevice(mixer, flags)) return result;

    if (query == MIXER_GETLINECONTROLSF_ONEBYID) {
        const Control* control = ControlById(request->dwControlID);
        if (!control) return MIXERR_INVALCONTROL;
        request->dwLineID = control->lineId;
        Describe(*control, request->pamxctrl);
        return MMSYSERR_NOERROR;
    }
    if (!LineById(request->dwLineID)) return MIXERR_INVALLINE;
    if (query == MIXER_GETLINECONTROLSF_ONEBYTYPE) {
        // winmm takes room for one control here whatever cControls says.
        for (const Control& control : controls) {
            if (control.lineId == request->dwLineID && control.type == request->dwControlType) {
                Describe(control, request->pamxctrl);
                return MMSYSERR_NOERROR;
            }
        }
        return MIXERR_INVALCONTROL;
    }
    if (request->cControls != ControlCount(request->dwLineID)) return MMSYSERR_INVALPARAM;
    MIXERCONTROLA* out = request->pamxctrl;
    for (const Control& control : controls)
        if (control.lineId == request->dwLineID) Describe(control, out++);
    return MMSYSERR_NOERROR;
}

void SimulatedMixer::Describe(const Control& control, MIXERCONTROLA* out) {
    const bool isVolume = control.type == MIXERCONTROL_CONTROLTYPE_VOLUME;
    std::memset(out, 0, sizeof(*out));
    out->cbStruct = sizeof(*out);
    out->dwControlID = control.id;
    out->dwControlType = control.type;
    out->fdwControl = control.channels == 1 ? MIXERCONTROL_CONTROLF_UNIFORM : 0;
    out->cMultipleItems = 0;
    CopyName(out->szShortName, sizeof(out->szShortName), isVolume ? "Volume" : "Mute");
    CopyName(out->szName, sizeof(out->szName), isVolume ? "Volume" : "Mute");
    out->Bounds.dwMinimum = 0;
    out->Bounds.dwMaximum = isVolume ? maxVolume : 1;
    out->Metrics.cSteps = isVolume ? 192 : 0;
}

MMRESULT SimulatedMixer::CheckDetails(HMIXEROBJ mixer, const MIXERCONTROLDETAILS* details,
                                      DWORD flags, Control** control) {
    if (!details || details->cbStruct != sizeof(MIXERCONTROLDETAILS)) return MMSYSERR_INVALPARAM;
    if (flags & ~(MIXER_GETCONTROLDETAILSF_QUERYMASK | objectMask)) return MMSYSERR_INVALFLAG;
    // Neither list texts nor custom data exist on volume and mute controls.
    if ((flags & MIXER_GETCONTROLDETAILSF_QUERYMASK) != MIXER_GETCONTROLDETAILSF_VALUE)
        return MMSYSERR_NOTSUPPORTED;
    if (MMRESULT result = CheckDevice(mixer, flags)) return result;
    *control = ControlById(details->dwControlID);
    if (!*control) return MIXERR_INVALCONTROL;
    if (!details->paDetails || details->cbDetails < sizeof(MIXERCONTROLDETAILS_UNSIGNED))
        return MMSYSERR_INVALPARAM;
    if (details->cMultipleItems != 0) return MMSYSERR_INVALPARAM;
    // Only custom controls take a channel count of 0, and there are none. Otherwise one value
    // for all channels, or one per channel of a control that has several: a uniform (mono)
    // control refuses two.
    if (details->cChannels == 0) return MMSYSERR_INVALPARAM;
    if (details->cChannels != 1 && details->cChannels != (*control)->channels)
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

MMRESULT SimulatedMixer::GetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                           DWORD flags) {
    Control* control = nullptr;
    if (MMRESULT result = CheckDetails(mixer, details, flags, &control)) return result;
    DWORD* out = static_cast<DWORD*>(details->paDetails);
    for (DWORD channel = 0; channel < details->cChannels; channel++)
        out[channel] = control->values[channel];
    return MMSYSERR_NOERROR;
}

MMRESULT SimulatedMixer::SetControlDetails(HMIXEROBJ mixer, MIXERCONTROLDETAILS* details,
                                           DWORD flags) {
    setCalls++;
    Control* control = nullptr;
    if (MMRESULT result = CheckDetails(mixer, details, flags, &control)) return result;
    const DWORD* in = static_cast<const DWORD*>(details->paDetails);
    const bool uniform = details->cChannels == 1;
    const bool isVolume = control->type == MIXERCONTROL_CONTROLTYPE_VOLUME;
    for (DWORD channel = 0; channel < control->channels; channel++)
        if (isVolume && in[uniform ? 0 : channel] > maxVolume) return MMSYSERR_INVALPARAM;
    for (DWORD channel = 0; channel < control->channels; channel++) {
        const DWORD value = in[uniform ? 0 : channel];
        control->values[channel] = isVolume ? value : (value != 0);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT SimulatedMixer::Close(HMIXER) {
    closeCalls++;
    return MMSYSERR_NOERROR;
}

DWORD SimulatedMixer::Value(DWORD controlId, DWORD channel) const {
    const Control* control = ControlById(controlId);
    return control && channel < control->channels ? control->values[channel] : 0;
}

void SimulatedMixer::PresetValue(DWORD controlId, DWORD channel, DWORD value) {
    Control* control = ControlById(controlId);
    if (control && channel < control->channels) control->values[channel] = value;
}

const SimulatedMixer::Line* SimulatedMixer::LineById(DWORD lineId) const {
    for (const Line& line : lines)
        if (line.id == lineId) return &line;
    return nullptr;
}

SimulatedMixer::Control* SimulatedMixer::ControlById(DWORD controlId) {
    for (Control& control : controls)
        if (control.id == controlId) return &control;
    return nullptr;
}

const SimulatedMixer::Control* SimulatedMixer::ControlById(DWORD controlId) const {
    for (const Control& control : controls)
        if (control.id == controlId) return &control;
    return nullptr;
}

DWORD SimulatedMixer::ControlCount(DWORD lineId) const {
    DWORD count = 0;
    for (const Control& control : controls)
        if (control.lineId == lineId) count++;
    return count;
}
