#include "forms/MainForm.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "devices/VolumeScale.h"
#include "forms/PlaylistForm.h"
#include "forms/SkinLoader.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "skin/BuiltinRecords.h"
#include "skin/SkinControl.h"
#include "wlib/WTooltip.h"

#include <string>
#include <vector>

namespace {

int ShowSkinErrorBox(const char* text) {
    return MessageBoxA(nullptr, text, "Skin error !!!", MB_SYSTEMMODAL | MB_ICONERROR);
}

std::string TableString(HINSTANCE instance, UINT id) {
    char text[999] = "";
    LoadStringA(instance, id, text, sizeof text);
    return text;
}

} // namespace

int (*MainForm::showSkinError)(const char* text) = ShowSkinErrorBox;

MainForm::MainForm() : mixerPanel(nullptr) {
}

MainForm::~MainForm() {
    delete playlist;
    delete font;
    delete bitmaps;
    delete tips;
}

void MainForm::CreatePlayerWindow(HINSTANCE moduleInstance) {
    instance = moduleInstance;
    HICON icon = LoadIconA(instance, "LARGE_ICON");
    HICON smallIcon = LoadIconA(instance, "SMALL_ICON");
    // No class brush: the paint covers the whole window, and an erase first would flicker.
    Create(className, icon, smallIcon, LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr, 0,
           "Lumevoxen CD Player", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, defaultWidth,
           defaultHeight, instance);
}

// ---- Creation: the built-in look, every control, then the configured skin ----

LRESULT MainForm::OnCreate() {
    if (!instance) instance = GetModuleHandleA(nullptr);
    tips = new WTooltip(hwnd);
    tips->Enable(settings.showTooltip);
    bitmaps = new WBmpList(6);
    bitmaps->throwErrors = 1;
    for (int id : {IDB_SKIN_MAIN, IDB_SKIN_TITLEBAR, IDB_SKIN_CBUTTONS, IDB_SKIN_SCROLL})
        bitmaps->AddBitmap(id);
    bitmaps->AddBitmapMasked(IDB_SKIN_FONT, RGB(0, 0, 0));
    bitmaps->AddBitmap(IDB_SKIN_PLAYLIST);
    bitmaps->throwErrors = 0;
    std::vector<std::int32_t> rects = BuiltinRecords::Integers(instance, IDR_SKIN_MAIN_RECTS);
    rects.resize(8, 0);
    mainRect = {rects[0], rects[1], rects[2], rects[3]};
    titleRect = {rects[4], rects[5], rects[6], rects[7]};
    SetSize(mainRect.width, mainRect.height, 0);
    CreateButtons();
    CreateSliders();
    ReadMixer();
    font = new WBmpFont(bitmaps, 4, BuiltinRecords::Text(instance, IDR_SKIN_TEXT_MAP).c_str(), 11);
    CreateTextBoxes();
    playlist = new PlaylistForm(bitmaps, font, tips);
    playlist->playlistButton = &buttons[btShowPlaylist];
    playlist->Create(instance, hwnd);
    SetPosition(settings.x, settings.y);
    if (settings.skinName[0] != '.' && !LoadSkin(settings.skinName)) LoadBuiltinSkin();
    ShowAtStart();
    if (settings.alwaysOnTop) SetTopMost(1);
    return 0;
}

void MainForm::CreateButtons() {
    std::vector<std::int32_t> records = BuiltinRecords::Integers(instance, IDR_SKIN_BUTTONS);
    records.resize(buttonCount * 8, 0);
    for (int i = 0; i < buttonCount; i++) {
        SkinControl c = SkinControl::FromValues(&records[size_t(i) * 8]);
        const SourceRect& p = c.placement;
        buttons[i].Create(hwnd, WButton::skinned, IDC_PLAYER_BUTTON + i, instance, p.x, p.y,
                          p.width, p.height, "", bitmaps, 2, &c.cells[0], &c.cells[1], &c.cells[2],
                          &c.cells[3]);
        buttons[i].SetTooltip(tips, TableString(instance, IDS_TIP_PLAYER_BUTTONS + i).c_str());
    }
    for (int toggle : {btShowPlaylist, btShowOptions, btLockVolume, btMuteVolume})
        buttons[toggle].SetStyle(WButton::skinned | WButton::toggle, 1);
}

void MainForm::CreateSliders() {
    std::vector<std::int32_t> records = BuiltinRecords::Integers(instance, IDR_SKIN_SLIDERS);
    records.resize(sliderCount * 8, 0);
    for (int i = 0; i < sliderCount; i++) {
        SkinControl c = SkinControl::FromValues(&records[size_t(i) * 8]);
        const SourceRect& p = c.placement;
        const bool seek = i == sbPos;
        const int style =
            WScrollbar::skinned | WScrollbar::opaque | (seek ? 0 : WScrollbar::vertical);
        sliders[i].Create(hwnd, style, IDC_PLAYER_SLIDER + i, instance, p.x, p.y, p.width, p.height,
                          "", bitmaps, 3, seek ? c.cells[0].width : c.strip.height, &c.cells[0],
                          &c.cells[1], &c.cells[2], &c.cells[3], 0, &p);
        sliders[i].SetTooltip(tips, TableString(instance, IDS_TIP_SLIDERS + i).c_str());
    }
}

