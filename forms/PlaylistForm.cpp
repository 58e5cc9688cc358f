#include "forms/PlaylistForm.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WApp.h"
#include "dialogs/AddSong.h"
#include "devices/WMCIAudioCD.h"
#include "dialogs/EditPlaylist.h"
#include "forms/DiscImageMount.h"
#include "forms/WindowSnap.h"
#include "gfx/GdiHandles.h"
#include "gfx/WBmpList.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"
#include "skin/SkinValues.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTooltip.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int playlistSlot = 5; // playlist.bmp
constexpr int titleValueCount = 8, otherValueCount = 6;
constexpr int sliderValueCount = 12;
constexpr int sliderStyle =
    WScrollbar::skinned | WScrollbar::vertical | WScrollbar::opaque | WScrollbar::tiledTrack;
constexpr int listStyle = WListBox::bitmapText | WListBox::tiledBackground;
constexpr int buttonStyle = WButton::skinned | 2; // flag 2 is carried along and means nothing
constexpr int textIndent = 5;
constexpr int onScreenMargin = 10; // pixels that always stay reachable at the left and top
constexpr int gripSize = 15;       // the bottom-right square that resizes

int ValueCount(int piece) {
    return piece < PlaylistForm::bottomLeft ? titleValueCount : otherValueCount;
}

// The piece's values in the table, for the const and the writing users alike.
template <class Pieces> auto PieceValues(Pieces& frame, int piece) -> decltype(&frame.top[0][0]) {
    if (piece < PlaylistForm::bottomLeft) return frame.top[piece];
    if (piece < PlaylistForm::leftBorder) return frame.bottom[piece - PlaylistForm::bottomLeft];
    return frame.sides[piece - PlaylistForm::leftBorder];
}


SourceRect RectOf(const std::int32_t* values) {
    return {values[0], values[1], values[2], values[3]};
}

} // namespace

PlaylistForm::PlaylistForm(WBmpList* bitmaps, WBmpFont* font, WTooltip* tooltip)
    : bitmaps(bitmaps), font(font), tooltipOwner(tooltip) {
}

PlaylistForm::~PlaylistForm() {
    // Destroyed here rather than by the base, the window still reaches this class's OnDestroy.
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    ReleaseControls();
}

void PlaylistForm::Create(HINSTANCE moduleInstance, HWND owner) {
    instance = moduleInstance;
    Show(instance, 1, MAKEINTRESOURCEA(IDD_PLAYLIST), owner);
}

// ---- The skin's values ----

void PlaylistForm::TakeLook(const SkinLook& look) {
    for (int piece = 0; piece < pieceCount; piece++)
        SetFramePiece(piece, look.pieces[piece]);
    SetSliderRecord(look.playlistSlider);
    SetListRecord({look.list.background, look.list.itemHeight, look.list.selectionColour,
                   look.list.markColour});
    for (int button = 0; button < buttonCount; button++)
        SetButtonRecord(button, look.playlistButtons[button]);
}

void PlaylistForm::SetFramePiece(int piece, const std::int32_t* values) {
    if (piece < 0 || piece >= pieceCount) return;
    std::copy(values, values + ValueCount(piece), PieceValues(frame, piece));
}

void PlaylistForm::SetSliderRecord(const std::int32_t* values) {
    std::copy(values, values + sliderValueCount, sliderRecord);
    if (!slider) return;
    SourceRect cells[SkinControl::cellCount];
    ThumbCells(cells);
    const SourceRect track = RectOf(&sliderRecord[8]);
    slider->SetSkin(bitmaps, playlistSlot, ThumbHeight(), &cells[0], &cells[1], &cells[2],
                    &cells[3], playlistSlot, &track, 0);
}

void PlaylistForm::SetListRecord(const ListRecord& record) {
    listRecord = record;
    if (!list.hwnd) return;
    list.SetSkin(nullptr, list.textColour, list.backColour, bitmaps, playlistSlot,
                 &listRecord.background, font, listRecord.selectionColour, listRecord.markColour);
    list.SetItemHeight(0, listRecord.itemHeight, 0);
}

