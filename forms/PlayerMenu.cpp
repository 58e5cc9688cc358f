#include "forms/PlayerMenu.h"

#include "app/Settings.h"
#include "app/Utf8.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

const int introSeconds[] = {5, 10, 15, 30, 45, 60, 120}; // entries 1220, 1230 .. 1280

void Check(HMENU menu, int id, bool on) {
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// "&1 C:\\Discs\\a.cue": the number is the entry's key, an ampersand of the path stays one.
std::string RecentEntryText(int index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path)
        text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
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
    // Radio marks: one of the four is always the scale in force.
    const int chosen = ScaleChoice(IDM_SCALE_AUTO + values.scale) >= 0 ? values.scale : 0;
    CheckMenuRadioItem(popup, IDM_SCALE_AUTO, IDM_SCALE_3X, UINT(IDM_SCALE_AUTO + chosen),
                       MF_BYCOMMAND);
    ListRecentImages(values);
}

// The submenu keeps its greyed "(none)" until there is an image to offer.
void PlayerMenu::ListRecentImages(const Settings& values) {
    const std::vector<std::string>& paths = values.recentImages.Paths();
    for (int i = 0; i < GetMenuItemCount(popup) && !paths.empty(); i++) {
        HMENU submenu = GetSubMenu(popup, i);
        if (!submenu || GetMenuState(submenu, IDM_RECENT_NONE, MF_BYCOMMAND) == UINT(-1)) continue;
        DeleteMenu(submenu, IDM_RECENT_NONE, MF_BYCOMMAND);
        for (size_t n = 0; n < paths.size(); n++)
            AppendMenuW(submenu, MF_STRING, IDM_RECENT_FIRST + n,
                        Utf8::ToWide(RecentEntryText(int(n), paths[n])).c_str());
        return;
    }
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

int PlayerMenu::ScaleChoice(int id) {
    return id >= IDM_SCALE_AUTO && id <= IDM_SCALE_3X ? id - IDM_SCALE_AUTO : -1;
}

int PlayerMenu::RecentIndex(int id) {
    const int index = id - IDM_RECENT_FIRST;
    return index >= 0 && index < RecentImages::capacity ? index : -1;
}
