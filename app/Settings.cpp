#include "app/Settings.h"

#include "app/CodePage.h"
#include "app/Globals.h"
#include "app/WIniKey.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// clang-format off
const OptionInfo options[21] = {
    // key               field                       default menu                   Config box
    {"minimizeonstart", &Settings::minimizeOnStart, 0,  IDM_MINIMIZE_ON_START, 170, true},
    {"minimizetotray",  &Settings::minimizeToTray,  1,  IDM_MINIMIZE_TO_TRAY,  152, true},
    {"snapwindow",      &Settings::snapWindow,      1,  IDM_SNAP_WINDOWS,      155, true},
    {"showplaylist",    &Settings::showPlaylist,    0,  0,                     0,   true},
    {"elapsedtime",     &Settings::elapsedTime,     1,  IDM_TIME_ELAPSED,      164, true},
    {"repeatplaylist",  &Settings::repeatPlaylist,  0,  IDM_REPEAT_PLAYLIST,   163, true},
    {"repeattrack",     &Settings::repeatTrack,     0,  IDM_REPEAT_TRACK,      162, true},
    {"exitonremove",    &Settings::exitOnRemove,    0,  IDM_EXIT_ON_REMOVE,    160, true},
    {"alwaysontop",     &Settings::alwaysOnTop,     0,  IDM_ALWAYS_ON_TOP,     151, true},
    {"showtooltip",     &Settings::showTooltip,     1,  IDM_SHOW_TOOLTIPS,     153, true},
    {"stoponexit",      &Settings::stopOnExit,      1,  IDM_STOP_ON_EXIT,      159, true},
    {"playonstart",     &Settings::playOnStart,     0,  IDM_PLAY_ON_START,     161, true},
    {"introplay",       &Settings::introPlay,       0,  IDM_INTRO_PLAY,        157, true},
    {"randomintro",     &Settings::randomIntro,     0,  IDM_RANDOM_START,      166, true},
    {"introplaylen",    &Settings::introPlayLen,    15, 0,                     0,   false},
    {"autoswitch",      &Settings::autoSwitch,      0,  0,                     169, true},
    {"keyshortcuts",    &Settings::keyShortcuts,    1,  IDM_KEY_SHORTCUTS,     154, true},
    {"lockvolume",      &Settings::lockVolume,      0,  0,                     0,   true},
    {"snappixel",       &Settings::snapPixel,       10, 0,                     0,   false},
    {"escminimize",     &Settings::escMinimize,     0,  IDM_ESC_MINIMIZE,      171, true},
    {"scale",           &Settings::scale,           0,  0,                     0,   false},
};
// clang-format on

Settings::Settings() {
    for (const OptionInfo& option : options)
        this->*option.field = option.byDefault;
}

const OptionInfo* OptionOfMenu(int menuId) {
    for (const OptionInfo& option : options)
        if (option.menuId && option.menuId == menuId) return &option;
    return nullptr;
}

const OptionInfo* OptionOfConfigBox(int boxId) {
    for (const OptionInfo& option : options)
        if (option.configBox && option.configBox == boxId) return &option;
    return nullptr;
}

Settings settings;

