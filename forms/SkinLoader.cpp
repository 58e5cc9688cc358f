#include "forms/SkinLoader.h"

#include "app/Settings.h"
#include "app/WApp.h"
#include "app/Globals.h"
#include "app/OwnedHandle.h"
#include "app/ProfileText.h"
#include "app/WIniKey.h"
#include "forms/MainForm.h"
#include "forms/PlaylistForm.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "res/resource.h"
#include "skin/BuiltinRecords.h"
#include "skin/FontIniText.h"
#include "skin/MaskRegion.h"
#include "skin/RegionData.h"
#include "skin/SkinControl.h"
#include "skin/SkinValues.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const buttonKeys[] = {"btPrev",       "btPlay",       "btPause",        "btStop",
                                  "btNext",       "btEject",      "btShowPlaylist", "btShowOptions",
                                  "btLockVolume", "btMuteVolume", "btMinimize",     "btClose"};
const char* const sliderKeys[] = {"sbPos", "sbLVolume", "sbRVolume", "sbMVolume"};
const char* const textKeys[] = {"tbPosition", "tbTrackLength", "tbArtist",
                                "tbAlbum",    "tbTrackName",   "tbStatus"};
const char* const pieceKeys[] = {"topleft",    "topmiddle",  "topright",
                                 "topfill",    "bottomleft", "bottomright",
                                 "bottomfill", "leftborder", "rightborder"};
const char* const playlistButtonKeys[] = {"btAdd",    "btDelete",   "btEdit",
                                          "btSongup", "btSongdown", "btClose"};

const char* const mainWindowMessage =
    "Invalid data in %s\r\n\r\n[mainwindow]\r\n%s= .... invalid data ....";
const char* const playlistMessage =
    "Invalid data in %s\r\n\r\n[playlistwindow]\r%s= ... invalid data ...";

// The platform's bitmap loader trusts the file's headers and reads past the end of a cut
// file: each bitmap is read through our own reader first, which refuses truncated, huge
// and unusual files (compressed, 16 bits per pixel) instead.
bool LoadableBitmap(const std::string& path) {
    std::string bytes;
    return OwnedHandle::ReadWholeFile(path.c_str(), SkinLoader::maxBitmapFile, bytes) &&
           MaskRegion(bytes).Valid();
}

// No window of the program can be larger than the whole desktop, nor lie farther off it: a
// value beyond that is a broken skin, not a layout.
bool Sensible(const SourceRect& r) {
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return r.width >= 0 && r.height >= 0 && r.width <= cx && r.height <= cy && r.x >= -cx &&
           r.x <= cx && r.y >= -cy && r.y <= cy;
}

SourceRect RectOf(const std::int32_t* v) {
    return {v[0], v[1], v[2], v[3]};
}

} // namespace

// ---- Folder skins ----

int SkinLoader::LoadFolder(const char* name) {
    folder = form.SkinsRoot() + "\\" + (name ? name : "");
    HideWindows();
    if (!LoadBitmaps()) return 0;
    WIniKey ini(PathOf("skin.ini").c_str());
    if (!LoadMainWindow(ini) || !LoadButtons(ini) || !LoadSliders(ini) || !LoadFont() ||
        !LoadTextBoxes(ini) || !LoadPlaylistFrame(ini) || !LoadPlaylistSlider(ini) ||
        !LoadPlaylistList(ini) || !LoadPlaylistButtons(ini) || !LoadRegion(ini))
        return 0;
    Finish(name, mainRect.width, mainRect.height);
    return 1;
}

bool SkinLoader::Fail(const char* format, const std::string& first, const char* second) {
    std::vector<char> text(first.size() + 512);
    snprintf(text.data(), text.size(), format, first.c_str(), second ? second : "");
    MainForm::showSkinError(text.data());
    return false;
}

// A path that does not fit names no file: it fails to load like a missing one.
std::string SkinLoader::PathOf(const char* file) const {
    std::string path = folder + "\\" + file;
    return path.size() < MAX_PATH ? path : std::string();
}

