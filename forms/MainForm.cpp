#include "forms/MainForm.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "app/WIniKey.h"
#include "devices/VolumeScale.h"
#include "devices/WMCIAudioCD.h"
#include "dialogs/DlgMain.h"
#include "forms/DiscImageMount.h"
#include "forms/DiscNamer.h"
#include "forms/ImageChooser.h"
#include "forms/PlayerMenu.h"
#include "forms/PlaylistForm.h"
#include "forms/SkinLoader.h"
#include "forms/WindowSnap.h"
#include "gfx/GdiHandles.h"
#include "gfx/WBmpFont.h"
#include "gfx/SkinScale.h"
#include "gfx/WBmpList.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "skin/SkinControl.h"
#include "skin/SkinReader.h"
#include "vdrive/VirtualCdDrive.h"
#include "wlib/WTooltip.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <optional>
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

const char trayTip[] = "Lumivoxen CD Player";
constexpr int firstStartRows = 10; // playlist entries shown at a first start

// The media keys, as global hot keys (ids 1 .. 4) so that they work minimised and in the tray.
struct MediaKey {
    int hotKeyId;
    UINT virtualKey;
    int appCommand;
};
const MediaKey mediaKeys[] = {
    {1, VK_MEDIA_PLAY_PAUSE, APPCOMMAND_MEDIA_PLAY_PAUSE},
    {2, VK_MEDIA_STOP, APPCOMMAND_MEDIA_STOP},
    {3, VK_MEDIA_NEXT_TRACK, APPCOMMAND_MEDIA_NEXTTRACK},
    {4, VK_MEDIA_PREV_TRACK, APPCOMMAND_MEDIA_PREVIOUSTRACK},
};

// The player button a letter key stands for; -1 for any other key.
int KeyButton(WPARAM key) {
    switch (key) {
    case 'Z':
    case 'Y': return MainForm::btPrev;
    case 'X': return MainForm::btPlay;
    case 'C': return MainForm::btPause;
    case 'V': return MainForm::btStop;
    case 'B': return MainForm::btNext;
    default: return -1;
    }
}

bool PlayerSlider(int id, int slider) {
    return id == IDC_PLAYER_SLIDER + slider;
}

} // namespace

int (*MainForm::showSkinError)(const char* text) = ShowSkinErrorBox;
BOOL(WINAPI* MainForm::cursorPosition)(POINT* point) = GetCursorPos;

MainForm::MainForm() : mixerPanel(nullptr) {
}

// Declared here, where the owned objects' types are complete.
MainForm::~MainForm() = default;

void MainForm::CreatePlayerWindow(HINSTANCE moduleInstance) {
    instance = moduleInstance;
    HICON icon = LoadIconA(instance, "LARGE_ICON");
    HICON smallIcon = LoadIconA(instance, "SMALL_ICON");
    // No class brush: the paint covers the whole window, and an erase first would flicker.
    Create(className, icon, smallIcon, LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr, 0,
           "Lumivoxen CD Player", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, defaultWidth,
           defaultHeight, instance);
}

// ---- Creation: the built-in look, every control, then the configured skin ----

LRESULT MainForm::OnCreate() {
    if (!instance) instance = GetModuleHandleA(nullptr);
    tips = std::make_unique<WTooltip>(hwnd);
    tips->Enable(settings.showTooltip);
    const SkinLook builtin = SkinReader::Builtin(instance);
    bitmaps = std::make_unique<WBmpList>(SkinLook::bitmapCount);
    bitmaps->throwErrors = 1;
    for (int slot = 0; slot < SkinLook::bitmapCount; slot++) {
        const int resource = builtin.bitmaps[slot].resource;
        if (slot == SkinLook::fontSlot)
            bitmaps->AddBitmapMasked(resource, builtin.fontTransparent);
        else
            bitmaps->AddBitmap(resource);
    }
    bitmaps->throwErrors = 0;
    mainRect = builtin.main;
    titleRect = builtin.title;
    SetSize(mainRect.width, mainRect.height, 0);
    CreateButtons(builtin);
    CreateSliders(builtin);
    ReadMixer();
    font = std::make_unique<WBmpFont>(bitmaps.get(), SkinLook::fontSlot, builtin.textMap.c_str(),
                                      builtin.fontHeight);
    CreateTextBoxes(builtin);
    playlist = std::make_unique<PlaylistForm>(bitmaps.get(), font.get(), tips.get());
    playlist->playlistButton = &buttons[btShowPlaylist];
    playlist->TakeLook(builtin);
    playlist->Create(instance, hwnd);
    SetPosition(settings.x, settings.y);
    firstPlacement = !settings.positionStored || !settings.playlistStored;
    // A folder skin's loader scales and places the windows; the built-in look is placed here.
    // Either way a playlist stored docked under the 1x player stays docked under the scaled one.
    const bool folderSkin = settings.skinName[0] != '.';
    if (folderSkin && !LoadSkin(settings.skinName)) LoadBuiltinSkin();
    if (!folderSkin) {
        ApplyScale();
        PlaceForSkin();
    }
    ShowAtStart();
    if (settings.alwaysOnTop) SetTopMost(1);
    RegisterMediaKeys();
    DragAcceptFiles(hwnd, TRUE);
    return 0;
}

