#include "devices/SimulatedCdDrive.h"

#include "devices/AudioDiscSerial.h"

#include <ctype.h>
#include <string.h>

namespace {

constexpr DWORD framesPerSecond = AudioDiscSerial::framesPerSecond;
constexpr DWORD framesPerMinute = AudioDiscSerial::framesPerMinute;

bool IsCdAudioType(DWORD flags, LPCSTR type) {
    if (flags & MCI_OPEN_TYPE_ID) return LOWORD((DWORD_PTR)type) == MCI_DEVTYPE_CD_AUDIO;
    return type && lstrcmpiA(type, "cdaudio") == 0;
}

} // namespace

SimulatedCdDrive::SimulatedCdDrive(char letter, Clock* clock)
    : clock(clock ? clock : &tickCount), letter((char)toupper((unsigned char)letter)) {
}

// ---- the outside world ----

void SimulatedCdDrive::InsertDisc(const std::vector<SimulatedTrack>& discTracks, DWORD firstStart) {
    tracks.assign(discTracks.begin(), discTracks.size() > (size_t)maxTracks
                                          ? discTracks.begin() + maxTracks
                                          : discTracks.end());
    starts.clear();
    DWORD start = firstStart;
    for (const SimulatedTrack& track : tracks) {
        starts.push_back(start);
        start += track.frames;
    }
    starts.push_back(start);
    hasDisc = true;
    doorOpen = false;
    hasFileSystemSerial = false;
    motion = Motion::stopped;
    head = firstStart;
}

void SimulatedCdDrive::EjectDisc() {
    tracks.clear();
    starts.clear();
    hasDisc = false;
    doorOpen = false;
    hasFileSystemSerial = false;
    motion = Motion::stopped;
    head = firstTrackStart;
}

void SimulatedCdDrive::OpenDoor() {
    if (doorOpen) return;
    Settle();
    if (motion == Motion::playing) head += PlayedFrames();
    motion = Motion::stopped;
    doorOpen = true;
}

void SimulatedCdDrive::CloseDoor() {
    if (!doorOpen) return;
    doorOpen = false;
    motion = Motion::stopped;
    head = starts.empty() ? firstTrackStart : starts.front(); // the disc is read again
}

void SimulatedCdDrive::SetFileSystemSerial(DWORD serial) {
    hasFileSystemSerial = true;
    fileSystemSerial = serial;
}

void SimulatedCdDrive::PlayFromOutside(DWORD fromFrame) {
    if (ReadTableOfContents() != 0 || SkipDataTracks(&fromFrame) != 0) return;
    if (fromFrame < LeadOut() - 1) StartPlay(fromFrame, LeadOut() - 1);
}

DWORD SimulatedCdDrive::TrackStart(int track) const {
    if (track < 1 || (size_t)track > starts.size()) return 0;
    return starts[track - 1];
}

DWORD SimulatedCdDrive::LeadOut() const {
    return starts.empty() ? 0 : starts.back();
}

DWORD SimulatedCdDrive::HeadFrame() {
    Settle();
    return motion == Motion::playing ? head + PlayedFrames() : head;
}

int SimulatedCdDrive::GetVolumeSerial(const char* root, DWORD* serial) {
    if (!root || !serial || toupper((unsigned char)root[0]) != letter || root[1] != ':') return 0;
    if (ReadTableOfContents() != 0) return 0;
    if (hasFileSystemSerial) {
        *serial = fileSystemSerial;
        return 1;
    }
    AudioDiscSerial sum;
    for (size_t i = 0; i < tracks.size(); i++)
        sum.AddTrackStart(starts[i]);
    *serial = sum.Finish(LeadOut());
    return 1;
}

// ---- the play head ----

DWORD SimulatedCdDrive::PlayedFrames() const {
    DWORD elapsed = clock->Milliseconds() - playStartedAt; // unsigned: survives the wrap
    return (DWORD)((ULONGLONG)elapsed * framesPerSecond / 1000);
}

// A play that has reached its end frame has stopped there.
void SimulatedCdDrive::Settle() {
    if (motion != Motion::playing) return;
    DWORD played = PlayedFrames();
    if (played >= playEnd - head) {
        head = playEnd;
        motion = Motion::stopped;
    }
}