bool SkinLoader::ReadValues(const WIniKey& ini, const char* section, const char* key, int count,
                            std::int32_t* values) const {
    char text[1000] = "";
    ini.ReadString(section, key, text, sizeof text);
    return SkinValues::ReadIntegers(text, count, values);
}

bool SkinLoader::LoadBitmaps() {
    const std::pair<int, const char*> files[] = {{0, "main.bmp"},
                                                 {1, "titlebar.bmp"},
                                                 {2, "cbuttons.bmp"},
                                                 {3, "scroll.bmp"},
                                                 {5, "playlist.bmp"}};
    for (const auto& [slot, file] : files) {
        const std::string path = PathOf(file);
        if (!LoadableBitmap(path) || form.bitmaps->ReplaceBitmapF(slot, path.c_str(), nullptr) < 0)
            return Fail("Can't load bitmap %s", folder + "\\" + file);
    }
    return true;
}

bool SkinLoader::LoadMainWindow(const WIniKey& ini) {
    const std::string path = folder + "\\skin.ini";
    std::int32_t v[4];
    if (!ReadValues(ini, "mainwindow", "main", 4, v) || !Sensible(RectOf(v)) || v[2] < 1 ||
        v[3] < 1)
        return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r\nmain= .... invalid data ....", path);
    mainRect = RectOf(v);
    form.mainRect = mainRect;
    if (!ReadValues(ini, "mainwindow", "titlebar", 4, v) || !Sensible(RectOf(v)))
        return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r\ntitlebar= .... invalid data ....",
                    path);
    form.titleRect = RectOf(v);
    return true;
}

bool SkinLoader::LoadButtons(const WIniKey& ini) {
    for (int i = 0; i < MainForm::buttonCount; i++) {
        std::int32_t v[8];
        if (!ReadValues(ini, "mainwindow", buttonKeys[i], 8, v) || !Sensible(RectOf(v)))
            return Fail(mainWindowMessage, folder + "\\skin.ini", buttonKeys[i]);
        SkinControl c = SkinControl::FromValues(v);
        WButton& button = form.buttons[i];
        button.SetSkin(form.bitmaps, 2, &c.cells[0], &c.cells[1], &c.cells[2], &c.cells[3]);
        button.MoveTo(c.placement, 1);
        button.UpdateTooltipRect();
    }
    return true;
}

bool SkinLoader::LoadSliders(const WIniKey& ini) {
    for (int i = 0; i < MainForm::sliderCount; i++) {
        std::int32_t v[8];
        if (!ReadValues(ini, "mainwindow", sliderKeys[i], 8, v) || !Sensible(RectOf(v)))
            return Fail(mainWindowMessage, folder + "\\skin.ini", sliderKeys[i]);
        SkinControl c = SkinControl::FromValues(v);
        const int thumbLength = i == MainForm::sbPos ? c.cells[0].width : c.strip.height;
        WScrollbar& slider = form.sliders[i];
        slider.SetSkin(form.bitmaps, 3, thumbLength, &c.cells[0], &c.cells[1], &c.cells[2],
                       &c.cells[3], 0, &c.placement, 0);
        slider.MoveTo(c.placement, 1);
        slider.UpdateTooltipRect();
    }
    return true;
}

