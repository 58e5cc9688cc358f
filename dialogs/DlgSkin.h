#pragma once

#include "dialogs/DlgMain.h"
#include "gfx/GdiHandles.h"
#include "wlib/WFont.h"

#include <memory>
#include <string>

// The Skin page: the skin folders and the built-in skin in a list; choosing one applies it
// to both windows at once and shows its description.
class DlgSkin final : public DlgMain {
public:
    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnDestroy() override;

    static constexpr int descriptionCapacity = 999; // characters; longer texts are cut

private:
    void ListSkins();
    void SelectCurrentSkin();
    void ChooseSelected();
    std::string BuiltinName() const;
    std::string BuiltinDescription() const;
    // The [info] lines of a skin folder; with every line, empty lines stand for missing keys.
    std::string FolderDescription(const char* name, bool everyLine) const;
    void ShowDescription(const std::string& text);

    std::unique_ptr<WFont> labelFont;
    GdiObject<HBITMAP> picture;
};
