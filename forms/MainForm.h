#pragma once

#include "dialogs/PlayerHost.h"
#include "forms/MixerPanel.h"
#include "forms/PlayerDisplays.h"
#include "gfx/SourceRect.h"
#include "player/PlaybackEngine.h"
#include "skin/SkinLook.h"
#include "wlib/WButton.h"
#include "wlib/WForm.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTextBox.h"

#include <memory>
#include <optional>
#include <string>

class DiscNamer;
class PlaylistForm;
class WBmpFont;
class WBmpList;
class WTooltip;

// The player window: a borderless skinned window with the transport buttons, the volume and
// seek sliders and the six displays. It owns everything visible: the skin's bitmaps and font,
// the controls, the tooltip and the playlist window, and it loads skins (SkinLoader).
class MainForm final : public WForm, public PlayerHost {
public:
    static constexpr const char* className = "LumivoxenCDPlayer";
    static constexpr int defaultWidth = 275;
    static constexpr int defaultHeight = 116;
    static constexpr UINT trayIconId = 1547;
    // WM_COPYDATA's dwData from a second start without a request: come to the front.
    static constexpr ULONG_PTR frontTag = 0x4C565846; // "LVXF"

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
    int LoadSkin(const char* name) override;
    // The skin in the program's resources; always 1.
    int LoadBuiltinSkin() override;
    // Shows the player, and the playlist window when it belongs on screen.
    void ShowWindows();
    // After a skin gave the player its size, before the windows show: the first start's places,
    // or a playlist docked to the player's bottom or right edge moved to stay docked.
    void PlaceForSkin();
    // The window, its controls and outline at the scale the setting and the monitor's dpi
    // (0: the window's now) ask for; the playlist follows.
    void ApplyScale(int dpi = 0);
    // The skin's outline (region.rgn's bytes; empty: rectangular) at the scale; false when
    // the system refuses the data.
    bool SetOutline(const std::string& data);
    // Hands the engine the playlist on screen and these displays; null takes them back.
    void AttachEngine(PlaybackEngine* engine);
    // The engine read a disc: names are looked up for it when it has none.
    void DiscLoaded();

    LRESULT OnCreate() override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnButtonUp(WPARAM keys, int x, int y) override;
    LRESULT OnKeyDown(WPARAM key, LPARAM flags) override;
    LRESULT OnKeyUp(WPARAM key, LPARAM flags) override;
    LRESULT OnDeviceChange(WPARAM event, LPARAM data) override;
    LRESULT OnSetFocus() override;
    LRESULT OnKillFocus() override;
    LRESULT OnTrayNotify(LPARAM mouseMessage, WPARAM iconId) override;
    LRESULT OnDestroy() override;
    LRESULT OnCommand(int notification, int id, HWND control) override;
    LRESULT OnPaint() override;
    LRESULT OnTimer(WPARAM id) override;
    LRESULT OnHScroll(int id, int request, int position, HWND control) override;
    LRESULT OnVScroll(int id, int request, int position, HWND control) override;
    LRESULT OnContextMenu(int x, int y, HWND window) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // How a skin error reaches the user: a system-modal message box unless a test listens.
    static int (*showSkinError)(const char* text);
    // Where the cursor is; tests stand in for it.
    static BOOL(WINAPI* cursorPosition)(POINT* point);

    HINSTANCE instance = nullptr;
    // Where the skin folders are; empty: the folder "skin" beside the program.
    std::string skinsFolder;
    std::string SkinsRoot() const override;
    void KeepOnTop(int on) override { SetTopMost(on); }
    void EnableTips(int on) override;
    std::string ProgramPath() const override;
    char VirtualDriveLetter() const override;
    void ChangeDrive(const char* drive) override;
    void OptionsClosed() override { buttons[btShowOptions].SetCheck(0); }
    std::unique_ptr<WTooltip> tips; // the program's one tooltip object
    std::unique_ptr<WBmpList> bitmaps;
    std::unique_ptr<WBmpFont> font;
    SourceRect mainRect = {0, 0, defaultWidth, defaultHeight};
    SourceRect titleRect;
    std::string outline; // the skin's region data, in skin pixels
    WButton buttons[buttonCount];
    WScrollbar sliders[sliderCount];
    WTextBox textBoxes[textCount];
    std::unique_ptr<PlaylistForm> playlist;
    MixerPanel mixerPanel;
    PlayerDisplays displays{*this};
    int doorOpened = 0;
    int playlistHidden = 0; // the playlist went away with the player and comes back with it
    int inTray = 0;         // the player is hidden behind its tray icon

    // The drag of the window by its background.
    POINT pressPoint = {};
    int docked = 0; // the playlist window touched the player at the press and moves with it
    POINT playlistOffset = {};

private:
    // Held from the first thumb move of a seek drag to its release.
    std::optional<PlaybackEngine::BusyHold> seekHold;
    std::unique_ptr<DiscNamer> namer;

    // Commands
    bool RunButtonCommand(int id);
    bool RunMenuCommand(int id);
    void ToggleOption(int id);
    void OpenImage(const std::string& path);
    void OpenRecentImage(int index);
    void Eject();
    void ShowPlaylist(int show);
    void ShowOptions(int startPage);
    void MinimizePlayer();
    bool PutInTray();
    void RestoreFromTray();
    void BringToFront();
    void PressKeyButton(WPARAM key, int down);
    LRESULT OnMediaCommand(int appCommand);
    void RegisterMediaKeys();
    void UnregisterMediaKeys();
    // The virtual drive's own volume and mute into the settings, to be saved.
    void RememberOwnOutput();
    LRESULT OnClose();
    LRESULT OnEndSession(WPARAM ending);
    // Sliders
    void OnSeekSlider(int request, int position);
    void OnVolumeSlider(int id, int request, int position);
    void ShowVolume(int position);
    void JoinChannels();

    void CreateButtons(const SkinLook& look);
    void CreateSliders(const SkinLook& look);
    void ReadMixer();
    void EnableVolumeControls();
    void CreateTextBoxes(const SkinLook& look);
    void ShowAtStart();
    void PlaceAtFirstStart();
    // A playlist docked at the old rectangle's bottom or right edge goes to the same edge of
    // the new one, its offset along the edge following a change of scale.
    void KeepPlaylistDocked(const RECT& before, const RECT& now, int oldScale);
    LRESULT OnDpiChanged(int dpi, const RECT& suggested);
    void InvalidateTitleBar();

    int firstPlacement = 0;                          // a window has no stored place yet
    SIZE placedSize = {defaultWidth, defaultHeight}; // the player's size at the last placing
};