bool SkinLoader::LoadFont() {
    const std::string path = folder + "\\font.ini";
    WIniKey ini(PathOf("font.ini").c_str());
    char text[1000] = "";
    std::uint32_t rrggbb = 0;
    ini.ReadString("font", "bgColor", text, sizeof text);
    if (!SkinValues::ReadColour(text, rrggbb))
        return Fail("Invalid data in %s\r\n\r\n[font]\r\nbgColor= .. invalid color data ..", path);
    const std::string bitmap = PathOf("font.bmp");
    if (!LoadableBitmap(bitmap) || form.bitmaps->ReplaceBitmapMaskedF(
                                       4, bitmap.c_str(), SkinValues::PlatformColour(rrggbb)) < 0)
        return Fail("Can't load bitmap %s", folder + "\\font.bmp");
    // Glyph rows of no height, or taller than any screen, are no font.
    int height = 0;
    if (ini.ReadString("font", "height", text, sizeof text) > 0)
        height = ProfileText::DecimalValue(text);
    if (height < 1 || height > GetSystemMetrics(SM_CYVIRTUALSCREEN))
        return Fail("Invalid data in %s\r\n\r\n[font]\r\nheight= ... invalid data ...", path);
    std::string bytes;
    FontIniText fontIni(
        OwnedHandle::ReadWholeFile(path.c_str(), maxTextFile, bytes) ? bytes : std::string());
    if (!fontIni.Valid())
        return Fail("Invalid data in %s\r\n\r\nTextmap must end with 2 newlines before \n[font]",
                    path);
    form.font->SetFont(form.bitmaps, 4, fontIni.Map().c_str(), height);
    return true;
}

bool SkinLoader::LoadTextBoxes(const WIniKey& ini) {
    for (int i = 0; i < MainForm::textCount; i++) {
        std::int32_t v[4];
        if (!ReadValues(ini, "mainwindow", textKeys[i], 4, v) || !Sensible(RectOf(v)))
            return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r%s= ... invalid data ...",
                        folder + "\\skin.ini", textKeys[i]);
        const SourceRect placement = RectOf(v);
        WTextBox& box = form.textBoxes[i];
        box.SetSkin(nullptr, 0, 0, form.bitmaps, 0, &placement, form.font, 0);
        box.MoveTo(placement, 1);
        box.UpdateTooltipRect();
    }
    return true;
}

bool SkinLoader::LoadPlaylistFrame(const WIniKey& ini) {
    for (int i = 0; i < PlaylistForm::pieceCount; i++) {
        const int count = i < PlaylistForm::bottomLeft ? 8 : 6;
        std::int32_t v[8];
        if (!ReadValues(ini, "playlistwindow", pieceKeys[i], count, v) || !Sensible(RectOf(v)))
            return Fail(playlistMessage, folder + "\\skin.ini", pieceKeys[i]);
        form.playlist->SetFramePiece(i, v);
    }
    return true;
}

bool SkinLoader::LoadPlaylistSlider(const WIniKey& ini) {
    const std::string path = folder + "\\skin.ini";
    char text[1000] = "";
    ini.ReadString("playlistwindow", "sbListBox", text, sizeof text);
    SkinValues::ScrollbarValues values;
    SkinValues::Check check = SkinValues::ReadScrollbar(text, values);
    if (check == SkinValues::Check::badBackgroundSize)
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nsbListBox=0,0,pw,0, "
                    "tbx,tby,tbw,tbh, bgx, bgy, bgw, bgh\r\n\r\nbgw and bgh must be > 0",
                    path);
    std::int32_t v[12];
    if (check != SkinValues::Check::ok || !SkinValues::ReadIntegers(text, 12, v) || v[2] < 0 ||
        v[2] > GetSystemMetrics(SM_CXVIRTUALSCREEN))
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nsbListBox= ... invalid data ...",
                    path);
    form.playlist->SetSliderRecord(v);
    return true;
}

bool SkinLoader::LoadPlaylistList(const WIniKey& ini) {
    const std::string path = folder + "\\skin.ini";
    char text[1000] = "";
    ini.ReadString("playlistwindow", "lbPlaylist", text, sizeof text);
    SkinValues::ListValues values;
    switch (text[0] ? SkinValues::ReadList(text, values) : SkinValues::Check::invalidData) {
    case SkinValues::Check::ok: break;
    case SkinValues::Check::invalidColourData:
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nlbPlaylist= ... invalid color "
                    "data ...",
                    path);
    case SkinValues::Check::badBackgroundSize:
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nlbPlaylist=bgx, bgy, bgw, bgh, "
                    "......\r\n\r\nbgw and bgh must be > 0",
                    path);
    default:
        return Fail(
            "Invalid data in %s\r\n\r\n[playlistwindow]\r\nlbPlaylist= ... invalid data ...", path);
    }
    if (values.itemHeight < 1 || values.itemHeight > GetSystemMetrics(SM_CYVIRTUALSCREEN))
        return Fail(
            "Invalid data in %s\r\n\r\n[playlistwindow]\r\nlbPlaylist= ... invalid data ...", path);
    form.playlist->SetListRecord(
        {values.background, values.itemHeight, values.selectionColour, values.currentTrackColour});
    return true;
}

