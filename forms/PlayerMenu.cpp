#include "forms/PlayerMenu.h"

#include "app/Settings.h"
#include "res/resource.h"

namespace {

struct MenuOption {
    int id;
    int Settings::*option;
};

const MenuOption menuOptions[] = {
    {IDM_ALWAYS_ON_TOP, &Settings::alwaysOnTop},
    {IDM_MINIMIZE_TO_TRAY, &Settings::minimizeToTray},
    {IDM_SHOW_TOOLTIPS, &Settings::showTooltip},
    {IDM_KEY_SHORTCUTS, &Settings::keyShortcuts},
    {IDM_SNAP_WINDOWS, &Settings::snapWindow},
    {IDM_ESC_MINIMIZE, &Settings::escMinimize},
    {IDM_STOP_ON_EXIT, &Settings::stopOnExit},
    {IDM_EXIT_ON_REMOVE, &Settings::exitOnRemove},
    {IDM_MINIMIZE_ON_START, &Settings::minimizeOnStart},
    {IDM_PLAY_ON_START, &Settings::playOnStart},
    {IDM_REPEAT_TRACK, &Settings::repeatTrack},
    {IDM_REPEAT_PLAYLIST, &Settings::repeatPlaylist},
    {IDM_TIME_ELAPSED, &Settings::elapsedTime},
    {IDM_RANDOM_START, &Settings::randomIntro},
    {IDM_INTRO_PLAY, &Settings::introPlay},
};

const int introSeconds[] = {5, 10, 15, 30, 45, 60, 120}; // entries 1220, 1230 .. 1280

void Check(HMENU menu, int id, bool on) {
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace

PlayerMenu::PlayerMenu(HINSTANCE instance, const Settings& values)
    : loaded(LoadMenuA(instance, MAKEINTRESOURCEA(IDM_MAIN))) {
    if (!loaded) return;
    popup = GetSubMenu(loaded, 0);
    // Checking by command reaches into the submenus too.
    for (const MenuOption& entry : menuOptions)
        Check(popup, entry.id, values.*entry.option != 0);
    Check(popup, IDM_SHOW_PLAYLIST, values.showPlaylist != 0);
    for (int id = IDM_INTRO_5; id <= IDM_INTRO_120; id += 10)
        Check(popup, id, IntroSeconds(id) == values.introPlayLen);
}

PlayerMenu::~PlayerMenu() {
    if (loaded) DestroyMenu(loaded);
}

int* PlayerMenu::ToggledOption(Settings& values, int id) {
    for (const MenuOption& entry : menuOptions)
        if (entry.id == id) return &(values.*entry.option);
    return nullptr;
}

int PlayerMenu::IntroSeconds(int id) {
    if (id < IDM_INTRO_5 || id > IDM_INTRO_120 || (id - IDM_INTRO_5) % 10) return 0;
    return introSeconds[(id - IDM_INTRO_5) / 10];
}