void SimulatedCdDrive::StartPlay(DWORD from, DWORD to, bool resumed) {
    runNumber++;
    runResumed = resumed;
    head = from;
    playEnd = to;
    playStartedAt = clock->Milliseconds();
    motion = Motion::playing;
}

SimulatedCdDrive::PlayRun SimulatedCdDrive::CurrentRun() {
    Settle();
    PlayRun run;
    run.playing = Readable() && motion == Motion::playing;
    run.paused = Readable() && motion == Motion::paused;
    run.resumed = runResumed;
    run.from = head;
    run.to = playEnd;
    run.number = runNumber;
    return run;
}

void SimulatedCdDrive::FinishRun() {
    if (motion != Motion::playing) return;
    head = playEnd;
    motion = Motion::stopped;
}

DWORD SimulatedCdDrive::Mode() {
    Settle();
    if (!Readable()) return MCI_MODE_OPEN;
    switch (motion) {
    case Motion::playing: return MCI_MODE_PLAY;
    case Motion::paused: return MCI_MODE_PAUSE;
    default: return MCI_MODE_STOP;
    }
}

// ---- the table of contents and the time formats ----

MCIERROR SimulatedCdDrive::ReadTableOfContents() const {
    if (!Readable()) return MCIERR_DEVICE_NOT_READY;
    if (tracks.empty()) return MCIERR_HARDWARE; // a blank disc
    return 0;
}

int SimulatedCdDrive::TrackAt(DWORD frame) const {
    int track = 1;
    while ((size_t)track < tracks.size() && starts[track] <= frame)
        track++;
    return track;
}

DWORD SimulatedCdDrive::ToFrame(DWORD format, DWORD value) const {
    switch (format) {
    case MCI_FORMAT_MILLISECONDS:
        return value == 0 ? 0 : (DWORD)((((ULONGLONG)value - 1) * framesPerSecond + 500) / 1000);
    case MCI_FORMAT_MSF:
        return MCI_MSF_MINUTE(value) * framesPerMinute + MCI_MSF_SECOND(value) * framesPerSecond +
               MCI_MSF_FRAME(value);
    default: {
        DWORD track = MCI_TMSF_TRACK(value);
        if (!HasTrack(track)) return 0; // then out of range
        return starts[track - 1] + MCI_TMSF_MINUTE(value) * framesPerMinute +
               MCI_TMSF_SECOND(value) * framesPerSecond + MCI_TMSF_FRAME(value);
    }
    }
}

DWORD SimulatedCdDrive::FromFrame(DWORD format, DWORD frame) const {
    switch (format) {
    case MCI_FORMAT_MILLISECONDS: return (DWORD)((ULONGLONG)frame * 1000 / framesPerSecond) + 1;
    case MCI_FORMAT_MSF:
        return MCI_MAKE_MSF(frame / framesPerMinute, (frame / framesPerSecond) % 60,
                            frame % framesPerSecond);
    default: {
        if (frame < starts.front() || frame > LeadOut()) return 0;
        int track = TrackAt(frame);
        DWORD offset = frame - starts[track - 1];
        return MCI_MAKE_TMSF(track, offset / framesPerMinute, (offset / framesPerSecond) % 60,
                             offset % framesPerSecond);
    }
    }
}

// PLAY never starts inside a data track: it moves on to the next audio track, or to the last
// frame of the disc when none follows.
MCIERROR SimulatedCdDrive::SkipDataTracks(DWORD* frame) const {
    if (*frame < starts.front() || *frame >= LeadOut()) return MCIERR_OUTOFRANGE;
    size_t track = (size_t)TrackAt(*frame);
    while (track <= tracks.size() && tracks[track - 1].data)
        track++;
    if (starts[track - 1] > *frame) *frame = starts[track - 1];
    if (*frame == LeadOut()) (*frame)--;
    return 0;
}

// ---- the commands ----

