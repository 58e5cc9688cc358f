#pragma once

#include "wlib/WForm.h"

// The player window. For now it only carries the status timer and closes cleanly; the skin,
// the controls and the displays come with the player window itself.
class MainForm : public WForm {
public:
    static constexpr const char* className = "LumivoxenCDPlayer";
    static constexpr int defaultWidth = 275;
    static constexpr int defaultHeight = 116;

    // Registers the class and creates the window; throws the toolkit's texts on failure.
    void CreatePlayerWindow(HINSTANCE instance);

    LRESULT OnCreate() override;
    LRESULT OnTimer(WPARAM id) override;
    LRESULT OnCommand(int notification, int id, HWND control) override;
    LRESULT OnPaint() override;
    LRESULT OnDestroy() override;

    int statusTicks = 0; // status timer ticks seen, for the start-up checks
};
