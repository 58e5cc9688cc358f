#include "forms/PlayerMenu.h"

#include "app/Settings.h"
#include "res/resource.h"

namespace {

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
    for (const OptionInfo& option : options)
        if (option.menuId) Check(popup, option.menuId, values.*option.field != 0);
    Check(popup, IDM_SHOW_PLAYLIST, values.showPlaylist != 0);
    for (int id = IDM_INTRO_5; id <= IDM_INTRO_120; id += 10)
        Check(popup, id, IntroSeconds(id) == values.introPlayLen);
}

PlayerMenu::~PlayerMenu() {
    if (loaded) DestroyMenu(loaded);
}

int* PlayerMenu::ToggledOption(Settings& values, int id) {
    const OptionInfo* option = OptionOfMenu(id);
    return option ? &(values.*option->field) : nullptr;
}

int PlayerMenu::IntroSeconds(int id) {
    if (id < IDM_INTRO_5 || id > IDM_INTRO_120 || (id - IDM_INTRO_5) % 10) return 0;
    return introSeconds[(id - IDM_INTRO_5) / 10];
}
