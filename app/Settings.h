#pragma once

#include <windows.h>

class WIniKey;

// The process-wide option values. Flags are signed 32-bit, zero off; options change in
// memory at once and are written only when the player window is destroyed.
struct Settings {
    int minimizeOnStart = 0;
    int minimizeToTray = 1;
    int snapWindow = 1;
    int showPlaylist = 0;
    int elapsedTime = 1;
    int repeatPlaylist = 0;
    int repeatTrack = 0;
    int exitOnRemove = 0;
    int alwaysOnTop = 0;
    int showTooltip = 1;
    int stopOnExit = 1;
    int playOnStart = 0;
    int introPlay = 0;
    int randomIntro = 0;
    int introPlayLen = 15;
    int autoSwitch = 0;
    int keyShortcuts = 1;
    int lockVolume = 0;
    int snapPixel = 10;
    int escMinimize = 0;

    char skinName[400] = "."; // "." is the built-in skin
    int x = 0, y = 0;         // player window
    int playlistX = 0, playlistY = 0, playlistW = 100, playlistH = 100;
    char drive[3] = "";            // "D:"
    char discImage[MAX_PATH] = ""; // in the virtual drive: a CUE sheet or a folder
    // The virtual drive's own sound output, which the volume sliders and the mute button
    // work on when the mixer has no CD line: 0 .. 65535 a channel. A real mixer keeps its
    // values itself; these are kept here so that they too last from one start to the next.
    int outputLeft = 65535, outputRight = 65535, outputMute = 0;
    // The file held a place for the window; without one it opens where a first start puts it.
    int positionStored = 0, playlistStored = 0;
};

extern Settings settings;

// The process-wide forms use settingsFile and `settings`; the overloads take them explicitly
// so that tests can run them on any file. SaveSettings() finds the player window among the
// calling thread's windows by its class; callers holding the window pass it directly.
void LoadSettings();
void SaveSettings();
void SaveSettings(HWND playerWindow);
void LoadSettings(const WIniKey& file, Settings& values);
void SaveSettings(const WIniKey& file, const Settings& values, HWND playerWindow);

// The playlist window's place (section "playlist"), written when that window closes.
void SavePlaylistPlace(const WIniKey& file, const Settings& values);
void SavePlaylistPlace();
// The player's screen position, whatever its state; for a session that ends with the window
// still on screen.
void SavePlayerPosition(HWND playerWindow);

// The letters of all CD-ROM drives in drive order ("DF"), the virtual drive's among them;
// empty when there is none.
void EnumCdDrives(char* letters);
