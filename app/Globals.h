#pragma once

// The process-wide objects, each created once by the entry point in its fixed order.
class WApp;
class WIniKey;
class MainForm;
class WMixer;
class WMCIAudioCD;
class VirtualCdDrive;

extern WApp* theApp;
extern WIniKey* settingsFile; // lumivoxe.ini
extern WIniKey* discFile;     // cdplayer.ini
extern MainForm* mainForm;
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