// The sliders and the mute button start where the mixer stands; controls that cannot be
// found keep their defaults.
void MainForm::ReadMixer() {
    mixerPanel = MixerPanel(mixer);
    if (!mixer) return;
    mixerPanel.FindControls();
    int left = 0, right = 0, master = 0, muted = 0;
    if (mixerPanel.ReadChannelPositions(&left, &right)) {
        for (Slider s : {sbLVolume, sbRVolume})
            sliders[s].SetRange(0, VolumeScale::maxPosition, 0);
        sliders[sbLVolume].SetPosition(left, 0);
        sliders[sbRVolume].SetPosition(right, 0);
    }
    if (mixerPanel.ReadMasterPosition(&master)) {
        sliders[sbMVolume].SetRange(0, VolumeScale::maxPosition, 0);
        sliders[sbMVolume].SetPosition(master, 0);
    }
    if (mixerPanel.ReadMute(&muted)) buttons[btMuteVolume].SetCheck(muted);
    buttons[btLockVolume].SetCheck(settings.lockVolume ? 1 : 0);
}

void MainForm::CreateTextBoxes() {
    std::vector<std::int32_t> records = BuiltinRecords::Integers(instance, IDR_SKIN_TEXT_BOXES);
    records.resize(textCount * 4, 0);
    for (int i = 0; i < textCount; i++) {
        const SourceRect p = {records[size_t(i) * 4], records[size_t(i) * 4 + 1],
                              records[size_t(i) * 4 + 2], records[size_t(i) * 4 + 3]};
        textBoxes[i].Create(hwnd, WTextBox::bitmapText | WTextBox::imageBackground,
                            IDC_PLAYER_TEXT + i, instance, p.x, p.y, p.width, p.height, "", nullptr,
                            0, 0, bitmaps, 0, &p, font);
    }
    textBoxes[tbPosition].SetTooltip(tips, TableString(instance, IDS_TIP_TIME).c_str());
    for (TextBox scrolling : {tbTrackName, tbArtist, tbAlbum}) {
        textBoxes[scrolling].SetSeparator(" - ");
        textBoxes[scrolling].SetScrolling(1, 500);
    }
}

// Minimized to the tray or the taskbar, or shown; the playlist follows the player.
void MainForm::ShowAtStart() {
    if (!settings.minimizeOnStart) {
        ShowWindows();
        return;
    }
    if (settings.showPlaylist) playlistHidden = 1;
    playlist->Show(0);
    if (settings.minimizeToTray &&
        AddTrayIcon(trayIconId, LoadIconA(instance, "TRAY_ICON"), "Lumivoxen CD Player"))
        return;
    // Without a tray icon the player must never be out of reach: the taskbar it is.
    Show(1);
    Minimize();
}

void MainForm::ShowWindows() {
    Show(1);
    if (settings.showPlaylist && !playlistHidden) playlist->Show(1);
}

int MainForm::LoadSkin(const char* name) {
    return SkinLoader(*this).LoadFolder(name);
}

int MainForm::LoadBuiltinSkin() {
    return SkinLoader(*this).LoadBuiltin();
}

// ---- Painting and the title bar ----

LRESULT MainForm::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    bitmaps->DrawBitmap(dc, 0, WBmpList::modeCopy, 0, 0);
    const int sourceY = GetActiveWindow() == hwnd ? titleRect.height : 0;
    bitmaps->DrawBitmapPart(dc, 1, WBmpList::modeCopy, titleRect.x, titleRect.y, titleRect.width,
                            titleRect.height, 0, sourceY, titleRect.width, titleRect.height);
    EndPaint(hwnd, &paint);
    return 0;
}

void MainForm::InvalidateTitleBar() {
    RECT title = {titleRect.x, titleRect.y, titleRect.x + titleRect.width,
                  titleRect.y + titleRect.height};
    InvalidateRect(hwnd, &title, FALSE);
}

LRESULT MainForm::OnSetFocus() {
    InvalidateTitleBar();
    if (playlistHidden) {
        playlist->Show(1);
        playlistHidden = 0;
    }
    return 0;
}

LRESULT MainForm::OnKillFocus() {
    InvalidateTitleBar();
    return 0;
}

// ---- Events handed on ----

LRESULT MainForm::OnTimer(WPARAM id) {
    if (id == IDT_STATUS && playbackEngine) playbackEngine->StatusTick(id);
    return 0;
}

LRESULT MainForm::OnCommand(int notification, int id, HWND) {
    if (id == IDC_HANDOFF_PLAY && playbackEngine) playbackEngine->PlayRequested(notification);
    if (id == IDC_PLAYER_BUTTON + btClose) Close();
    return 0;
}

LRESULT MainForm::OnDeviceChange(WPARAM event, LPARAM data) {
    return playbackEngine ? playbackEngine->OnDeviceChange(event, data) : 1;
}

LRESULT MainForm::OnDestroy() {
    DeleteTrayIcon(trayIconId);
    SaveSettings(hwnd);
    if (playlist) DestroyWindow(playlist->hwnd);
    delete playlist;
    playlist = nullptr;
    for (WButton& button : buttons)
        DestroyWindow(button.hwnd);
    for (WScrollbar& slider : sliders)
        DestroyWindow(slider.hwnd);
    for (WTextBox& box : textBoxes)
        DestroyWindow(box.hwnd);
    delete font;
    font = nullptr;
    if (theApp) theApp->Quit();
    return 0;
}
