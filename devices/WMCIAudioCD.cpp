#include "devices/WMCIAudioCD.h"

#include "devices/AudioDiscSerial.h"

#include <stdio.h>
#include <string.h>

namespace {

PlatformCdAudioBackend platformBackend;

} // namespace

WMCIAudioCD::WMCIAudioCD(CdAudioBackend* backend) : backend(backend ? backend : &platformBackend) {
}

WMCIAudioCD::~WMCIAudioCD() {
    if (deviceId != 0) Close();
}

// Every command but MCI_OPEN goes to the open device; while closed nothing reaches the
// platform and the command fails as an unknown device would.
MCIERROR WMCIAudioCD::Send(UINT message, DWORD flags, void* params) {
    if (message == MCI_OPEN) return backend->SendCommand(0, message, flags, (DWORD_PTR)params);
    if (deviceId == 0) return MCIERR_INVALID_DEVICE_ID;
    return backend->SendCommand(deviceId, message, flags, (DWORD_PTR)params);
}

int WMCIAudioCD::Status(DWORD item, DWORD flags, DWORD track, DWORD_PTR* value) {
    MCI_STATUS_PARMS params = {};
    params.dwItem = item;
    params.dwTrack = track;
    if (Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT | flags, &params) != 0) return 0;
    *value = params.dwReturn;
    return 1;
}

int WMCIAudioCD::Open(const char* driveText) {
    // A device that will not close keeps its id, so that a later Close can still reach it.
    if (deviceId != 0 && !Close()) return 0;
    MCI_OPEN_PARMSA params = {};
    params.lpstrDeviceType = (LPCSTR)(DWORD_PTR)MCI_DEVTYPE_CD_AUDIO;
    params.lpstrElementName = driveText ? driveText : "";
    DWORD flags = MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_WAIT;
    if (Send(MCI_OPEN, flags, &params) != 0) {
        deviceId = 0;
        return 0;
    }
    deviceId = params.wDeviceID;
    SetTimeFormat(MCI_FORMAT_TMSF);
    snprintf(drive, sizeof(drive), "%s", params.lpstrElementName);
    return 1;
}

int WMCIAudioCD::Close() {
    MCI_GENERIC_PARMS params = {};
    if (Send(MCI_CLOSE, MCI_WAIT, &params) != 0) return 0;
    deviceId = 0;
    return 1;
}

int WMCIAudioCD::SetTimeFormat(DWORD format) {
    MCI_SET_PARMS params = {};
    params.dwTimeFormat = format;
    return Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &params) == 0;
}

int WMCIAudioCD::PlayFrom(int track, int minute, int second, int frame) {
    if (!SetTimeFormat(MCI_FORMAT_TMSF)) return 0;
    MCI_PLAY_PARMS params = {};
    params.dwFrom = MCI_MAKE_TMSF(track, minute, second, frame);
    // No MCI_WAIT: play returns at once and the status timer follows the drive.
    return Send(MCI_PLAY, MCI_FROM, &params) == 0;
}

int WMCIAudioCD::HasAudioIndex(int index) const {
    return index >= 1 && (DWORD)index <= audioTrackCount && index < maxTracks;
}

int WMCIAudioCD::PlayAudioTrack(int index, int minute, int second, int frame) {
    if (!HasAudioIndex(index)) return 0;
    return PlayFrom(audioTrack[index] & 0xFF, minute, second, frame);
}

int WMCIAudioCD::Stop() {
    MCI_GENERIC_PARMS params = {};
    return Send(MCI_STOP, MCI_WAIT, &params) == 0;
}

int WMCIAudioCD::GetMode(DWORD* mode) {
    DWORD_PTR value = 0;
    if (!Status(MCI_STATUS_MODE, 0, 0, &value)) return 0;
    if (mode) *mode = (DWORD)value;
    return 1;
}

int WMCIAudioCD::IsPlaying() {
    DWORD mode = 0;
    return GetMode(&mode) && mode == MCI_MODE_PLAY;
}

int WMCIAudioCD::GetTrackCount(DWORD* count) {
    DWORD_PTR value = 0;
    int ok = Status(MCI_STATUS_NUMBER_OF_TRACKS, 0, 0, &value);
    if (count) *count = ok ? (DWORD)value : 0;
    return ok;
}

int WMCIAudioCD::GetTrackType(int track, DWORD* type) {
    DWORD_PTR value = 0;
    int ok = Status(MCI_CDA_STATUS_TYPE_TRACK, MCI_TRACK, (DWORD)track, &value);
    if (type) *type = ok ? (DWORD)value : MCI_CDA_TRACK_OTHER;
    return ok;
}

int WMCIAudioCD::IsMediaPresent() {
    DWORD_PTR value = 0;
    return Status(MCI_STATUS_MEDIA_PRESENT, 0, 0, &value) && value != 0;
}

// Only when the volume serial number cannot be read: the same number Windows derives for an
// audio CD, from the start addresses in the table of contents (MSF, absolute).
// Each track's start and the lead-out, in frames from the start of the disc (MSF positions
// count the 2-second lead-in).
int WMCIAudioCD::ReadTrackStarts(std::vector<DWORD>& starts, DWORD* leadOut) {
    if (!SetTimeFormat(MCI_FORMAT_MSF)) return 0;
    DWORD_PTR value = 0;
    if (!Status(MCI_STATUS_NUMBER_OF_TRACKS, 0, 0, &value) || value == 0) return 0;
    DWORD count = value < (DWORD)maxTracks ? (DWORD)value : (DWORD)maxTracks - 1;
    starts.clear();
    for (DWORD track = 1; track <= count; track++) {
        if (!Status(MCI_STATUS_POSITION, MCI_TRACK, track, &value)) return 0;
        starts.push_back(MsfFrames(value));
    }
    // The disc's length is one frame short of the lead-out.
    if (!Status(MCI_STATUS_LENGTH, 0, 0, &value)) return 0;
    *leadOut = starts[0] + MsfFrames(value) + 1;
    return 1;
}

