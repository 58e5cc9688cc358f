#pragma once

// The process-wide objects, each owned by the entry point and reachable here while it lives:
// the pointers are set when the object is made and cleared before it goes.
class WApp;
class WIniKey;
class WMixer;
class WMCIAudioCD;
class VirtualCdDrive;

extern WApp* theApp;
extern WIniKey* settingsFile; // lumivoxe.ini
extern WIniKey* discFile;     // cdplayer.ini
extern WMixer* mixer;
extern WMCIAudioCD* cdAudio;
// The drive that plays disc images and the demo disc, on a letter no drive of the system
// has; null and 0 before it exists.
extern VirtualCdDrive* virtualDrive;
extern char virtualDriveLetter;

// A "/play" request from the command line, for the engine's first disc read.
struct PlayRequest {
    int flag = 0;
    int track = 0;
};
extern PlayRequest playRequest;

// Makes an object reachable through a process-wide pointer for as long as this lives.
template <typename T> class Shared {
public:
    Shared(T*& slot, T* object) : slot(slot) { slot = object; }
    ~Shared() { slot = nullptr; }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

private:
    T*& slot;
};
