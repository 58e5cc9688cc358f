#pragma once

#include <windows.h>

struct Settings;

// The player's right-click menu (resource 1000, its popup "MainMenu") with a check mark on
// every option that is on, and the table of the options its entries toggle.
class PlayerMenu {
public:
    PlayerMenu(HINSTANCE instance, const Settings& values);
    ~PlayerMenu();
    PlayerMenu(const PlayerMenu&) = delete;
    PlayerMenu& operator=(const PlayerMenu&) = delete;

    HMENU Popup() const { return popup; }

    // The option a menu entry toggles; null for the entries that do something else.
    static int* ToggledOption(Settings& values, int id);
    // The seconds of an intro length entry; 0 for any other id.
    static int IntroSeconds(int id);
    // The scale a "Scale" entry chooses (0 Auto, 1 .. 3); -1 for any other id.
    static int ScaleChoice(int id);
    // The position in the recent images of a "Recent Images" entry; -1 for any other id.
    static int RecentIndex(int id);

private:
    void ListRecentImages(const Settings& values);

    HMENU loaded;
    HMENU popup = nullptr;
};
