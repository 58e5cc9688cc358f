#include "skin/SkinReader.h"

#include "app/OwnedHandle.h"
#include "app/ProfileText.h"
#include "app/WIniKey.h"
#include "res/resource.h"
#include "skin/BuiltinRecords.h"
#include "skin/FontIniText.h"
#include "skin/MaskRegion.h"
#include "skin/RegionData.h"
#include "skin/SkinValues.h"

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
    return OwnedHandle::ReadWholeFile(path.c_str(), SkinReader::maxBitmapFile, bytes) &&
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

int PieceValueCount(int piece) {
    return piece < SkinLook::titlePieceCount ? 8 : 6;
}

// A record's integers, padded with zeros so that a short resource cannot be read past.
std::vector<std::int32_t> Record(HINSTANCE instance, int id, size_t count) {
    std::vector<std::int32_t> values = BuiltinRecords::Integers(instance, id);
    values.resize(count, 0);
    return values;
}

} // namespace

// ---- Folder skins ----

bool SkinReader::FromFolder(const std::string& skinsRoot, const char* name, SkinLook& look,
                            std::string& error) {
    SkinReader reader(skinsRoot + "\\" + (name ? name : ""));
    look = SkinLook();
    look.name = name ? name : "";
    WIniKey ini(reader.PathOf("skin.ini").c_str());
    const bool whole = reader.ReadBitmaps(look) && reader.ReadMainWindow(ini, look) &&
                       reader.ReadControls(ini, look) && reader.ReadFont(look) &&
                       reader.ReadTextBoxes(ini, look) && reader.ReadPlaylistFrame(ini, look) &&
                       reader.ReadPlaylistSlider(ini, look) && reader.ReadPlaylistList(ini, look) &&
                       reader.ReadPlaylistButtons(ini, look) && reader.ReadRegion(ini, look);
    error = reader.error;
    return whole;
}

bool SkinReader::Fail(const char* format, const std::string& first, const char* second) {
    std::vector<char> text(first.size() + 512);
    snprintf(text.data(), text.size(), format, first.c_str(), second ? second : "");
    error = text.data();
    return false;
}

// A path that does not fit names no file: it fails to load like a missing one.
std::string SkinReader::PathOf(const char* file) const {
    std::string path = folder + "\\" + file;
    return path.size() < MAX_PATH ? path : std::string();
}

bool SkinReader::ReadValues(const WIniKey& ini, const char* section, const char* key, int count,
                            std::int32_t* values) const {
    char text[1000] = "";
    ini.ReadString(section, key, text, sizeof text);
    return SkinValues::ReadIntegers(text, count, values);
}

bool SkinReader::ReadBitmaps(SkinLook& look) {
    const std::pair<int, const char*> files[] = {{0, "main.bmp"},
                                                 {1, "titlebar.bmp"},
                                                 {2, "cbuttons.bmp"},
                                                 {3, "scroll.bmp"},
                                                 {5, "playlist.bmp"}};
    for (const auto& [slot, file] : files) {
        const std::string path = PathOf(file);
        if (!LoadableBitmap(path)) return Fail("Can't load bitmap %s", folder + "\\" + file);
        look.bitmaps[slot].file = path;
    }
    return true;
}

bool SkinReader::ReadMainWindow(const WIniKey& ini, SkinLook& look) {
    const std::string path = folder + "\\skin.ini";
    std::int32_t v[4];
    if (!ReadValues(ini, "mainwindow", "main", 4, v) || !Sensible(RectOf(v)) || v[2] < 1 ||
        v[3] < 1)
        return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r\nmain= .... invalid data ....", path);
    look.main = RectOf(v);
    if (!ReadValues(ini, "mainwindow", "titlebar", 4, v) || !Sensible(RectOf(v)))
        return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r\ntitlebar= .... invalid data ....",
                    path);
    look.title = RectOf(v);
    return true;
}

bool SkinReader::ReadControls(const WIniKey& ini, SkinLook& look) {
    for (int i = 0; i < SkinLook::buttonCount + SkinLook::sliderCount; i++) {
        const bool button = i < SkinLook::buttonCount;
        const char* key = button ? buttonKeys[i] : sliderKeys[i - SkinLook::buttonCount];
        std::int32_t v[8];
        if (!ReadValues(ini, "mainwindow", key, 8, v) || !Sensible(RectOf(v)))
            return Fail(mainWindowMessage, folder + "\\skin.ini", key);
        (button ? look.buttons[i] : look.sliders[i - SkinLook::buttonCount]) =
            SkinControl::FromValues(v);
    }
    return true;
}

