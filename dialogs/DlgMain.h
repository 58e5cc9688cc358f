#pragma once

#include "wlib/WDialog.h"

class PlayerHost;

#include <commctrl.h>
#include <windows.h>

#include <memory>

// The options dialog: a modal dialog with a tab control of four pages (Config, Skin, Default
// player, About). Each page is a modeless child dialog, made when its tab is selected and
// destroyed when another one is. Options change at once; nothing is applied or cancelled.
// The pages derive from this class for the tab control's placing data.
class DlgMain : public WDialog {
public:
    enum Page { configPage, skinPage, defaultPage, aboutPage, pageCount };

    DlgMain() = default;
    ~DlgMain() override;

    // The tab to select at the next opening; -1 for the first. Each opening resets it.
    static int startPage;
    // Shows the dialog modally over the player window and returns when it closes.
    static void Run(HINSTANCE instance, HWND owner, int page, PlayerHost* host);

    int OnInitDialog() override;
    int OnNotify(int id, NMHDR* header) override;
    int OnClose() override;
    int OnCancel() override;
    int OnDestroy() override;

    std::unique_ptr<DlgMain> shownPage;
    HINSTANCE instance = nullptr;
    PlayerHost* host = nullptr; // the player window the options belong to; null for none

protected:
    // A page's first step: its window goes to the tab control's display area.
    void PlacePage();

private:
    static RECT DisplayArea(HWND tabs);
    void MakeTabImages(int dpi);
    void AddTabs(HWND tabs);
    void ShowPage();
    void DropPage();

    HIMAGELIST tabImages = nullptr; // owned
};