DWORD WMCIAudioCD::MsfFrames(DWORD_PTR msf) {
    return MCI_MSF_MINUTE(msf) * AudioDiscSerial::framesPerMinute +
           MCI_MSF_SECOND(msf) * AudioDiscSerial::framesPerSecond + MCI_MSF_FRAME(msf);
}

int WMCIAudioCD::DeriveAudioDiscSerial(DWORD* serial) {
    std::vector<DWORD> starts;
    DWORD leadOut = 0;
    if (!ReadTrackStarts(starts, &leadOut)) return 0;
    AudioDiscSerial sum;
    for (DWORD start : starts)
        sum.AddTrackStart(start);
    *serial = sum.Finish(leadOut);
    return 1;
}

int WMCIAudioCD::ReadToc(DiscToc* toc) {
    std::vector<DWORD> starts;
    DWORD leadOut = 0;
    if (!ReadTrackStarts(starts, &leadOut)) return 0;
    toc->first = 1;
    toc->offsets.assign(starts.begin(), starts.end());
    toc->leadOut = std::int32_t(leadOut);
    return 1;
}

std::string WMCIAudioCD::DiscIdOf(DWORD serial) {
    char id[20];
    snprintf(id, sizeof id, "%lX", (unsigned long)serial);
    return id;
}

int WMCIAudioCD::ReadDisc() {
    trackCount = 0;
    audioTrackCount = 0;
    discId[0] = '\0';
    DWORD serial = 0;
    if (backend->GetVolumeSerial(drive, &serial) || DeriveAudioDiscSerial(&serial))
        lstrcpynA(discId, DiscIdOf(serial).c_str(), sizeof discId);
    DWORD count = 0;
    if (!GetTrackCount(&count)) return 0;
    // The table holds maxTracks - 1 entries; a disc never has more than 99 tracks.
    trackCount = count < (DWORD)maxTracks ? count : (DWORD)maxTracks - 1;
    for (DWORD track = 1; track <= trackCount; track++) {
        DWORD type = 0;
        if (!GetTrackType((int)track, &type)) return 0;
        if (type == MCI_CDA_TRACK_AUDIO) audioTrack[++audioTrackCount] = track;
    }
    return 1;
}

int WMCIAudioCD::GetPosition(int* track, int* minute, int* second, int* frame) {
    if (!SetTimeFormat(MCI_FORMAT_TMSF)) return 0;
    DWORD_PTR value = 0;
    if (!Status(MCI_STATUS_POSITION, 0, 0, &value)) return 0;
    savedPosition[0] = MCI_TMSF_TRACK(value);
    savedPosition[1] = MCI_TMSF_MINUTE(value);
    savedPosition[2] = MCI_TMSF_SECOND(value);
    savedPosition[3] = MCI_TMSF_FRAME(value);
    if (track) *track = savedPosition[0];
    if (minute) *minute = savedPosition[1];
    if (second) *second = savedPosition[2];
    if (frame) *frame = savedPosition[3];
    return 1;
}

int WMCIAudioCD::GetTrackSeconds(int* seconds) {
    int minute = 0, second = 0;
    if (!GetPosition(nullptr, &minute, &second, nullptr)) return 0;
    if (seconds) *seconds = minute * 60 + second;
    return 1;
}

int WMCIAudioCD::GetCurrentTrack(int* track) {
    DWORD_PTR value = 0;
    int ok = Status(MCI_STATUS_CURRENT_TRACK, 0, 0, &value);
    if (track) *track = ok ? (int)(value & 0xFF) : 0;
    return ok;
}

int WMCIAudioCD::GetTrackLength(int track, int* seconds) {
    if (seconds) *seconds = 0;
    if (!SetTimeFormat(MCI_FORMAT_MSF)) return 0;
    DWORD_PTR value = 0;
    if (!Status(MCI_STATUS_LENGTH, MCI_TRACK, (DWORD)track, &value)) return 0;
    if (seconds) *seconds = MCI_MSF_MINUTE(value) * 60 + MCI_MSF_SECOND(value);
    return 1;
}

int WMCIAudioCD::GetAudioTrackLength(int index, int* seconds) {
    if (!HasAudioIndex(index)) {
        if (seconds) *seconds = 0;
        return 0;
    }
    return GetTrackLength((int)audioTrack[index], seconds);
}

int WMCIAudioCD::Pause() {
    if (!GetPosition(nullptr, nullptr, nullptr, nullptr) || !Stop()) return 0;
    paused = 1;
    return 1;
}

int WMCIAudioCD::Resume() {
    if (paused && !PlayFrom(savedPosition[0], savedPosition[1], savedPosition[2], savedPosition[3]))
        return 0;
    paused = 0;
    return 1;
}

int WMCIAudioCD::SetDoor(int open) {
    // A parameter block always goes with it: the driver moves the door before it looks for
    // one and would report failure for a door it did move.
    MCI_SET_PARMS params = {};
    DWORD flags = (open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED) | MCI_WAIT;
    if (Send(MCI_SET, flags, &params) != 0) return 0;
    doorOpen = open ? 1 : 0;
    return 1;
}

int WMCIAudioCD::FindAudioIndex(int track) const {
    DWORD count = audioTrackCount < (DWORD)maxTracks ? audioTrackCount : (DWORD)maxTracks - 1;
    for (DWORD i = 1; i <= count; i++)
        if (audioTrack[i] == (DWORD)track) return (int)i;
    return 1;
}
