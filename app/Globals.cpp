#include "app/Globals.h"

WApp* theApp = nullptr;
WIniKey* settingsFile = nullptr;
WIniKey* discFile = nullptr;
WMixer* mixer = nullptr;
WMCIAudioCD* cdAudio = nullptr;
VirtualCdDrive* virtualDrive = nullptr;
char virtualDriveLetter = 0;
PlayRequest playRequest;
