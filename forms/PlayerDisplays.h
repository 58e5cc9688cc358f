#pragma once

#include "player/EngineDisplays.h"

class MainForm;

// The engine's displays are the player window's six text boxes and its seek slider.
class PlayerDisplays final : public EngineDisplays {
public:
    explicit PlayerDisplays(MainForm& form) : form(form) {}

    void SetText(Display display, const char* text) override;
    void SetSeekRange(int maximum) override;
    void SetSeekPosition(int position) override;
    void CloseWindow() override;
    void DiscLoaded() override;

private:
    MainForm& form;
};