void MainForm::AttachEngine(PlaybackEngine* engine) {
    namer.reset();
    if (!engine) return;
    engine->AttachViews(&playlist->entries, &displays);
    if (cdAudio) namer = std::make_unique<DiscNamer>(hwnd, instance, *cdAudio, *engine, settings);
}

void MainForm::DiscLoaded() {
    if (namer) namer->DiscLoaded();
}

void MainForm::CreateButtons(const SkinLook& look) {
    for (int i = 0; i < buttonCount; i++) {
        const SkinControl& c = look.buttons[i];
        const SourceRect& p = c.placement;
        buttons[i].Create(hwnd, WButton::skinned, IDC_PLAYER_BUTTON + i, instance, p.x, p.y,
                          p.width, p.height, "", bitmaps.get(), 2, &c.cells[0], &c.cells[1],
                          &c.cells[2], &c.cells[3]);
        buttons[i].MoveTo(p, 0);
        buttons[i].SetTooltip(tips.get(),
                              TableString(instance, IDS_TIP_PLAYER_BUTTONS + i).c_str());
    }
    for (int toggle : {btShowPlaylist, btShowOptions, btLockVolume, btMuteVolume})
        buttons[toggle].SetStyle(WButton::skinned | WButton::toggle, 1);
}

void MainForm::CreateSliders(const SkinLook& look) {
    for (int i = 0; i < sliderCount; i++) {
        const SkinControl& c = look.sliders[i];
        const SourceRect& p = c.placement;
        const bool seek = i == sbPos;
        const int style =
            WScrollbar::skinned | WScrollbar::opaque | (seek ? 0 : WScrollbar::vertical);
        sliders[i].Create(hwnd, style, IDC_PLAYER_SLIDER + i, instance, p.x, p.y, p.width, p.height,
                          "", bitmaps.get(), 3, seek ? c.cells[0].width : c.strip.height,
                          &c.cells[0], &c.cells[1], &c.cells[2], &c.cells[3], 0, &p);
        sliders[i].MoveTo(p, 0);
        sliders[i].SetTooltip(tips.get(), TableString(instance, IDS_TIP_SLIDERS + i).c_str());
    }
}

// The sliders and the mute button start where the mixer stands; controls that cannot be
// found keep their defaults.
void MainForm::ReadMixer() {
    mixerPanel = MixerPanel(mixer, virtualDrive);
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
    EnableVolumeControls();
}

// A control with nothing audible behind it shows its disabled look and takes no input: the
// channel sliders and mute of a real drive's disc where the mixer has no CD line, a master
// slider without a master volume.
void MainForm::EnableVolumeControls() {
    const bool ownOutputPlays =
        virtualDrive && (settings.drive[0] & ~0x20) == (virtualDrive->Letter() & ~0x20);
    const bool channels = mixer && mixerPanel.ChannelsAudible(ownOutputPlays);
    const bool mute = mixer && mixerPanel.MuteAudible(ownOutputPlays);
    const std::pair<HWND, bool> controls[] = {
        {sliders[sbLVolume].hwnd, channels},
        {sliders[sbRVolume].hwnd, channels},
        {sliders[sbMVolume].hwnd, mixer && mixerPanel.MasterAudible()},
        {buttons[btMuteVolume].hwnd, mute}};
    for (const auto& [control, audible] : controls)
        if (control && (IsWindowEnabled(control) != FALSE) != audible)
            EnableWindow(control, audible);
}

