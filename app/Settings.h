#pragma once

#include "app/RecentImages.h"

#include <windows.h>

class WIniKey;

// The process-wide option values. Flags are signed 32-bit, zero off; options change in
// memory at once and are written only when the player window is destroyed.
struct Settings {
    // The options of the table below, at its defaults.
    Settings();

    int minimizeOnStart, minimizeToTray, snapWindow, showPlaylist, elapsedTime, repeatPlaylist,
        repeatTrack, exitOnRemove, alwaysOnTop, showTooltip, stopOnExit, playOnStart, introPlay,
        randomIntro, introPlayLen, autoSwitch, keyShortcuts, lockVolume, snapPixel, escMinimize,
        scale; // 0: from the dpi of the player's monitor; 1 .. 3: the skin drawn that many times

    char skinName[400] = "."; // "." is the built-in skin
    int x = 0, y = 0;         // player window
    int playlistX = 0, playlistY = 0, playlistW = 100, playlistH = 100;
    char drive[3] = "";            // "D:"
    // In the virtual drive: a CUE sheet, a FLAC file or a folder; UTF-8, three bytes a letter.
    char discImage[3 * MAX_PATH + 1] = "";
    // The virtual drive's own sound output, which the volume sliders and the mute button
    // work on when the mixer has no CD line: 0 .. 65535 a channel. A real mixer keeps its
    // values itself; these are kept here so that they too last from one start to the next.
    int outputLeft = 65535, outputRight = 65535, outputMute = 0;
    // The file held a place for the window; without one it opens where a first start puts it.
    int positionStored = 0, playlistStored = 0;
    RecentImages recentImages; // section "recent", keys 1 .. 5
    // Section "lookup": where names of discs are asked for, if at all. The addresses are
    // only read, so that a later version's defaults reach everyone who kept them.
    int lookupOnline = 1;
    char musicBrainzUrl[512] = "https://musicbrainz.org/ws/2/";
    char gnudbUrl[512] = "https://gnudb.gnudb.org/~cddb/cddb.cgi";
    char lookupEmail[256] = ""; // gnudb is asked only with its user's address
};

extern Settings settings;

// Each option once, as the settings file, the menu and the Config page see it: its key in
// [options] (in the order of the file), its default, the menu entry and the Config page box
// that switch it (0: none), and whether the user switches it on and off or sets a number.
struct OptionInfo {
    const char* key;
    int Settings::*field;
    int byDefault;
    int menuId;
    int configBox;
    bool switched;
};
extern const OptionInfo options[21];
// The option a menu entry or a Config page box switches; null for any other id.
const OptionInfo* OptionOfMenu(int menuId);
const OptionInfo* OptionOfConfigBox(int boxId);

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