bool SkinReader::ReadFont(SkinLook& look) {
    const std::string path = folder + "\\font.ini";
    WIniKey ini(PathOf("font.ini").c_str());
    char text[1000] = "";
    std::uint32_t rrggbb = 0;
    ini.ReadString("font", "bgColor", text, sizeof text);
    if (!SkinValues::ReadColour(text, rrggbb))
        return Fail("Invalid data in %s\r\n\r\n[font]\r\nbgColor= .. invalid color data ..", path);
    const std::string bitmap = PathOf("font.bmp");
    if (!LoadableBitmap(bitmap)) return Fail("Can't load bitmap %s", folder + "\\font.bmp");
    look.bitmaps[SkinLook::fontSlot].file = bitmap;
    look.fontTransparent = SkinValues::PlatformColour(rrggbb);
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
    look.textMap = fontIni.Map();
    look.fontHeight = height;
    return true;
}

bool SkinReader::ReadTextBoxes(const WIniKey& ini, SkinLook& look) {
    for (int i = 0; i < SkinLook::textCount; i++) {
        std::int32_t v[4];
        if (!ReadValues(ini, "mainwindow", textKeys[i], 4, v) || !Sensible(RectOf(v)))
            return Fail("Invalid data in %s\r\n\r\n[mainwindow]\r%s= ... invalid data ...",
                        folder + "\\skin.ini", textKeys[i]);
        look.textBoxes[i] = RectOf(v);
    }
    return true;
}

bool SkinReader::ReadPlaylistFrame(const WIniKey& ini, SkinLook& look) {
    for (int i = 0; i < SkinLook::pieceCount; i++) {
        std::int32_t v[8] = {};
        if (!ReadValues(ini, "playlistwindow", pieceKeys[i], PieceValueCount(i), v) ||
            !Sensible(RectOf(v)))
            return Fail(playlistMessage, folder + "\\skin.ini", pieceKeys[i]);
        std::copy(v, v + 8, look.pieces[i]);
    }
    return true;
}

bool SkinReader::ReadPlaylistSlider(const WIniKey& ini, SkinLook& look) {
    const std::string path = folder + "\\skin.ini";
    char text[1000] = "";
    ini.ReadString("playlistwindow", "sbListBox", text, sizeof text);
    SkinValues::ScrollbarValues values;
    SkinValues::Check check = SkinValues::ReadScrollbar(text, values);
    if (check == SkinValues::Check::badBackgroundSize)
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nsbListBox=0,0,pw,0, "
                    "tbx,tby,tbw,tbh, bgx, bgy, bgw, bgh\r\n\r\nbgw and bgh must be > 0",
                    path);
    std::int32_t* v = look.playlistSlider;
    if (check != SkinValues::Check::ok || !SkinValues::ReadIntegers(text, 12, v) || v[2] < 0 ||
        v[2] > GetSystemMetrics(SM_CXVIRTUALSCREEN))
        return Fail("Invalid data in %s\r\n\r\n[playlistwindow]\r\nsbListBox= ... invalid data ...",
                    path);
    return true;
}

bool SkinReader::ReadPlaylistList(const WIniKey& ini, SkinLook& look) {
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
    look.list = {values.background, values.itemHeight, values.selectionColour,
                 values.currentTrackColour};
    return true;
}

bool SkinReader::ReadPlaylistButtons(const WIniKey& ini, SkinLook& look) {
    for (int i = 0; i < SkinLook::playlistButtonCount; i++) {
        std::int32_t v[8];
        if (!ReadValues(ini, "playlistwindow", playlistButtonKeys[i], 8, v) || !Sensible(RectOf(v)))
            return Fail(playlistMessage, folder + "\\skin.ini", playlistButtonKeys[i]);
        look.playlistButtons[i] = SkinControl::FromValues(v);
    }
    return true;
}

