#pragma once

#include "wlib/WForm.h"

// The player window. For now it carries the status timer, the second-start hand-off and device
// arrivals to the playback engine, and closes cleanly; the skin, the controls and the displays
// (which the engine needs before it acts) come with the player window itself.
class MainForm final : public WForm {
public:
    static constexpr const char* className = "LumivoxenCDPlayer";
    static constexpr int defaultWidth = 275;
    static constexpr int defaultHeight = 116;

    // Registers the class and creates the window; throws the toolkit's texts on failure.
    void CreatePlayerWindow(HINSTANCE instance);

    LRESULT OnCreate() override;
    LRESULT OnTimer(WPARAM id) override;
    LRESULT OnCommand(int notification, int id, HWND control) override;
    LRESULT OnDeviceChange(WPARAM event, LPARAM data) override;
    LRESULT OnPaint() override;
    LRESULT OnDestroy() override;
};
