#include "app/Globals.h"

WApp* theApp = nullptr;
WIniKey* settingsFile = nullptr;
WIniKey* discFile = nullptr;
MainForm* mainForm = nullptr;
WMixer* mixer = nullptr;
WMCIAudioCD* cdAudio = nullptr;
PlayRequest playRequest;
