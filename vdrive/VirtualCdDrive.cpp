#include "vdrive/VirtualCdDrive.h"

#include "devices/WMCIAudioCD.h"

#include <algorithm>
#include <string>

namespace {

std::int64_t AudioFrame(DWORD driveFrame) {
    return std::int64_t(driveFrame) - SimulatedCdDrive::firstTrackStart;
}

SampleSink* UsableSink(SampleSink* sink) {
    return sink && sink->Available() ? sink : nullptr;
}

} // namespace

char VirtualCdDrive::FreeLetter(DWORD logicalDrives) {
    const char order[] = "VWXYZUTSRQPONMLKJIHGFEDC";
    for (const char* letter = order; *letter; letter++)
        if (!(logicalDrives & (1u << (*letter - 'A')))) return *letter;
    return 0;
}

DWORD VirtualCdDrive::HeardClock::Milliseconds() {
    const std::uint64_t rate = SampleSink::sampleRate;
    return DWORD((sink->PlayedSamples() * 1000 + rate - 1) / rate);
}

VirtualCdDrive::VirtualCdDrive(char driveLetter, Clock* clock, SampleSink* soundSink)
    : letter(driveLetter), sink(UsableSink(soundSink)), heardClock(sink),
      drive(driveLetter, sink ? &heardClock : clock) {
}

VirtualCdDrive::~VirtualCdDrive() {
    if (sink) sink->Stop();
}

MCIERROR VirtualCdDrive::SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags,
                                     DWORD_PTR params) {
    if (SoundEnded()) drive.FinishRun();
    const MCIERROR result = drive.SendCommand(id, message, flags, params);
    // Even a refused command may have moved the door.
    FollowThePlay();
    return result;
}

// No file system on an audio image: the serial is the one a real drive derives from the
// table of contents, so the disc database knows each image as it would know the disc.
int VirtualCdDrive::GetVolumeSerial(const char* root, DWORD* serial) {
    return drive.GetVolumeSerial(root, serial);
}

std::string VirtualCdDrive::DiscId() {
    const char root[] = {letter, ':', '\\', '\0'};
    DWORD serial = 0;
    if (!drive.GetVolumeSerial(root, &serial)) return std::string();
    return WMCIAudioCD::DiscIdOf(serial);
}

void VirtualCdDrive::Insert(const VirtualDisc& newDisc) {
    disc = newDisc;
    if (disc.Empty())
        drive.EjectDisc();
    else
        drive.InsertDisc(disc.tracks, disc.firstStart);
    FollowThePlay();
}

void VirtualCdDrive::Eject() {
    Insert(VirtualDisc());
}

// The sink is told only of changes: a new run restarts the sound at its first frame, a
// resumed run goes on with the samples already queued, and a stopped drive falls silent.
void VirtualCdDrive::FollowThePlay() {
    if (!sink) return;
    const SimulatedCdDrive::PlayRun run = drive.CurrentRun();
    if (run.playing && run.number != followedRun) {
        followedRun = run.number;
        if (run.resumed && soundPaused)
            sink->Resume();
        else
            StartSound(run);
        soundPaused = false;
    } else if (run.paused && !soundPaused) {
        sink->Pause();
        soundPaused = true;
    } else if (!run.playing && !run.paused && soundRunning) {
        StopSound();
    }
}

// A play that starts in the frame where the sound stopped goes on from the very sample, so
// that the player's pause (a stop, then a play from the frame it read) leaves no seam.
void VirtualCdDrive::StartSound(const SimulatedCdDrive::PlayRun& run) {
    const std::uint64_t first = std::uint64_t(run.from) * DiscAudio::samplesPerFrame;
    const bool sameFrame =
        stoppedAtSample >= first && stoppedAtSample < first + DiscAudio::samplesPerFrame;
    skipSamples = sameFrame ? int(stoppedAtSample - first) : 0;
    nextFrame = run.from;
    endFrame = run.to;
    runFirstSample = first + std::uint64_t(skipSamples);
    runStartMark = sink->PlayedSamples();
    runFedSamples = 0;
    soundRunning = true;
    sink->Start(*this);
}

// A run that ended by itself is not reset: the device may still hold its last samples when
// its position already counts them (Wine's does), and a reset would cut them off.
void VirtualCdDrive::StopSound() {
    const bool ranOut = SoundEnded();
    stoppedAtSample = runFirstSample + (sink->PlayedSamples() - runStartMark);
    if (!ranOut) sink->Stop();
    soundRunning = false;
    soundPaused = false;
    nextFrame = endFrame;
}

// The clock counts whole milliseconds; the sound is the measure of when a run is over.
bool VirtualCdDrive::SoundEnded() {
    return sink && nextFrame >= endFrame && sink->PlayedSamples() >= runStartMark + runFedSamples;
}

int VirtualCdDrive::Fill(std::int16_t* samples, int count) {
    const int perFrame = DiscAudio::samplesPerFrame;
    if (!disc.audio) return 0;
    int written = 0;
    if (skipSamples > 0 && nextFrame < endFrame && count > 0) {
        std::int16_t frame[2 * perFrame];
        disc.audio->ReadFrames(AudioFrame(nextFrame), 1, frame);
        written = std::min(perFrame - skipSamples, count);
        std::copy(frame + 2 * skipSamples, frame + 2 * (skipSamples + written), samples);
        skipSamples = 0;
        nextFrame++;
    }
    const int room = (count - written) / perFrame;
    const DWORD frames = nextFrame < endFrame ? std::min(DWORD(room), endFrame - nextFrame) : 0;
    if (frames > 0)
        disc.audio->ReadFrames(AudioFrame(nextFrame), int(frames), samples + 2 * written);
    nextFrame += frames;
    written += int(frames) * perFrame;
    runFedSamples += std::uint64_t(written);
    return written;
}

void VirtualCdDrive::SetVolume(unsigned left, unsigned right) {
    leftVolume = std::min(left, 65535u);
    rightVolume = std::min(right, 65535u);
    ApplyVolume();
}

void VirtualCdDrive::SetMute(bool mute) {
    muted = mute;
    ApplyVolume();
}

void VirtualCdDrive::ApplyVolume() {
    if (sink) sink->SetVolume(muted ? 0 : leftVolume, muted ? 0 : rightVolume);
}