void PlaylistForm::SetButtonRecord(int button, const SkinControl& control) {
    if (button < 0 || button >= buttonCount) return;
    buttonRecords[button] = control;
    const SourceRect* cells = control.cells;
    buttons[button].SetSkin(bitmaps, playlistSlot, &cells[0], &cells[1], &cells[2], &cells[3]);
}

void PlaylistForm::Relayout() {
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
}

// The window keeps its place and its size in skin pixels.
void PlaylistForm::ApplyScale(int newScale) {
    if (newScale == scale) return;
    scale = newScale;
    list.SetScale(scale);
    if (slider) slider->SetScale(scale);
    for (WButton& button : buttons)
        button.SetScale(scale);
    RECT window = {};
    ::GetWindowRect(hwnd, &window);
    PlaceAt(window.left, window.top, settings.playlistW, settings.playlistH);
    Relayout();
}

int PlaylistForm::MinimumWidth() const {
    const int title =
        PieceRect(topLeft).width + PieceRect(topMiddle).width + PieceRect(topRight).width;
    const int bottom = PieceRect(bottomLeft).width + PieceRect(bottomRight).width;
    return std::max(title, bottom);
}

int PlaylistForm::MinimumHeight() const {
    return PieceRect(topMiddle).height + PieceRect(bottomLeft).height +
           std::max(2 * ThumbHeight(), listRecord.itemHeight);
}

SourceRect PlaylistForm::PieceRect(int piece) const {
    return RectOf(PieceValues(frame, piece));
}

POINT PlaylistForm::PieceSource(int piece) const {
    const std::int32_t* values = PieceValues(frame, piece);
    const int at = piece < bottomLeft && active ? 6 : 4;
    return {values[at], values[at + 1]};
}

// The thumb strip holds four frames; the disabled thumb shows the pressed frame again.
void PlaylistForm::ThumbCells(SourceRect cells[SkinControl::cellCount]) const {
    const SourceRect strip = RectOf(&sliderRecord[4]);
    const int frameWidth = strip.width / 4;
    const int frames[SkinControl::cellCount] = {0, 1, 2, 1};
    for (int k = 0; k < SkinControl::cellCount; k++)
        cells[k] = {strip.x + frames[k] * frameWidth, strip.y, frameWidth, strip.height};
}

// ---- Creation ----

int PlaylistForm::OnInitDialog() {
    addSong = std::make_unique<AddSong>(*this, list);
    editPlaylist = std::make_unique<EditPlaylist>(*this, list);
    // The dialogs show one disc's tracks: they must never edit the next disc with them.
    entries.onDiscLeft = [this] { CloseDiscDialogs(); };
    SetWindowTextA(hwnd, "Lumivoxen CD Player");
    KeepDialogManagerFromScaling();
    CreateControls();
    PlaceAtStoredRect();
    // A disc image dropped on the playlist plays as one dropped on the player.
    DragAcceptFiles(hwnd, TRUE);
    return 0; // no control takes the focus of a window that is still hidden
}