bool SkinLoader::LoadPlaylistButtons(const WIniKey& ini) {
    for (int i = 0; i < PlaylistForm::buttonCount; i++) {
        std::int32_t v[8];
        if (!ReadValues(ini, "playlistwindow", playlistButtonKeys[i], 8, v) || !Sensible(RectOf(v)))
            return Fail(playlistMessage, folder + "\\skin.ini", playlistButtonKeys[i]);
        form.playlist->SetButtonRecord(i, SkinControl::FromValues(v));
    }
    return true;
}

// Without a region the window is rectangular again.
bool SkinLoader::LoadRegion(const WIniKey& ini) {
    int useRegion = 0;
    if (!ini.ReadInt("region", "useregion", &useRegion) || useRegion == 0) {
        SetWindowRgn(form.hwnd, nullptr, FALSE);
        return true;
    }
    const std::string path = folder + "\\region.rgn";
    const OwnedHandle file = OwnedHandle::OpenForReading(PathOf("region.rgn").c_str());
    if (!file.Valid()) return Fail("Can't load region file %s", path);
    std::string bytes;
    if (!file.ReadAll(maxTextFile, bytes) || !RegionData(bytes).Valid())
        return Fail("Invalid region data in %s", path);
    HRGN region = ExtCreateRegion(nullptr, DWORD(bytes.size()),
                                  reinterpret_cast<const RGNDATA*>(bytes.data()));
    if (!region) return Fail("Invalid region data in %s", path);
    // The window owns the region once it is set.
    if (!SetWindowRgn(form.hwnd, region, FALSE)) DeleteObject(region);
    return true;
}

// ---- Both loaders ----

void SkinLoader::HideWindows() {
    form.Show(0);
    form.playlist->Show(0);
}

void SkinLoader::Finish(const char* name, int width, int height) {
    form.SetSize(width, height, 0);
    form.PlaceForSkin();
    InvalidateRect(form.hwnd, nullptr, FALSE);
    form.playlist->Relayout();
    snprintf(settings.skinName, sizeof settings.skinName, "%s", name);
    form.ShowWindows();
}

// ---- The built-in skin ----

int SkinLoader::LoadBuiltin() {
    HINSTANCE instance = form.instance;
    HideWindows();
    SetWindowRgn(form.hwnd, nullptr, FALSE);
    form.bitmaps->ReplaceBitmap(0, instance, IDB_SKIN_MAIN, 0);
    form.bitmaps->ReplaceBitmap(1, instance, IDB_SKIN_TITLEBAR, 0);
    std::vector<std::int32_t> rects = BuiltinRecords::Integers(instance, IDR_SKIN_MAIN_RECTS);
    rects.resize(8, 0);
    mainRect = RectOf(&rects[0]);
    form.mainRect = mainRect;
    form.titleRect = RectOf(&rects[4]);
    form.SetSize(mainRect.width, mainRect.height, 0);
    BuiltinControls();
    BuiltinPlaylist();
    Finish(".", mainRect.width, mainRect.height);
    return 1;
}