MCIERROR SimulatedCdDrive::SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags,
                                       DWORD_PTR params) {
    if (message == MCI_OPEN) return Open((DWORD)flags, (MCI_OPEN_PARMSA*)params);
    Device* device = FindDevice(id);
    if (!device) return MCIERR_INVALID_DEVICE_ID;
    switch (message) {
    case MCI_CLOSE: return Close(id);
    case MCI_SET: return Set(*device, (DWORD)flags, (MCI_SET_PARMS*)params);
    case MCI_PLAY: return Play(*device, (DWORD)flags, (MCI_PLAY_PARMS*)params);
    case MCI_STOP: return Stop();
    case MCI_PAUSE: return Pause();
    case MCI_RESUME: return Resume();
    case MCI_STATUS: return Status(*device, (DWORD)flags, (MCI_STATUS_PARMS*)params);
    default: return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

SimulatedCdDrive::Device* SimulatedCdDrive::FindDevice(MCIDEVICEID id) {
    for (Device& device : devices)
        if (device.id == id) return &device;
    return nullptr;
}

MCIERROR SimulatedCdDrive::Open(DWORD flags, MCI_OPEN_PARMSA* params) {
    if (!params) return MCIERR_NULL_PARAMETER_BLOCK;
    const char* element = (flags & MCI_OPEN_ELEMENT) ? params->lpstrElementName : nullptr;
    // Only the letter counts, and it must be this CD-ROM drive's.
    const bool ours = element && isalpha((unsigned char)element[0]) &&
                      toupper((unsigned char)element[0]) == letter;
    if (!(flags & MCI_OPEN_TYPE)) {
        // winmm takes a CD-ROM drive's letter alone for a cdaudio device.
        if (!(flags & MCI_OPEN_ELEMENT)) return MCIERR_INVALID_DEVICE_NAME;
        if (!ours) return MCIERR_EXTENSION_NOT_FOUND;
    } else if (!IsCdAudioType(flags, params->lpstrDeviceType)) {
        // Another device type would take the letter for a file name.
        return element ? MCIERR_FILE_NOT_FOUND : MCIERR_INVALID_DEVICE_NAME;
    }
    if (flags & MCI_OPEN_ELEMENT) {
        if (flags & MCI_OPEN_ELEMENT_ID) return MCIERR_UNRECOGNIZED_KEYWORD;
        if (!ours) return MCIERR_INVALID_FILE;
    }
    devices.push_back({nextDeviceId++, MCI_FORMAT_MSF});
    params->wDeviceID = devices.back().id;
    return 0;
}

MCIERROR SimulatedCdDrive::Close(MCIDEVICEID id) {
    Stop();
    for (size_t i = 0; i < devices.size(); i++) {
        if (devices[i].id == id) {
            devices.erase(devices.begin() + i);
            break;
        }
    }
    return 0;
}

MCIERROR SimulatedCdDrive::Set(Device& device, DWORD flags, MCI_SET_PARMS* params) {
    // The door moves before the parameter block is looked at, as in the platform's driver.
    if (flags & MCI_SET_DOOR_OPEN) OpenDoor();
    if (flags & MCI_SET_DOOR_CLOSED) CloseDoor();
    if (!params) return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & MCI_SET_TIME_FORMAT) {
        DWORD format = params->dwTimeFormat;
        if (format != MCI_FORMAT_MILLISECONDS && format != MCI_FORMAT_MSF &&
            format != MCI_FORMAT_TMSF)
            return MCIERR_BAD_TIME_FORMAT;
        device.timeFormat = format;
    }
    return 0;
}

MCIERROR SimulatedCdDrive::Play(Device& device, DWORD flags, MCI_PLAY_PARMS* params) {
    if (!params) return MCIERR_NULL_PARAMETER_BLOCK;
    MCIERROR error = ReadTableOfContents();
    if (error) return error;
    DWORD from = (flags & MCI_FROM) ? ToFrame(device.timeFormat, params->dwFrom) : HeadFrame();
    if ((error = SkipDataTracks(&from)) != 0) return error;
    DWORD to = LeadOut() - 1;
    if (flags & MCI_TO) {
        to = ToFrame(device.timeFormat, params->dwTo);
        if ((error = SkipDataTracks(&to)) != 0) return error;
    }
    if (to < from) return MCIERR_OUTOFRANGE;
    // Nothing to play (a data track at the end, an empty range): success, the drive as it was.
    if (from == to || from == LeadOut() - 1) return 0;
    StartPlay(from, to);
    return 0;
}

MCIERROR SimulatedCdDrive::Stop() {
    if (!Readable()) return MCIERR_HARDWARE;
    head = HeadFrame();
    motion = Motion::stopped;
    return 0;
}

MCIERROR SimulatedCdDrive::Pause() {
    if (!Readable()) return MCIERR_HARDWARE;
    DWORD frame = HeadFrame();
    if (motion == Motion::stopped) return MCIERR_HARDWARE;
    head = frame;
    motion = Motion::paused;
    return 0;
}

MCIERROR SimulatedCdDrive::Resume() {
    Settle();
    if (!Readable() || motion != Motion::paused) return MCIERR_HARDWARE;
    StartPlay(head, playEnd, true);
    return 0;
}

MCIERROR SimulatedCdDrive::Status(Device& device, DWORD flags, MCI_STATUS_PARMS* params) {
    if (!params) return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
    MCIERROR error = 0;
    switch (params->dwItem) {
    case MCI_STATUS_CURRENT_TRACK:
        if (!Readable()) return MCIERR_DEVICE_NOT_READY;
        params->dwReturn = tracks.empty() ? 0 : TrackAt(HeadFrame());
        return 0;
    case MCI_STATUS_LENGTH: return StatusLength(device, flags, params);
    case MCI_STATUS_MODE: params->dwReturn = Mode(); return 0;
    case MCI_STATUS_MEDIA_PRESENT: params->dwReturn = Readable() ? TRUE : FALSE; return 0;
    case MCI_STATUS_READY: params->dwReturn = Readable() ? TRUE : FALSE; return 0;
    case MCI_STATUS_TIME_FORMAT: params->dwReturn = device.timeFormat; return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
        if ((error = ReadTableOfContents()) != 0) return error;
        params->dwReturn = tracks.size();
        return 0;
    case MCI_STATUS_POSITION: return StatusPosition(device, flags, params);
    case MCI_CDA_STATUS_TYPE_TRACK: return StatusTrackType(flags, params);
    default: return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

// Lengths come in MSF while the format is TMSF; the last track (and so the disc) counts one
// frame less than its extent, as the platform reports it.
MCIERROR SimulatedCdDrive::StatusLength(Device& device, DWORD flags,
                                        MCI_STATUS_PARMS* params) const {
    MCIERROR error = ReadTableOfContents();
    if (error) return error;
    DWORD frames = LeadOut() - starts.front() - 1;
    if (flags & MCI_TRACK) {
        if (!HasTrack(params->dwTrack)) return MCIERR_OUTOFRANGE;
        frames = starts[params->dwTrack] - starts[params->dwTrack - 1];
        if (params->dwTrack == tracks.size()) frames--;
    }
    DWORD format = device.timeFormat == MCI_FORMAT_TMSF ? MCI_FORMAT_MSF : device.timeFormat;
    params->dwReturn = FromFrame(format, frames);
    return 0;
}

MCIERROR SimulatedCdDrive::StatusPosition(Device& device, DWORD flags, MCI_STATUS_PARMS* params) {
    DWORD which = flags & (MCI_STATUS_START | MCI_TRACK);
    if (which == (MCI_STATUS_START | MCI_TRACK)) return MCIERR_FLAGS_NOT_COMPATIBLE;
    if (!Readable()) return MCIERR_DEVICE_NOT_READY;
    DWORD frame = HeadFrame();
    if (which != 0) {
        MCIERROR error = ReadTableOfContents();
        if (error) return error;
        frame = starts.front();
        if (which == MCI_TRACK) {
            if (!HasTrack(params->dwTrack)) return MCIERR_OUTOFRANGE;
            frame = starts[params->dwTrack - 1];
        }
    } else if (tracks.empty()) {
        return MCIERR_HARDWARE;
    }
    params->dwReturn = FromFrame(device.timeFormat, frame);
    return 0;
}

MCIERROR SimulatedCdDrive::StatusTrackType(DWORD flags, MCI_STATUS_PARMS* params) const {
    if (!(flags & MCI_TRACK)) return MCIERR_MISSING_PARAMETER;
    MCIERROR error = ReadTableOfContents();
    if (error) return error;
    if (!HasTrack(params->dwTrack)) return MCIERR_OUTOFRANGE;
    params->dwReturn = tracks[params->dwTrack - 1].data ? MCI_CDA_TRACK_OTHER : MCI_CDA_TRACK_AUDIO;
    return 0;
}
