#include "app/CommandLine.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "app/WIniKey.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WMixer.h"
#include "forms/MainForm.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"

#include <commctrl.h>
#include <windows.h>

#include <stdio.h>

namespace {

// A second start only hands its "/play" request to the running player.
int HandOffToRunningPlayer(HWND player, const PlayArgument& argument) {
    if (argument.hasPoint) {
        WPARAM command = (WPARAM(argument.track & 0xFFFF) << 16) | IDC_HANDOFF_PLAY;
        SendMessageA(player, WM_COMMAND, command, 0);
    }
    return 0;
}

void RunPlayer(HINSTANCE instance, char* commandLine, int showCommand) {
    InitCommonControls();
    theApp = new WApp(instance, commandLine, showCommand);
    settingsFile = WIniKey::InFolder(theApp->folder, "lumivoxe.ini");
    discFile = WIniKey::InFolder(theApp->folder, "cdplayer.ini");
    mainForm = new MainForm;
    LoadSettings();
    mixer = new WMixer;
    mainForm->CreatePlayerWindow(instance);
    cdAudio = new WMCIAudioCD;
    cdAudio->Open(settings.drive);
    playbackEngine = new PlaybackEngine(*cdAudio, *discFile, settings, playRequest, Random);
    mainForm->AttachEngine(playbackEngine);
    mainForm->SetTimer(IDT_STATUS, STATUS_INTERVAL_MS);

    theApp->Run();

    mainForm->KillTimer(IDT_STATUS);
    if (settings.stopOnExit) cdAudio->Stop();
    delete mixer;
    mixer = nullptr;
    delete playbackEngine;
    playbackEngine = nullptr;
    delete cdAudio;
    cdAudio = nullptr;
    delete mainForm;
    mainForm = nullptr;
    delete theApp;
    theApp = nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    PlayArgument argument = ParsePlayArgument(commandLine);
    playRequest.flag = argument.requested;
    playRequest.track = argument.track;
    if (HWND player = FindWindowA(MainForm::className, nullptr))
        return HandOffToRunningPlayer(player, argument);
    try {
        RunPlayer(instance, commandLine, showCommand);
    } catch (const char* text) {
        MessageBoxA(nullptr, text, nullptr, MB_OK);
    }
    return 0;
}