// Without a region the window is rectangular.
bool SkinReader::ReadRegion(const WIniKey& ini, SkinLook& look) {
    int useRegion = 0;
    if (!ini.ReadInt("region", "useregion", &useRegion) || useRegion == 0) return true;
    const std::string path = folder + "\\region.rgn";
    const OwnedHandle file = OwnedHandle::OpenForReading(PathOf("region.rgn").c_str());
    if (!file.Valid()) return Fail("Can't load region file %s", path);
    std::string bytes;
    if (!file.ReadAll(maxTextFile, bytes) || !RegionData(bytes).Valid())
        return Fail("Invalid region data in %s", path);
    // The platform makes the region now, so that a skin it refuses changes nothing.
    HRGN region = ExtCreateRegion(nullptr, DWORD(bytes.size()),
                                  reinterpret_cast<const RGNDATA*>(bytes.data()));
    if (!region) return Fail("Invalid region data in %s", path);
    DeleteObject(region);
    look.region = bytes;
    return true;
}

// ---- The built-in skin ----

SkinLook SkinReader::Builtin(HINSTANCE instance) {
    SkinLook look;
    look.name = ".";
    const int bitmaps[SkinLook::bitmapCount] = {IDB_SKIN_MAIN,   IDB_SKIN_TITLEBAR,
                                                IDB_SKIN_CBUTTONS, IDB_SKIN_SCROLL,
                                                IDB_SKIN_FONT,   IDB_SKIN_PLAYLIST};
    for (int slot = 0; slot < SkinLook::bitmapCount; slot++)
        look.bitmaps[slot].resource = bitmaps[slot];
    look.fontTransparent = RGB(0, 0, 0);
    const std::vector<std::int32_t> rects = Record(instance, IDR_SKIN_MAIN_RECTS, 8);
    look.main = RectOf(&rects[0]);
    look.title = RectOf(&rects[4]);
    const std::vector<std::int32_t> buttons =
        Record(instance, IDR_SKIN_BUTTONS, SkinLook::buttonCount * 8);
    for (int i = 0; i < SkinLook::buttonCount; i++)
        look.buttons[i] = SkinControl::FromValues(&buttons[size_t(i) * 8]);
    const std::vector<std::int32_t> sliders =
        Record(instance, IDR_SKIN_SLIDERS, SkinLook::sliderCount * 8);
    for (int i = 0; i < SkinLook::sliderCount; i++)
        look.sliders[i] = SkinControl::FromValues(&sliders[size_t(i) * 8]);
    const std::vector<std::int32_t> boxes =
        Record(instance, IDR_SKIN_TEXT_BOXES, SkinLook::textCount * 4);
    for (int i = 0; i < SkinLook::textCount; i++)
        look.textBoxes[i] = RectOf(&boxes[size_t(i) * 4]);
    look.textMap = BuiltinRecords::Text(instance, IDR_SKIN_TEXT_MAP);
    look.fontHeight = 11;

    std::vector<std::int32_t> pieces;
    for (int id : {IDR_SKIN_PLAYLIST_TOP, IDR_SKIN_PLAYLIST_BOTTOM, IDR_SKIN_PLAYLIST_SIDES}) {
        const std::vector<std::int32_t> record = BuiltinRecords::Integers(instance, id);
        pieces.insert(pieces.end(), record.begin(), record.end());
    }
    pieces.resize(4 * 8 + 5 * 6, 0);
    for (int i = 0, at = 0; i < SkinLook::pieceCount; at += PieceValueCount(i), i++)
        std::copy(&pieces[size_t(at)], &pieces[size_t(at)] + PieceValueCount(i), look.pieces[i]);
    const std::vector<std::int32_t> slider = Record(instance, IDR_SKIN_PLAYLIST_SLIDER, 12);
    std::copy(slider.begin(), slider.end(), look.playlistSlider);
    const std::vector<std::int32_t> list = Record(instance, IDR_SKIN_PLAYLIST_LIST, 7);
    look.list = {RectOf(&list[0]), list[4], SkinValues::PlatformColour(std::uint32_t(list[5])),
                 SkinValues::PlatformColour(std::uint32_t(list[6]))};
    const std::vector<std::int32_t> places =
        Record(instance, IDR_SKIN_PLAYLIST_BUTTONS, SkinLook::playlistButtonCount * 8);
    for (int i = 0; i < SkinLook::playlistButtonCount; i++)
        look.playlistButtons[i] = SkinControl::FromValues(&places[size_t(i) * 8]);
    return look;
}
