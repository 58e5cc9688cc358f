#include "app/CommandLine.h"
#include "app/Globals.h"
#include "res/resource.h"

#include <windows.h>

namespace {

const char playerClassName[] = "LumivoxenCDPlayer";

// A second start only hands its "/play" request to the running player.
int HandOffToRunningPlayer(HWND player, const PlayArgument& argument) {
    if (argument.hasPoint) {
        WPARAM command = (WPARAM(argument.track & 0xFFFF) << 16) | IDC_HANDOFF_PLAY;
        SendMessageA(player, WM_COMMAND, command, 0);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    PlayArgument argument = ParsePlayArgument(commandLine);
    playRequest.flag = argument.requested;
    playRequest.track = argument.track;
    if (HWND player = FindWindowA(playerClassName, nullptr))
        return HandOffToRunningPlayer(player, argument);
    (void)instance;
    (void)showCommand;
    return 0;
}