void SkinLoader::BuiltinControls() {
    HINSTANCE instance = form.instance;
    form.bitmaps->ReplaceBitmap(2, instance, IDB_SKIN_CBUTTONS, 0);
    std::vector<std::int32_t> buttons = BuiltinRecords::Integers(instance, IDR_SKIN_BUTTONS);
    buttons.resize(MainForm::buttonCount * 8, 0);
    for (int i = 0; i < MainForm::buttonCount; i++) {
        SkinControl c = SkinControl::FromValues(&buttons[size_t(i) * 8]);
        form.buttons[i].SetSkin(form.bitmaps, 2, &c.cells[0], &c.cells[1], &c.cells[2],
                                &c.cells[3]);
        form.buttons[i].MoveTo(c.placement, 0);
        form.buttons[i].UpdateTooltipRect();
    }
    form.bitmaps->ReplaceBitmap(3, instance, IDB_SKIN_SCROLL, 0);
    std::vector<std::int32_t> sliders = BuiltinRecords::Integers(instance, IDR_SKIN_SLIDERS);
    sliders.resize(MainForm::sliderCount * 8, 0);
    for (int i = 0; i < MainForm::sliderCount; i++) {
        SkinControl c = SkinControl::FromValues(&sliders[size_t(i) * 8]);
        const int thumbLength = i == MainForm::sbPos ? c.cells[0].width : c.strip.height;
        form.sliders[i].SetSkin(form.bitmaps, 3, thumbLength, &c.cells[0], &c.cells[1], &c.cells[2],
                                &c.cells[3], 0, &c.placement, 0);
        form.sliders[i].MoveTo(c.placement, 0);
        form.sliders[i].UpdateTooltipRect();
    }
    form.bitmaps->ReplaceBitmapMasked(4, instance, IDB_SKIN_FONT, RGB(0, 0, 0));
    form.font->SetFont(form.bitmaps, 4, BuiltinRecords::Text(instance, IDR_SKIN_TEXT_MAP).c_str(),
                       11);
    std::vector<std::int32_t> boxes = BuiltinRecords::Integers(instance, IDR_SKIN_TEXT_BOXES);
    boxes.resize(MainForm::textCount * 4, 0);
    for (int i = 0; i < MainForm::textCount; i++) {
        const SourceRect placement = RectOf(&boxes[size_t(i) * 4]);
        form.textBoxes[i].SetSkin(nullptr, 0, 0, form.bitmaps, 0, &placement, form.font, 0);
        form.textBoxes[i].MoveTo(placement, 0);
        form.textBoxes[i].UpdateTooltipRect();
    }
}

void SkinLoader::BuiltinPlaylist() {
    HINSTANCE instance = form.instance;
    PlaylistForm& playlist = *form.playlist;
    form.bitmaps->ReplaceBitmap(5, instance, IDB_SKIN_PLAYLIST, 0);
    std::vector<std::int32_t> pieces;
    for (int id : {IDR_SKIN_PLAYLIST_TOP, IDR_SKIN_PLAYLIST_BOTTOM, IDR_SKIN_PLAYLIST_SIDES}) {
        std::vector<std::int32_t> record = BuiltinRecords::Integers(instance, id);
        pieces.insert(pieces.end(), record.begin(), record.end());
    }
    pieces.resize(4 * 8 + 5 * 6, 0);
    for (int i = 0, at = 0; i < PlaylistForm::pieceCount; i++) {
        playlist.SetFramePiece(i, &pieces[size_t(at)]);
        at += i < PlaylistForm::bottomLeft ? 8 : 6;
    }
    std::vector<std::int32_t> slider = BuiltinRecords::Integers(instance, IDR_SKIN_PLAYLIST_SLIDER);
    slider.resize(12, 0);
    playlist.SetSliderRecord(slider.data());
    std::vector<std::int32_t> list = BuiltinRecords::Integers(instance, IDR_SKIN_PLAYLIST_LIST);
    list.resize(7, 0);
    playlist.SetListRecord({RectOf(&list[0]), list[4],
                            SkinValues::PlatformColour(std::uint32_t(list[5])),
                            SkinValues::PlatformColour(std::uint32_t(list[6]))});
    std::vector<std::int32_t> buttons =
        BuiltinRecords::Integers(instance, IDR_SKIN_PLAYLIST_BUTTONS);
    buttons.resize(PlaylistForm::buttonCount * 8, 0);
    for (int i = 0; i < PlaylistForm::buttonCount; i++)
        playlist.SetButtonRecord(i, SkinControl::FromValues(&buttons[size_t(i) * 8]));
}