void MainForm::CreateTextBoxes(const SkinLook& look) {
    for (int i = 0; i < textCount; i++) {
        const SourceRect& p = look.textBoxes[i];
        textBoxes[i].Create(hwnd, WTextBox::bitmapText | WTextBox::imageBackground,
                            IDC_PLAYER_TEXT + i, instance, p.x, p.y, p.width, p.height, "", nullptr,
                            0, 0, bitmaps.get(), 0, &p, font.get());
        textBoxes[i].MoveTo(p, 0);
    }
    textBoxes[tbPosition].SetTooltip(tips.get(), TableString(instance, IDS_TIP_TIME).c_str());
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
    if (settings.minimizeToTray && PutInTray()) return;
    Show(1);
    Minimize();
}

void MainForm::ShowWindows() {
    Show(1);
    if (settings.showPlaylist && !playlistHidden) playlist->Show(1);
}

void MainForm::PlaceForSkin() {
    RECT now = {};
    GetWindowRect(&now);
    const RECT before = {now.left, now.top, now.left + placedSize.cx, now.top + placedSize.cy};
    placedSize = {now.right - now.left, now.bottom - now.top};
    if (firstPlacement)
        PlaceAtFirstStart();
    else
        KeepPlaylistDocked(before, now, scale);
}

// The player in the middle of the primary monitor's work area, the playlist under it.
void MainForm::PlaceAtFirstStart() {
    firstPlacement = 0;
    RECT area = {}, player = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(&player);
    const int width = player.right - player.left, height = player.bottom - player.top;
    if (!settings.positionStored)
        SetPosition(area.left + (area.right - area.left - width) / 2,
                    area.top + (area.bottom - area.top - height) / 2);
    GetWindowRect(&player);
    if (!settings.playlistStored) playlist->DockBelow(player, firstStartRows);
}

// Another monitor's dpi: the auto scale follows it, the skin pixel under the cursor stays
// under it (also during a drag), and a docked playlist goes along.
LRESULT MainForm::OnDpiChanged(int dpi, const RECT& suggested) {
    const int oldScale = scale;
    RECT before = {};
    GetWindowRect(&before);
    ApplyScale(dpi);
    if (scale == oldScale) return 0;
    auto enlarged = [&](LONG length) { return static_cast<int>(length * scale / oldScale); };
    POINT cursor = {}, to = {suggested.left, suggested.top};
    if (cursorPosition(&cursor) && PtInRect(&before, cursor))
        to = {cursor.x - enlarged(cursor.x - before.left),
              cursor.y - enlarged(cursor.y - before.top)};
    SetPosition(to.x, to.y);
    pressPoint = {enlarged(pressPoint.x), enlarged(pressPoint.y)};
    playlistOffset = {enlarged(playlistOffset.x), enlarged(playlistOffset.y)};
    RECT now = {};
    GetWindowRect(&now);
    KeepPlaylistDocked(before, now, oldScale);
    placedSize = {now.right - now.left, now.bottom - now.top};
    return 0;
}

void MainForm::KeepPlaylistDocked(const RECT& before, const RECT& now, int oldScale) {
    RECT list = {};
    playlist->GetWindowRect(&list);
    const bool besideHorizontally = list.left < before.right && list.right > before.left;
    const bool besideVertically = list.top < before.bottom && list.bottom > before.top;
    auto along = [&](LONG offset) { return static_cast<int>(offset * scale / oldScale); };
    if (besideHorizontally && list.top == before.bottom)
        playlist->SetPosition(now.left + along(list.left - before.left), now.bottom);
    else if (besideVertically && list.left == before.right)
        playlist->SetPosition(now.right, now.top + along(list.top - before.top));
}

std::string MainForm::SkinsRoot() const {
    if (!skinsFolder.empty()) return skinsFolder;
    return std::string(theApp ? theApp->folder : "") + "\\skin";
}

// No status tick may run while the skin changes under it, nor while its error is shown.
static std::optional<PlaybackEngine::BusyHold> HoldTicks() {
    if (!playbackEngine) return std::nullopt;
    return playbackEngine->HoldTicks();
}

int MainForm::LoadSkin(const char* name) {
    const auto hold = HoldTicks();
    return SkinLoader(*this).LoadFolder(name);
}