namespace {

const char playerClassName[] = "LumivoxenCDPlayer";

// A window whose corner lies here could not be grabbed again by its title.
bool OffScreen(int x, int y, int screenWidth, int screenHeight) {
    return x < -270 || y < -110 || x > screenWidth - 5 || y > screenHeight - 5;
}

bool IsCdDrive(const char* drive) {
    // Only a letter and a colon name a drive; anything else would name the current one.
    if (!((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z')) ||
        drive[1] != ':')
        return false;
    if (virtualDriveLetter && (drive[0] & ~0x20) == virtualDriveLetter) return true;
    char root[4] = {drive[0], ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_CDROM;
}

void ReadDrive(const WIniKey& file, char (&drive)[3]) {
    if (file.ReadString("options", "drive", drive, sizeof drive) && IsCdDrive(drive)) return;
    char letters[27];
    EnumCdDrives(letters);
    if (letters[0])
        snprintf(drive, sizeof drive, "%c:", letters[0]);
    else
        drive[0] = '\0';
}

BOOL CALLBACK RememberPlayerWindow(HWND window, LPARAM found) {
    char className[sizeof playerClassName + 1];
    if (GetClassNameA(window, className, sizeof className) &&
        strcmp(className, playerClassName) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Paths are UTF-8 in memory. The file holds them in the code page like every other text
// there, or, for a path with letters the code page lacks, as "utf8:" and the UTF-8 bytes with
// those above ASCII (and '%') written %XX, which any encoding of the file keeps.
const char utf8Mark[] = "utf8:";

std::string StoredPath(const std::string& path) {
    if (CodePage::Holds(path)) return CodePage::FromUtf8(path);
    std::string stored = utf8Mark;
    for (unsigned char c : path) {
        char escape[4];
        snprintf(escape, sizeof escape, "%%%02X", c);
        stored += c >= 0x80 || c == '%' ? std::string(escape) : std::string(1, char(c));
    }
    return stored;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PathOfStored(const std::string& stored) {
    if (stored.compare(0, sizeof utf8Mark - 1, utf8Mark) != 0) return CodePage::ToUtf8(stored);
    std::string path;
    for (size_t i = sizeof utf8Mark - 1; i < stored.size(); i++) {
        const int high = i + 2 < stored.size() ? HexDigit(stored[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(stored[i + 2]) : -1;
        if (stored[i] == '%' && low >= 0) {
            path += char(high * 16 + low);
            i += 2;
        } else {
            path += stored[i];
        }
    }
    return path;
}

std::string ReadPath(const WIniKey& file, const char* section, const char* key) {
    std::vector<char> stored(8 * MAX_PATH, '\0');
    file.ReadString(section, key, stored.data(), int(stored.size()));
    return PathOfStored(stored.data());
}

RecentImages ReadRecentImages(const WIniKey& file) {
    std::vector<std::string> stored;
    for (int key = 1; key <= RecentImages::capacity; key++)
        stored.push_back(ReadPath(file, "recent", std::to_string(key).c_str()));
    return RecentImages(stored);
}

// An address left empty keeps the default.
void ReadUnlessEmpty(const WIniKey& file, const char* key, char* value, int size) {
    std::string stored(size_t(size), '\0');
    if (file.ReadString("lookup", key, &stored[0], size) > 0)
        memcpy(value, stored.c_str(), size_t(size));
}

// Keys past the list's end are emptied, so an image that left it is not read back.
void WriteRecentImages(const WIniKey& file, const RecentImages& recent) {
    const std::vector<std::string>& paths = recent.Paths();
    for (int key = 1; key <= RecentImages::capacity; key++) {
        const size_t index = size_t(key - 1);
        file.WriteString("recent", std::to_string(key).c_str(),
                         index < paths.size() ? StoredPath(paths[index]).c_str() : "");
    }
}

} // namespace

void LoadSettings(const WIniKey& file, Settings& values) {
    for (const OptionInfo& option : options)
        file.ReadInt("options", option.key, &(values.*option.field));

    if (!file.ReadString("skin", "name", values.skinName, sizeof values.skinName))
        strcpy(values.skinName, ".");

    int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    values.positionStored =
        file.ReadInt("position", "x", &values.x) | file.ReadInt("position", "y", &values.y);
    if (OffScreen(values.x, values.y, screenWidth, screenHeight)) values.x = values.y = 50;

    values.playlistStored = file.ReadInt("playlist", "x", &values.playlistX) |
                            file.ReadInt("playlist", "y", &values.playlistY) |
                            file.ReadInt("playlist", "w", &values.playlistW) |
                            file.ReadInt("playlist", "h", &values.playlistH);
    if (OffScreen(values.playlistX, values.playlistY, screenWidth, screenHeight))
        values.playlistX = values.playlistY = 100;

    ReadDrive(file, values.drive);
    snprintf(values.discImage, sizeof values.discImage, "%s",
             ReadPath(file, "options", "discimage").c_str());

    values.recentImages = ReadRecentImages(file);

    file.ReadInt("lookup", "online", &values.lookupOnline);
    ReadUnlessEmpty(file, "musicbrainz", values.musicBrainzUrl, sizeof values.musicBrainzUrl);
    ReadUnlessEmpty(file, "gnudb", values.gnudbUrl, sizeof values.gnudbUrl);
    file.ReadString("lookup", "email", values.lookupEmail, sizeof values.lookupEmail);

    file.ReadInt("output", "left", &values.outputLeft);
    file.ReadInt("output", "right", &values.outputRight);
    file.ReadInt("output", "mute", &values.outputMute);
    values.outputLeft = std::clamp(values.outputLeft, 0, 65535);
    values.outputRight = std::clamp(values.outputRight, 0, 65535);
}

void SaveSettings(const WIniKey& file, const Settings& values, HWND playerWindow) {
    WIniKey::Batch save(&file);
    // Minimized to the taskbar, the rectangle is the icon's parking place, not the window's.
    RECT frame;
    if (playerWindow && !IsWindowVisible(playerWindow) && !IsIconic(playerWindow) &&
        GetWindowRect(playerWindow, &frame)) {
        file.WriteInt("position", "x", frame.left);
        file.WriteInt("position", "y", frame.top);
    }
    for (const OptionInfo& option : options)
        file.WriteInt("options", option.key, values.*option.field);
    file.WriteString("options", "drive", values.drive);
    file.WriteString("options", "discimage", StoredPath(values.discImage).c_str());
    file.WriteString("skin", "name", values.skinName);
    file.WriteInt("output", "left", values.outputLeft);
    file.WriteInt("output", "right", values.outputRight);
    file.WriteInt("output", "mute", values.outputMute);
    WriteRecentImages(file, values.recentImages);
    file.WriteInt("lookup", "online", values.lookupOnline);
    file.WriteString("lookup", "email", values.lookupEmail);
}

void LoadSettings() {
    if (settingsFile) LoadSettings(*settingsFile, settings);
}

void SaveSettings(HWND playerWindow) {
    if (settingsFile) SaveSettings(*settingsFile, settings, playerWindow);
}

void SaveSettings() {
    HWND playerWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), RememberPlayerWindow,
                      reinterpret_cast<LPARAM>(&playerWindow));
    SaveSettings(playerWindow);
}

void SavePlaylistPlace(const WIniKey& file, const Settings& values) {
    WIniKey::Batch save(&file);
    file.WriteInt("playlist", "x", values.playlistX);
    file.WriteInt("playlist", "y", values.playlistY);
    file.WriteInt("playlist", "w", values.playlistW);
    file.WriteInt("playlist", "h", values.playlistH);
}

void SavePlaylistPlace() {
    if (settingsFile) SavePlaylistPlace(*settingsFile, settings);
}

void SavePlayerPosition(HWND playerWindow) {
    RECT frame;
    if (!settingsFile || IsIconic(playerWindow) || !GetWindowRect(playerWindow, &frame)) return;
    WIniKey::Batch save(settingsFile);
    settingsFile->WriteInt("position", "x", frame.left);
    settingsFile->WriteInt("position", "y", frame.top);
}

void EnumCdDrives(char* letters) {
    int count = 0;
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; i++) {
        char root[4] = {char('A' + i), ':', '\\', '\0'};
        const bool cdDrive = (drives & (1u << i)) && GetDriveTypeA(root) == DRIVE_CDROM;
        if (cdDrive || root[0] == virtualDriveLetter) letters[count++] = root[0];
    }
    letters[count] = '\0';
}
