#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "app/WIniKey.h"
#include "devices/CdAudioBackend.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WMixer.h"
#include "devices/WaveOutput.h"
#include "forms/DiscImageMount.h"
#include "forms/MainForm.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "vdrive/DriveRouter.h"
#include "vdrive/VirtualCdDrive.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>
#include <stdio.h>
#include <string>

namespace {

// A start without a request means the user looks for the player: it comes to the front,
// which this process, started by the user, may allow it.
void BringPlayerToFront(HWND player) {
    DWORD process = 0;
    GetWindowThreadProcessId(player, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {};
    data.dwData = MainForm::frontTag;
    SendMessageA(player, WM_COPYDATA, 0, LPARAM(&data));
}

// A second start only hands its "/disc" or "/play" request to the running player.
int HandOffToRunningPlayer(HWND player, const std::string& image, const PlayArgument& argument) {
    if (!image.empty()) {
        DiscImageMount::HandOff(player, image);
    } else if (argument.hasPoint) {
        WPARAM command = (WPARAM(argument.track & 0xFFFF) << 16) | IDC_HANDOFF_PLAY;
        SendMessageA(player, WM_COMMAND, command, 0);
    } else if (!argument.requested) {
        BringPlayerToFront(player);
    }
    return 0;
}

void RunPlayer(HINSTANCE instance, char* commandLine, int showCommand, const std::string& image) {
    InitCommonControls();
    theApp = new WApp(instance, commandLine, showCommand);
    const std::string dataFolder = DataFolder::Choose(theApp->folder, DataFolder::UserAppData());
    settingsFile = WIniKey::InFolder(dataFolder.c_str(), "lumivoxe.ini");
    discFile = WIniKey::InFolder(dataFolder.c_str(), "cdplayer.ini");
    // Left by saves that were killed half-way; a player running elsewhere keeps its own.
    settingsFile->RemoveStaleTemporaries();
    discFile->RemoveStaleTemporaries();
    mainForm = new MainForm;
    char realDrives[27];
    EnumCdDrives(realDrives); // before the virtual drive joins them
    virtualDriveLetter = VirtualCdDrive::FreeLetter(GetLogicalDrives());
    LoadSettings();
    // Real drives go through winmm; the virtual drive plays to the sound card itself.
    PlatformCdAudioBackend platformDrives;
    WaveOutput waveOutput;
    VirtualCdDrive virtualCd(virtualDriveLetter ? virtualDriveLetter : 'V', nullptr, &waveOutput);
    DriveRouter drives(platformDrives, virtualCd);
    if (virtualDriveLetter) virtualDrive = &virtualCd;
    virtualCd.SetVolume(unsigned(settings.outputLeft), unsigned(settings.outputRight));
    virtualCd.SetMute(settings.outputMute != 0);
    mixer = new WMixer;
    mainForm->CreatePlayerWindow(instance);
    DiscImageMount::InsertAtStart(image, realDrives[0] != '\0');
    cdAudio = new WMCIAudioCD(virtualDrive ? static_cast<CdAudioBackend*>(&drives) : nullptr);
    cdAudio->Open(settings.drive);
    playbackEngine = new PlaybackEngine(*cdAudio, *discFile, settings, playRequest, Random);
    if (virtualDrive)
        playbackEngine->SetFallbackNames(virtualCd.DiscId(), virtualCd.Current().names);
    mainForm->AttachEngine(playbackEngine);
    mainForm->SetTimer(IDT_STATUS, STATUS_INTERVAL_MS);

    theApp->Run();

    mainForm->KillTimer(IDT_STATUS);
    if (settings.stopOnExit) cdAudio->Stop();
    virtualDrive = nullptr;
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
    const std::string image = ParseDiscArgument(commandLine);
    PlayArgument argument = ParsePlayArgument(commandLine);
    playRequest.flag = argument.requested;
    playRequest.track = argument.track;
    if (HWND player = FindWindowA(MainForm::className, nullptr))
        return HandOffToRunningPlayer(player, image, argument);
    try {
        RunPlayer(instance, commandLine, showCommand, image);
    } catch (const char* text) {
        MessageBoxA(nullptr, text, nullptr, MB_OK);
    }
    return 0;
}
