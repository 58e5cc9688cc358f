#pragma once

#include "wlib/WDialog.h"

#include <string>
#include <vector>

// "Choose Names": the releases a lookup found, as "Artist - Album (year, country, format)",
// the first selected. Enter takes the selected one, Escape none.
class NameChooser final : public WDialog {
public:
    // The 0-based index of the release taken; -1 for none.
    static int Ask(HINSTANCE instance, HWND owner, const std::vector<std::string>& summaries);

    int OnInitDialog() override;
    int OnOK() override;
    int OnCancel() override;
    int OnCommand(int notification, int id, HWND control) override;

private:
    explicit NameChooser(const std::vector<std::string>& summaries) : summaries(summaries) {}

    const std::vector<std::string>& summaries; // UTF-8
    int chosen = -1;
};