// The skin is drawn at whole scales by this window itself; the system would stretch the
// template's controls and font by the dpi's ratio (Windows 10 1703 and later).
void PlaylistForm::KeepDialogManagerFromScaling() {
    using Behaviour = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    const auto set = reinterpret_cast<Behaviour>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set) set(hwnd, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

int PlaylistForm::OnDropFiles(HDROP drop) {
    DiscImageMount::MountDropped(hwnd, drop);
    return 0;
}


// Placed for the template's size; the stored size follows at once and lays them out again.
void PlaylistForm::CreateControls() {
    const SourceRect client = SkinClient();
    const int width = client.width, height = client.height;
    CreateList(ListPlace(width, height),
               CreateSlider(SliderPlace(width, height, PieceRect(topMiddle).height)));
    CreateButtons(width, height);
}

std::unique_ptr<WScrollbar> PlaylistForm::CreateSlider(const SourceRect& place) {
    SourceRect cells[SkinControl::cellCount];
    ThumbCells(cells);
    const SourceRect track = RectOf(&sliderRecord[8]);
    auto made = std::make_unique<WScrollbar>();
    made->Create(hwnd, sliderStyle, IDC_PLAYLIST_SLIDER, instance, place.x, place.y, place.width,
                 place.height, "", bitmaps, playlistSlot, ThumbHeight(), &cells[0], &cells[1],
                 &cells[2], &cells[3], playlistSlot, &track);
    return made;
}

// The list owns the slider; this window keeps a pointer to it while the list has it.
void PlaylistForm::CreateList(const SourceRect& place, std::unique_ptr<WScrollbar> listSlider) {
    list.Create(hwnd, listStyle, IDC_PLAYLIST_LIST, instance, place.x, place.y, place.width,
                place.height, "", nullptr, 0, 0, bitmaps, playlistSlot, &listRecord.background,
                font, listRecord.selectionColour, listRecord.markColour);
    slider = listSlider.get();
    list.AttachSlider(std::move(listSlider));
    list.SetItemHeight(0, listRecord.itemHeight, 0);
    list.SetTextIndent(textIndent, 0);
}

void PlaylistForm::CreateButtons(int width, int height) {
    for (int i = 0; i < buttonCount; i++) {
        const SourceRect place = ButtonPlace(i, width, height);
        const SourceRect* cells = buttonRecords[i].cells;
        buttons[i].Create(hwnd, buttonStyle, IDC_PLAYLIST_BUTTON + i, instance, place.x, place.y,
                          place.width, place.height, "", bitmaps, playlistSlot, &cells[0],
                          &cells[1], &cells[2], &cells[3]);
        char tip[256] = "";
        LoadStringA(instance, IDS_TIP_PLAYLIST_BUTTONS + i, tip, sizeof tip);
        buttons[i].SetTooltip(tooltipOwner, tip);
    }
}

void PlaylistForm::PlaceAtStoredRect() {
    PlaceAt(settings.playlistX, settings.playlistY, settings.playlistW, settings.playlistH);
}

void PlaylistForm::DockBelow(const RECT& player, int rows) {
    const int frameHeight = PieceRect(topMiddle).height + PieceRect(bottomRight).height;
    PlaceAt(player.left, player.bottom, (player.right - player.left) / scale,
            frameHeight + rows * listRecord.itemHeight);
}

// No smaller than the pieces, no larger than the screen, and never wholly off it. The size
// is in skin pixels, the place in screen pixels.
void PlaylistForm::PlaceAt(int wantedX, int wantedY, int wantedWidth, int wantedHeight) {
    const int width =
        std::min(std::max(wantedWidth, MinimumWidth()), GetSystemMetrics(SM_CXFULLSCREEN) / scale);
    const int height = std::min(std::max(wantedHeight, MinimumHeight()),
                                GetSystemMetrics(SM_CYFULLSCREEN) / scale);
    const int x = std::max(wantedX, onScreenMargin - width * scale);
    const int y = std::max(wantedY, onScreenMargin - height * scale);
    settings.playlistX = x;
    settings.playlistY = y;
    settings.playlistW = width;
    settings.playlistH = height;
    SetWindowPosition(nullptr, x, y, width * scale, height * scale, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Layout ----

SourceRect PlaylistForm::ListPlace(int width, int height) const {
    const int left = PieceRect(leftBorder).width, top = PieceRect(topMiddle).height;
    return {left, top, width - left - PieceRect(rightBorder).width - SliderWidth(),
            height - top - PieceRect(bottomRight).height};
}

SourceRect PlaylistForm::SliderPlace(int width, int height, int top) const {
    return {width - PieceRect(rightBorder).width - SliderWidth(), top, SliderWidth(),
            ListPlace(width, height).height};
}

// The close button keeps to the right edge, the others to the bottom edge.
SourceRect PlaylistForm::ButtonPlace(int button, int width, int height) const {
    const SourceRect& p = buttonRecords[button].placement;
    if (button == btClose) return {width - p.x - p.width, p.y, p.width, p.height};
    return {p.x, height - p.y, p.width, p.height};
}

int PlaylistForm::OnSize(WPARAM, int width, int height) {
    // The first size message comes before the controls exist.
    if (!list.hwnd) return 0;
    Layout(width / scale, height / scale, PieceRect(topRight).height);
    return 1;
}

void PlaylistForm::Layout(int width, int height, int sliderTop) {
    list.MoveTo(ListPlace(width, height), 1);
    if (slider) slider->MoveTo(SliderPlace(width, height, sliderTop), 1);
    InvalidateRect(hwnd, nullptr, FALSE);
    for (int i = 0; i < buttonCount; i++) {
        buttons[i].MoveTo(ButtonPlace(i, width, height), 0);
        RedrawWindow(buttons[i].hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    UpdateWindow(hwnd);
}

// ---- Painting ----

int PlaylistForm::OnPaint() {
    PaintDC paint(hwnd);
    const SourceRect client = SkinClient();
    const int width = client.width, height = client.height;
    // Drawn off-screen in skin pixels and enlarged in one go: the pieces overlap and must
    // not flicker.
    MemoryDC memory(paint.Get());
    BitmapHandle image(CreateCompatibleBitmap(paint.Get(), width, height));
    if (bitmaps && memory && image) {
        SelectGuard selected(memory.Get(), image.Get());
        PaintTitle(memory.Get(), width);
        PaintBottom(memory.Get(), width, height);
        PaintBorders(memory.Get(), width, height);
        WBmpList::BlitScaled(paint.Get(), width, height, memory.Get(), scale);
    }
    return 1;
}

void PlaylistForm::DrawPiece(HDC dc, int piece, int x, int y) const {
    const SourceRect size = PieceRect(piece);
    const POINT source = PieceSource(piece);
    bitmaps->DrawBitmapFrom(dc, playlistSlot, WBmpList::modeCopy, {x, y, size.width, size.height},
                            source.x, source.y, 0);
}

void PlaylistForm::TilePiece(HDC dc, int piece, const RECT& area) const {
    const SourceRect size = PieceRect(piece);
    const POINT source = PieceSource(piece);
    bitmaps->TileBitmapRect(dc, playlistSlot, WBmpList::modeCopy, area,
                            {source.x, source.y, source.x + size.width, source.y + size.height});
}

void PlaylistForm::PaintTitle(HDC dc, int width) const {
    const SourceRect left = PieceRect(topLeft), middle = PieceRect(topMiddle),
                     right = PieceRect(topRight);
    const int middleX = middle.x + (width - middle.width) / 2;
    const int rightX = right.x + width - right.width;
    DrawPiece(dc, topLeft, left.x, left.y);
    DrawPiece(dc, topRight, rightX, right.y);
    DrawPiece(dc, topMiddle, middleX, middle.y);
    TilePiece(dc, topFill, {left.width, 0, middleX, middle.height});
    TilePiece(dc, topFill, {middleX + middle.width, 0, rightX, middle.height});
}

void PlaylistForm::PaintBottom(HDC dc, int width, int height) const {
    const SourceRect left = PieceRect(bottomLeft), right = PieceRect(bottomRight);
    const int leftY = left.y + height - left.height;
    const int rightX = right.x + width - right.width;
    DrawPiece(dc, bottomLeft, left.x, leftY);
    DrawPiece(dc, bottomRight, rightX, right.y + height - right.height);
    TilePiece(dc, bottomFill, {left.width, leftY, rightX, height});
}

void PlaylistForm::PaintBorders(HDC dc, int width, int height) const {
    const SourceRect lowerLeft = PieceRect(bottomLeft), lowerRight = PieceRect(bottomRight);
    const int leftWidth = PieceRect(leftBorder).width;
    const int rightWidth = PieceRect(rightBorder).width;
    TilePiece(dc, leftBorder,
              {0, PieceRect(topLeft).height, leftWidth, lowerLeft.y + height - lowerLeft.height});
    TilePiece(dc, rightBorder,
              {width - rightWidth, PieceRect(topRight).height, width,
               lowerRight.y + height - lowerRight.height});
}

// ---- Commands ----

int PlaylistForm::OnCommand(int notification, int id, HWND) {
    // clang-format off
    switch (id) {
    case IDC_PLAYLIST_BUTTON + btAdd:      addSong->Open(instance, hwnd); return 1;
    case IDC_PLAYLIST_BUTTON + btDelete:   DeleteSelected(); return 1;
    case IDC_PLAYLIST_BUTTON + btEdit:     editPlaylist->Open(instance, hwnd); return 1;
    case IDC_PLAYLIST_BUTTON + btSongup:   MoveSelected(-1); return 1;
    case IDC_PLAYLIST_BUTTON + btSongdown: MoveSelected(+1); return 1;
    case IDC_PLAYLIST_BUTTON + btClose:    HideWindow(); return 1;
    case IDC_PLAYLIST_LIST:
        if (notification == LBN_DBLCLK) PlaySelected();
        return 1;
    default:                               return 0;
    }
    // clang-format on
}

// The entry being played stays: deleting it is refused with a beep.
void PlaylistForm::DeleteSelected() {
    const int selected = list.GetSelection();
    if (selected == list.GetMarked()) {
        MessageBeep(static_cast<UINT>(-1));
        return;
    }
    if (selected < 0) return;
    list.DeleteItem(selected, 1);
    list.SetSelection(selected, 1);
}

void PlaylistForm::MoveSelected(int delta) {
    const int selected = list.GetSelection();
    if (selected < 0) return;
    const int moved = list.MoveSelected(selected, delta, 1);
    if (moved >= 0) list.SetSelection(moved, 1);
}

void PlaylistForm::HideWindow() {
    Show(0);
    settings.showPlaylist = 0;
    if (playlistButton) playlistButton->SetCheck(0);
}

void PlaylistForm::PlaySelected() {
    const int selected = list.GetSelection();
    if (selected < 0 || !playbackEngine) return;
    list.SetMarked(selected, 1);
    playbackEngine->PrepareStart(static_cast<int>(list.GetItemData(selected)));
    playbackEngine->PlayCurrent();
}

// ---- What the playlist dialogs ask ----

std::string PlaylistForm::ReadDisc(int* audioTracks) const {
    const bool read = playbackEngine && playbackEngine->discRead && cdAudio;
    *audioTracks = read ? static_cast<int>(cdAudio->audioTrackCount) : 0;
    return read ? cdAudio->discId : "";
}

const DiscDatabase& PlaylistForm::Database() const {
    return playbackEngine->Database();
}

void PlaylistForm::SaveDiscOrder() {
    if (playbackEngine) playbackEngine->SaveDiscOrder();
}

void PlaylistForm::SaveDiscNames(const char* artist, const char* title, const char* const* names,
                                 int count) {
    if (playbackEngine) playbackEngine->SaveDiscNames(artist, title, names, count);
}

// The order the user built is in the file by now, so the rebuilt list keeps it.
void PlaylistForm::ReloadPlaylist() {
    if (!playbackEngine) return;
    const int marked = list.GetMarked() < 0 ? 0 : list.GetMarked();
    list.Clear(0);
    playbackEngine->LoadDiscEntry();
    list.SetMarked(marked, 1);
    playbackEngine->ShowTrackNameNow();
}

void PlaylistForm::RegisterDialog(HWND dialog, bool registered) {
    if (!theApp) return;
    if (registered)
        theApp->AddDialog(dialog);
    else
        theApp->RemoveDialog(dialog);
}

// ---- Moving and resizing ----

int PlaylistForm::OnButtonDown(WPARAM keys, int x, int y) {
    if (keys != MK_LBUTTON) return 0;
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    pressPoint = {x, y};
    cornerDistance = {client.right - x, client.bottom - y};
    resizing = x >= client.right - gripSize * scale && y >= client.bottom - gripSize * scale;
    SetCapture(hwnd);
    return 1;
}

// Only a drag that began with a press here moves or sizes the window. The halves of the
// message are signed here: under the capture the cursor may stand left of or above it.
int PlaylistForm::OnMouseMove(WPARAM keys, int x, int y) {
    if (keys != MK_LBUTTON || GetCapture() != hwnd) return 0;
    POINT cursor = {static_cast<short>(x), static_cast<short>(y)};
    if (resizing) {
        ResizeTo(cursor);
        return 1;
    }
    ClientToScreen(hwnd, &cursor);
    MoveWindowTo(cursor);
    return 1;
}

int PlaylistForm::OnButtonUp(WPARAM, int, int) {
    if (GetCapture() == hwnd) ReleaseCapture();
    return 1;
}

void PlaylistForm::ResizeTo(POINT cursor) {
    const int width = std::max(MinimumWidth(), int(cursor.x + cornerDistance.x) / scale);
    const int height = std::max(MinimumHeight(), int(cursor.y + cornerDistance.y) / scale);
    settings.playlistW = width;
    settings.playlistH = height;
    SetWindowPosition(nullptr, 0, 0, width * scale, height * scale,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaylistForm::MoveWindowTo(POINT cursorOnScreen) {
    POINT to = {cursorOnScreen.x - pressPoint.x, cursorOnScreen.y - pressPoint.y};
    HWND player = GetWindow(hwnd, GW_OWNER);
    RECT self = {}, playerRect = {};
    if (settings.snapWindow && player && ::GetWindowRect(player, &playerRect) &&
        ::GetWindowRect(hwnd, &self))
        to = WindowSnap::Snap(self, playerRect, to, settings.snapPixel * scale);
    SetPosition(to.x, to.y);
}

// ---- Activation, visibility, destruction ----

void PlaylistForm::InvalidateTitle() {
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    const RECT title = {0, 0, client.right, PieceRect(topMiddle).height * scale};
    InvalidateRect(hwnd, &title, FALSE);
}

int PlaylistForm::OnActivate() {
    active = 1;
    InvalidateTitle();
    // The two windows come to the front together.
    if (HWND owner = GetWindow(hwnd, GW_OWNER))
        ::SetWindowPos(owner, hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

int PlaylistForm::OnDeactivate() {
    active = 0;
    InvalidateTitle();
    return 0;
}

int PlaylistForm::OnShowWindow(WPARAM shown, LPARAM) {
    if (playlistButton) playlistButton->SetCheck(shown ? 1 : 0);
    return 0;
}

void PlaylistForm::SavePlace() {
    RECT window = {};
    ::GetWindowRect(hwnd, &window);
    settings.playlistX = window.left;
    settings.playlistY = window.top;
    settings.playlistW = (window.right - window.left) / scale;
    settings.playlistH = (window.bottom - window.top) / scale;
    SavePlaylistPlace();
}

void PlaylistForm::CloseDiscDialogs() {
    if (addSong && addSong->IsOpen()) addSong->Close();
    if (editPlaylist && editPlaylist->IsOpen()) editPlaylist->Close();
}

int PlaylistForm::OnDestroy() {
    SavePlace();
    SaveDiscOrder();
    ReleaseControls();
    // Owned windows go before their owner; a dialog still open would go with its object.
    addSong.reset();
    editPlaylist.reset();
    return 0;
}

// The controls are members: their windows go, and the list takes its slider along.
void PlaylistForm::ReleaseControls() {
    for (WButton& button : buttons) {
        if (!button.hwnd) continue;
        button.SetTooltip(nullptr, nullptr);
        DestroyWindow(button.hwnd);
        button.hwnd = nullptr;
    }
    list.AttachSlider(nullptr);
    slider = nullptr;
    if (list.hwnd) DestroyWindow(list.hwnd);
    list.hwnd = nullptr;
}