int MainForm::LoadBuiltinSkin() {
    const auto hold = HoldTicks();
    return SkinLoader(*this).LoadBuiltin();
}

std::string MainForm::ProgramPath() const {
    return std::string(theApp ? theApp->folder : "") + "\\" +
           (theApp ? theApp->fileName : "lumivoxen.exe");
}

char MainForm::VirtualDriveLetter() const {
    return virtualDriveLetter;
}

void MainForm::ChangeDrive(const char* drive) {
    if (playbackEngine) playbackEngine->ChangeDisc(drive);
}

// ---- Scale, painting and the title bar ----

// A skin just applied has placed its controls and outline at the scale in use already.
void MainForm::ApplyScale(int dpi) {
    const int wanted = SkinScale::Effective(settings.scale, dpi ? dpi : SkinScale::DpiOf(hwnd));
    if (wanted != scale) {
        scale = wanted;
        for (WButton& button : buttons)
            button.SetScale(scale);
        for (WScrollbar& slider : sliders)
            slider.SetScale(scale);
        for (WTextBox& box : textBoxes)
            box.SetScale(scale);
        SetOutline(outline);
        if (playlist) playlist->ApplyScale(scale);
    }
    SetSize(mainRect.width * scale, mainRect.height * scale, 1);
}

// The rectangles enlarged one by one: the outline stays exact, as a transform need not keep it.
bool MainForm::SetOutline(const std::string& data) {
    outline = data;
    if (outline.empty()) {
        SetWindowRgn(hwnd, nullptr, TRUE);
        return true;
    }
    std::string scaled = outline;
    auto* header = reinterpret_cast<RGNDATAHEADER*>(&scaled[0]);
    const size_t room = (scaled.size() - sizeof *header) / sizeof(RECT);
    auto* rects = reinterpret_cast<RECT*>(&scaled[sizeof *header]);
    auto enlarge = [this](RECT& r) {
        r = {r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
    };
    enlarge(header->rcBound);
    for (size_t i = 0; i < std::min<size_t>(header->nCount, room); i++)
        enlarge(rects[i]);
    HRGN region = ExtCreateRegion(nullptr, DWORD(scaled.size()),
                                  reinterpret_cast<const RGNDATA*>(scaled.data()));
    if (!region) return false;
    // The window owns the region once it is set.
    if (!SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);
    return true;
}

// Drawn in skin pixels and enlarged once, so every skin pixel is a square of screen pixels.
LRESULT MainForm::OnPaint() {
    PaintDC paint(hwnd);
    MemoryDC memory(paint.Get());
    BitmapHandle image(CreateCompatibleBitmap(paint.Get(), mainRect.width, mainRect.height));
    SelectGuard selection(memory.Get(), image.Get());
    bitmaps->DrawBitmap(memory.Get(), 0, WBmpList::modeCopy, 0, 0);
    const int sourceY = GetActiveWindow() == hwnd ? titleRect.height : 0;
    bitmaps->DrawBitmapPart(memory.Get(), 1, WBmpList::modeCopy, titleRect.x, titleRect.y,
                            titleRect.width, titleRect.height, 0, sourceY, titleRect.width,
                            titleRect.height);
    WBmpList::BlitScaled(paint.Get(), mainRect.width, mainRect.height, memory.Get(), scale);
    return 0;
}

void MainForm::InvalidateTitleBar() {
    const SourceRect t = Scaled(titleRect, scale);
    RECT title = {t.x, t.y, t.x + t.width, t.y + t.height};
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
    if (id != IDT_STATUS) return 0;
    if (playbackEngine) playbackEngine->StatusTick(id);
    EnableVolumeControls(); // the drive may have changed under the player
    return 0;
}

LRESULT MainForm::OnDeviceChange(WPARAM event, LPARAM data) {
    return playbackEngine ? playbackEngine->OnDeviceChange(event, data) : 1;
}

LRESULT MainForm::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == WM_APPCOMMAND) return OnMediaCommand(GET_APPCOMMAND_LPARAM(lParam));
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION) return OnEndSession(wParam);
    if (message == WM_CLOSE) return OnClose();
    if (message == WM_DPICHANGED)
        return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    auto copied = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message == WM_COPYDATA && copied && copied->dwData == frontTag) {
        BringToFront();
        return TRUE;
    }
    if (message == WM_COPYDATA) return DiscImageMount::OnCopyData(hwnd, copied);
    if (message == WM_DROPFILES) {
        DiscImageMount::MountDropped(hwnd, reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (message == DiscImageMount::mountMessage) {
        DiscImageMount::MountHandedOver(hwnd);
        return 0;
    }
    if (message == NameLookup::doneMessage) {
        if (namer) namer->LookupDone();
        return 0;
    }
    if (message == WM_HOTKEY) {
        for (const MediaKey& key : mediaKeys)
            if (static_cast<int>(wParam) == key.hotKeyId) OnMediaCommand(key.appCommand);
        return 0;
    }
    // A restarted shell has forgotten the icon: it goes back, or the player comes out.
    if (message == taskbarCreated && taskbarCreated && inTray && !PutInTray()) RestoreFromTray();
    return DefaultProc();
}

// ---- Commands ----

LRESULT MainForm::OnCommand(int notification, int id, HWND) {
    if (RunButtonCommand(id) || RunMenuCommand(id)) return 0;
    if (id == IDC_HANDOFF_PLAY && playbackEngine) playbackEngine->PlayRequested(notification);
    return 0;
}

bool MainForm::RunButtonCommand(int id) {
    PlaybackEngine* engine = playbackEngine;
    const int button = id - IDC_PLAYER_BUTTON;
    const bool transport = button >= btPrev && button <= btEject;
    if (transport && (!engine || !cdAudio)) return true; // nothing to drive yet
    // clang-format off
    switch (id) {
    case IDC_PLAYER_BUTTON + btPrev:         engine->StepPrevious(); return true;
    case IDC_PLAYER_BUTTON + btPlay:         engine->StartPlay(); return true;
    case IDC_PLAYER_BUTTON + btPause:        engine->TogglePause(); return true;
    case IDC_PLAYER_BUTTON + btStop:         engine->StopPlay(); return true;
    case IDC_PLAYER_BUTTON + btNext:         engine->StepNext(); return true;
    case IDC_PLAYER_BUTTON + btEject:        Eject(); return true;
    case IDC_PLAYER_BUTTON + btShowPlaylist: ShowPlaylist(buttons[btShowPlaylist].GetCheck()); return true;
    case IDC_PLAYER_BUTTON + btShowOptions:  ShowOptions(-1); return true;
    case IDC_PLAYER_BUTTON + btLockVolume:
        settings.lockVolume = buttons[btLockVolume].GetCheck();
        if (settings.lockVolume) JoinChannels();
        return true;
    case IDC_PLAYER_BUTTON + btMuteVolume:   mixerPanel.SetMute(buttons[btMuteVolume].GetCheck()); return true;
    case IDC_PLAYER_BUTTON + btMinimize:     MinimizePlayer(); return true;
    case IDC_PLAYER_BUTTON + btClose:        Close(); return true;
    case IDC_PLAYER_TEXT + tbPosition:       settings.elapsedTime = settings.elapsedTime ? 0 : 1; return true;
    default:                                 return false;
    }
    // clang-format on
}

bool MainForm::RunMenuCommand(int id) {
    if (PlayerMenu::ToggledOption(settings, id)) {
        ToggleOption(id);
        return true;
    }
    if (int seconds = PlayerMenu::IntroSeconds(id)) {
        settings.introPlayLen = seconds;
        return true;
    }
    if (const int scale = PlayerMenu::ScaleChoice(id); scale >= 0) {
        settings.scale = scale;
        ApplyScale();
        PlaceForSkin();
        return true;
    }
    if (PlayerMenu::RecentIndex(id) >= 0) {
        OpenRecentImage(PlayerMenu::RecentIndex(id));
        return true;
    }
    // clang-format off
    switch (id) {
    case IDM_ABOUT:          ShowOptions(3); return true;
    case IDM_SHOW_PLAYLIST:  ShowPlaylist(playlist->IsVisible() ? 0 : 1); return true;
    case IDM_EXIT:           Close(); return true;
    case IDM_CONFIG:         ShowOptions(0); return true;
    case IDM_SKIN:           ShowOptions(1); return true;
    case IDM_DEFAULT_PLAYER: ShowOptions(2); return true;
    case IDM_OPEN_IMAGE:     OpenImage(ImageChooser::AskFile(hwnd)); return true;
    case IDM_OPEN_FOLDER:    OpenImage(ImageChooser::AskFolder(hwnd)); return true;
    case IDM_LOOKUP_NAMES:   if (namer) namer->LookUpFromMenu(); return true;
    default:                 return false;
    }
    // clang-format on
}

// An empty path is a dialog the user cancelled.
void MainForm::OpenImage(const std::string& path) {
    if (!path.empty()) DiscImageMount::MountAndPlay(hwnd, path);
}

// A copy: a failed mount takes the path out of the list.
void MainForm::OpenRecentImage(int index) {
    const std::vector<std::string> paths = settings.recentImages.Paths();
    if (size_t(index) < paths.size()) OpenImage(paths[size_t(index)]);
}

void MainForm::ToggleOption(int id) {
    int& option = *PlayerMenu::ToggledOption(settings, id);
    option = option ? 0 : 1;
    if (id == IDM_ALWAYS_ON_TOP) SetTopMost(option);
    if (id == IDM_SHOW_TOOLTIPS) tips->Enable(option);
}

// The first press opens the door; a press while it is open and empty closes it again.
void MainForm::Eject() {
    if (doorOpened && !cdAudio->IsMediaPresent()) {
        cdAudio->SetDoor(0);
        doorOpened = 0;
    } else {
        cdAudio->SetDoor(1);
        doorOpened = 1;
    }
}

void MainForm::ShowPlaylist(int show) {
    playlist->Show(show);
    settings.showPlaylist = show;
}

// A page of -1 keeps the start page as the last dialog left it: the first tab.
void MainForm::ShowOptions(int startPage) {
    DlgMain::Run(instance, hwnd, startPage >= 0 ? startPage : DlgMain::startPage, this);
}

void MainForm::EnableTips(int on) {
    if (tips) tips->Enable(on);
}

LRESULT MainForm::OnContextMenu(int, int, HWND) {
    PlayerMenu menu(instance, settings);
    if (!menu.Popup()) return 0;
    // Signed: a screen left of the main one has negative coordinates; -1, -1 is the menu key.
    POINT at = {GET_X_LPARAM(current.lParam), GET_Y_LPARAM(current.lParam)};
    if (at.x == -1 && at.y == -1) {
        at = {titleRect.x * scale, (titleRect.y + titleRect.height) * scale};
        ClientToScreen(hwnd, &at);
    }
    // Owned by the player even over a control, so that every entry reaches OnCommand.
    TrackPopupMenu(menu.Popup(), TPM_LEFTBUTTON, at.x, at.y, 0, hwnd, nullptr);
    return 0;
}

// ---- Minimize, tray and keys ----

// The flag is set once the playlist is hidden: hiding an active playlist activates the
// player, whose focus handler would bring the playlist straight back.
void MainForm::MinimizePlayer() {
    const int playlistShown = playlist->IsVisible() ? 1 : 0;
    playlist->Show(0);
    if (settings.minimizeToTray) {
        playlistHidden = playlistShown;
        if (PutInTray()) return;
    } else if (settings.showPlaylist) {
        playlistHidden = 1;
    }
    Minimize();
}

// Without a tray icon the player must never be out of reach: it stays on screen, and the
// caller puts it on the taskbar instead.
// The tray takes an icon of its own, which it destroys; a shared one must never be destroyed.
bool MainForm::PutInTray() {
    HICON icon = static_cast<HICON>(LoadImageA(instance, "TRAY_ICON", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    inTray = AddTrayIcon(trayIconId, icon, trayTip) ? 1 : 0;
    if (!inTray) Show(1);
    return inTray != 0;
}

void MainForm::RestoreFromTray() {
    RemoveTrayIcon(trayIconId);
    inTray = 0;
    SetForegroundWindow(hwnd);
    if (playlistHidden) {
        playlist->Show(1);
        playlistHidden = 0;
    }
}

// Out of the tray or the taskbar, with the playlist when it went away with the player.
void MainForm::BringToFront() {
    if (inTray) {
        RestoreFromTray();
        return;
    }
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

LRESULT MainForm::OnTrayNotify(LPARAM mouseMessage, WPARAM) {
    if (mouseMessage == WM_LBUTTONDOWN) RestoreFromTray();
    return 0;
}

LRESULT MainForm::OnKeyDown(WPARAM key, LPARAM) {
    if (key == VK_ESCAPE) {
        if (settings.escMinimize) SendMessageA(hwnd, WM_COMMAND, IDC_PLAYER_BUTTON + btMinimize, 0);
        return 0;
    }
    PressKeyButton(key, 1);
    return 0;
}

LRESULT MainForm::OnKeyUp(WPARAM key, LPARAM) {
    PressKeyButton(key, 0);
    return 0;
}

// The key works the button as the mouse would, so the command runs on the release.
void MainForm::PressKeyButton(WPARAM key, int down) {
    const int index = KeyButton(key);
    if (index < 0 || !settings.keyShortcuts) return;
    WButton& button = buttons[index];
    button.SetCheck(down);
    SendMessageA(button.hwnd, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, MK_LBUTTON, 0);
    RedrawWindow(button.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Play/pause plays a stopped disc and pauses or resumes one that plays.
LRESULT MainForm::OnMediaCommand(int appCommand) {
    PlaybackEngine* engine = playbackEngine;
    const bool playing = cdAudio && (cdAudio->IsPlaying() || (engine && engine->paused));
    // clang-format off
    switch (appCommand) {
    case APPCOMMAND_MEDIA_PLAY_PAUSE:     RunButtonCommand(IDC_PLAYER_BUTTON + (playing ? btPause : btPlay)); return TRUE;
    case APPCOMMAND_MEDIA_STOP:           RunButtonCommand(IDC_PLAYER_BUTTON + btStop); return TRUE;
    case APPCOMMAND_MEDIA_NEXTTRACK:      RunButtonCommand(IDC_PLAYER_BUTTON + btNext); return TRUE;
    case APPCOMMAND_MEDIA_PREVIOUSTRACK:  RunButtonCommand(IDC_PLAYER_BUTTON + btPrev); return TRUE;
    default:                              return DefaultProc();
    }
    // clang-format on
}

// A key another program holds already stays with it; the focused player still hears it.
void MainForm::RegisterMediaKeys() {
    for (const MediaKey& key : mediaKeys)
        RegisterHotKey(hwnd, key.hotKeyId, 0, key.virtualKey);
}

void MainForm::UnregisterMediaKeys() {
    for (const MediaKey& key : mediaKeys)
        UnregisterHotKey(hwnd, key.hotKeyId);
}

void MainForm::RememberOwnOutput() {
    if (!virtualDrive) return;
    settings.outputLeft = int(virtualDrive->LeftVolume());
    settings.outputRight = int(virtualDrive->RightVolume());
    settings.outputMute = virtualDrive->Muted() ? 1 : 0;
}

// The windows' destruction saves the settings, and the playlist window, owned and so destroyed
// first, its place and the disc's order: each file is replaced once for all of them.
LRESULT MainForm::OnClose() {
    WIniKey::Batch settingsSave(settingsFile), discSave(discFile);
    return DefaultProc();
}

// The session ends without destroying any window: what OnDestroy would save is saved now.
LRESULT MainForm::OnEndSession(WPARAM ending) {
    if (!ending) return 0;
    WIniKey::Batch settingsSave(settingsFile);
    DeleteTrayIcon(trayIconId);
    RememberOwnOutput();
    SaveSettings(hwnd);
    SavePlayerPosition(hwnd);
    playlist->SavePlace();
    if (playbackEngine) playbackEngine->SaveDiscOrder();
    if (settings.stopOnExit && cdAudio) cdAudio->Stop();
    return 0;
}

// ---- Seek and volume sliders ----

LRESULT MainForm::OnHScroll(int id, int request, int position, HWND) {
    if (PlayerSlider(id, sbPos)) OnSeekSlider(request, position);
    return 0;
}

LRESULT MainForm::OnVScroll(int id, int request, int position, HWND) {
    if (PlayerSlider(id, sbLVolume) || PlayerSlider(id, sbRVolume) || PlayerSlider(id, sbMVolume))
        OnVolumeSlider(id, request, position);
    return 0;
}

// While the thumb is dragged no status tick runs, so neither it nor the time jumps back.
void MainForm::OnSeekSlider(int request, int position) {
    PlaybackEngine* engine = playbackEngine;
    if (!engine) return;
    if (request == SB_THUMBPOSITION) {
        engine->SeekTo(position);
        seekHold.reset();
        return;
    }
    if (request != SB_THUMBTRACK) return;
    if (!seekHold) seekHold.emplace(engine->HoldTicks());
    sliders[sbPos].SetPosition(position, 1);
    long long shown = settings.elapsedTime ? position : (long long)engine->trackLength - position;
    if (shown < 0) shown = 0;
    char text[32];
    snprintf(text, sizeof text, "%02i:%02i", int(shown / 60), int(shown % 60));
    displays.SetText(Display::Position, text);
}

void MainForm::OnVolumeSlider(int id, int request, int position) {
    if (request != SB_THUMBTRACK) {
        // The next status tick writes its own text again.
        if (playbackEngine) playbackEngine->volumeText = 0;
        return;
    }
    const int lock = settings.lockVolume;
    if (PlayerSlider(id, sbLVolume)) {
        sliders[sbLVolume].SetPosition(position, 1);
        const int right = sliders[sbRVolume].GetPosition();
        sliders[sbRVolume].SetPosition(mixerPanel.DragLeft(position, right, lock), 1);
    } else if (PlayerSlider(id, sbRVolume)) {
        sliders[sbRVolume].SetPosition(position, 1);
        const int left = sliders[sbLVolume].GetPosition();
        sliders[sbLVolume].SetPosition(mixerPanel.DragRight(position, left, lock), 1);
    } else {
        sliders[sbMVolume].SetPosition(position, 1);
        mixerPanel.DragMaster(position);
    }
    ShowVolume(position);
}

void MainForm::ShowVolume(int position) {
    char text[32];
    snprintf(text, sizeof text, "Volume: %i", VolumeScale::PercentFromPosition(position));
    displays.SetText(Display::Status, text);
    if (playbackEngine) playbackEngine->volumeText = 1;
}

void MainForm::JoinChannels() {
    const int left = sliders[sbLVolume].GetPosition(), right = sliders[sbRVolume].GetPosition();
    const int joined = mixerPanel.LockChannels(left, right);
    sliders[sbLVolume].SetPosition(joined, 1);
    sliders[sbRVolume].SetPosition(joined, 1);
}

// ---- Dragging the window by its background ----

LRESULT MainForm::OnButtonDown(WPARAM keys, int x, int y) {
    if (keys != MK_LBUTTON) return 0;
    pressPoint = {x, y};
    RECT player = {}, list = {};
    GetWindowRect(&player);
    playlist->GetWindowRect(&list);
    docked = settings.snapWindow && WindowSnap::Touching(player, list, settings.snapPixel * scale);
    playlistOffset = {list.left - player.left, list.top - player.top};
    SetCapture(hwnd);
    return 0;
}

// Only a drag that began with a press here moves the window. The halves of the message are
// signed here: under the capture the cursor may stand left of or above the window.
LRESULT MainForm::OnMouseMove(WPARAM keys, int x, int y) {
    if (keys != MK_LBUTTON || GetCapture() != hwnd) return 0;
    POINT cursor = {static_cast<short>(x), static_cast<short>(y)};
    ClientToScreen(hwnd, &cursor);
    POINT to = {cursor.x - pressPoint.x, cursor.y - pressPoint.y};
    RECT player = {}, list = {};
    GetWindowRect(&player);
    playlist->GetWindowRect(&list);
    if (settings.snapWindow && !docked)
        to = WindowSnap::Snap(player, list, to, settings.snapPixel * scale);
    SetPosition(to.x, to.y);
    if (docked) playlist->SetPosition(to.x + playlistOffset.x, to.y + playlistOffset.y);
    return 0;
}

LRESULT MainForm::OnButtonUp(WPARAM, int, int) {
    if (GetCapture() == hwnd) ReleaseCapture();
    return 0;
}

LRESULT MainForm::OnDestroy() {
    seekHold.reset();
    UnregisterMediaKeys();
    DeleteTrayIcon(trayIconId);
    RememberOwnOutput();
    SaveSettings(hwnd);
    if (playlist) DestroyWindow(playlist->hwnd);
    // The engine's playlist and displays go with the windows.
    if (playbackEngine) playbackEngine->AttachViews(nullptr, nullptr);
    playlist.reset();
    for (WButton& button : buttons)
        DestroyWindow(button.hwnd);
    for (WScrollbar& slider : sliders)
        DestroyWindow(slider.hwnd);
    for (WTextBox& box : textBoxes)
        DestroyWindow(box.hwnd);
    font.reset();
    if (theApp) theApp->Quit();
    return 0;
}
