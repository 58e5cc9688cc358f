#include "app/CodePage.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "app/Utf8.h"
#include "app/WIniKey.h"
#include "devices/CdAudioBackend.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WMixer.h"
#include "devices/WaveOutput.h"
#include "disc/DiscImage.h"
#include "forms/DiscImageMount.h"
#include "forms/MainForm.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "vdrive/DriveRouter.h"
#include "vdrive/VirtualCdDrive.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdlib>
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

// Every object is an owned value, made in the order the others need it and gone in the
// reverse order, also when the window cannot be created.
void RunPlayer(HINSTANCE instance, char* commandLine, int showCommand, const std::string& image) {
    InitCommonControls();
    WApp app(instance, commandLine, showCommand);
    Shared<WApp> appShared(theApp, &app);
    const std::string dataFolder = DataFolder::Choose(app.folder, DataFolder::UserAppData());
    const std::unique_ptr<WIniKey> settingsIni =
        WIniKey::InFolder(dataFolder.c_str(), "lumivoxe.ini");
    const std::unique_ptr<WIniKey> discIni = WIniKey::InFolder(dataFolder.c_str(), "cdplayer.ini");
    Shared<WIniKey> settingsShared(settingsFile, settingsIni.get());
    Shared<WIniKey> discShared(discFile, discIni.get());
    // Left by saves that were killed half-way; a player running elsewhere keeps its own.
    settingsIni->RemoveStaleTemporaries();
    discIni->RemoveStaleTemporaries();
    char realDrives[27];
    EnumCdDrives(realDrives); // before the virtual drive joins them
    virtualDriveLetter = VirtualCdDrive::FreeLetter(GetLogicalDrives());
    LoadSettings();
    // Real drives go through winmm; the virtual drive plays to the sound card itself.
    PlatformCdAudioBackend platformDrives;
    WaveOutput waveOutput;
    VirtualCdDrive virtualCd(virtualDriveLetter ? virtualDriveLetter : 'V', nullptr, &waveOutput);
    DriveRouter drives(platformDrives, virtualCd);
    Shared<VirtualCdDrive> virtualShared(virtualDrive, virtualDriveLetter ? &virtualCd : nullptr);
    virtualCd.SetVolume(unsigned(settings.outputLeft), unsigned(settings.outputRight));
    virtualCd.SetMute(settings.outputMute != 0);
    WMixer theMixer;
    Shared<WMixer> mixerShared(mixer, &theMixer);
    MainForm form;
    form.CreatePlayerWindow(instance);
    DiscImageMount::InsertAtStart(image, realDrives[0] != '\0');
    WMCIAudioCD cd(virtualDrive ? static_cast<CdAudioBackend*>(&drives) : nullptr);
    Shared<WMCIAudioCD> cdShared(cdAudio, &cd);
    cd.Open(settings.drive);
    PlaybackEngine engine(cd, *discIni, settings, playRequest, Random);
    Shared<PlaybackEngine> engineShared(playbackEngine, &engine);
    if (virtualDrive) engine.SetFallbackNames(virtualCd.DiscId(), virtualCd.Current().names);
    form.AttachEngine(&engine);
    form.SetTimer(IDT_STATUS, STATUS_INTERVAL_MS);

    app.Run();

    form.KillTimer(IDT_STATUS);
    if (settings.stopOnExit) cd.Stop();
}

} // namespace

// The arguments as the user wrote them, in UTF-8: the ANSI command line would turn a path
// in letters the code page lacks into question marks.
static std::string WideArguments() {
    std::string line = Utf8::FromWide(GetCommandLineW());
    size_t at = 0;
    const bool quoted = !line.empty() && line[0] == '"';
    at = quoted ? line.find('"', 1) : line.find_first_of(" \t");
    return at == std::string::npos ? std::string() : line.substr(at + 1);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    DiscImage::fromCodePage = CodePage::ToUtf8;
    const std::string image = ParseDiscArgument(WideArguments().c_str());
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

// An exception nobody catches ends the program as abort() does; the runtime's own handler
// would first print the exception's type, which pulls in its 45 KiB name demangler.
#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif
