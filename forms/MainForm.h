#pragma once

#include "devices/MixerPanel.h"
#include "gfx/SourceRect.h"
#include "wlib/WButton.h"
#include "wlib/WForm.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTextBox.h"

#include <string>

class PlaylistForm;
class WBmpFont;
class WBmpList;
class WTooltip;

// The player window: a borderless skinned window with the transport buttons, the volume and
// seek sliders and the six displays. It owns everything visible: the skin's bitmaps and font,
// the controls, the tooltip and the playlist window, and it loads skins (SkinLoader).
class MainForm final : public WForm {
public:
    static constexpr const char* className = "LumivoxenCDPlayer";
    static constexpr int defaultWidth = 275;
    static constexpr int defaultHeight = 116;
    static constexpr UINT trayIconId = 1547;

    enum Button {
        btPrev,
        btPlay,
        btPause,
        btStop,
        btNext,
        btEject,
        btShowPlaylist,
        btShowOptions,
        btLockVolume,
        btMuteVolume,
        btMinimize,
        btClose,
        buttonCount
    };
    enum Slider { sbPos, sbLVolume, sbRVolume, sbMVolume, sliderCount };
    enum TextBox { tbPosition, tbTrackLength, tbArtist, tbAlbum, tbTrackName, tbStatus, textCount };

    MainForm();
    ~MainForm();

    // Registers the class and creates the window; throws the toolkit's texts on failure.
    void CreatePlayerWindow(HINSTANCE instance);

    // The skin folder skin\<name> beside the program; 0 after an error, which has been shown.
    int LoadSkin(const char* name);
    // The skin in the program's resources; always 1.
    int LoadBuiltinSkin();
    // Shows the player, and the playlist window when it belongs on screen.
    void ShowWindows();

    LRESULT OnCreate() override;
    LRESULT OnSetFocus() override;
    LRESULT OnKillFocus() override;
    LRESULT OnTimer(WPARAM id) override;
    LRESULT OnCommand(int notification, int id, HWND control) override;
    LRESULT OnDeviceChange(WPARAM event, LPARAM data) override;
    LRESULT OnPaint() override;
    LRESULT OnDestroy() override;

    // How a skin error reaches the user: a system-modal message box unless a test listens.
    static int (*showSkinError)(const char* text);

    HINSTANCE instance = nullptr;
    // Where the skin folders are; empty: the folder "skin" beside the program.
    std::string skinsFolder;
    WTooltip* tips = nullptr; // the program's one tooltip object
    WBmpList* bitmaps = nullptr;
    WBmpFont* font = nullptr;
    SourceRect mainRect = {0, 0, defaultWidth, defaultHeight};
    SourceRect titleRect;
    WButton buttons[buttonCount];
    WScrollbar sliders[sliderCount];
    WTextBox textBoxes[textCount];
    PlaylistForm* playlist = nullptr;
    MixerPanel mixerPanel;
    int doorOpened = 0;
    int playlistHidden = 0; // the playlist went away with the player and comes back with it

private:
    void CreateButtons();
    void CreateSliders();
    void ReadMixer();
    void CreateTextBoxes();
    void ShowAtStart();
    void InvalidateTitleBar();
};
