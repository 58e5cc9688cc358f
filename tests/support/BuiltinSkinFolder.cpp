#include "support/BuiltinSkinFolder.h"

#include "skin/BuiltinRecords.h"

#include <cstdint>
#include <vector>

namespace {

// A value list as skin.ini writes it.
std::string Values(const std::vector<std::int32_t>& values, size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < from + count && i < values.size(); i++)
        text += (text.empty() ? "" : ",") + std::to_string(values[i]);
    return text;
}

} // namespace

// The built-in skin written out as a skin folder, key by key, so that a test can break one
// key or one file of it.
std::map<std::string, std::string> BuiltinSkinFiles() {
    auto ints = [](int id) { return BuiltinRecords::Integers(GetModuleHandleA(nullptr), id); };
    const char* buttons[] = {"btPrev",       "btPlay",       "btPause",        "btStop",
                             "btNext",       "btEject",      "btShowPlaylist", "btShowOptions",
                             "btLockVolume", "btMuteVolume", "btMinimize",     "btClose"};
    const char* sliders[] = {"sbPos", "sbLVolume", "sbRVolume", "sbMVolume"};
    const char* boxes[] = {"tbPosition", "tbTrackLength", "tbArtist",
                           "tbAlbum",    "tbTrackName",   "tbStatus"};
    const char* pieces[] = {"topleft",     "topmiddle",  "topright",   "topfill",    "bottomleft",
                            "bottomright", "bottomfill", "leftborder", "rightborder"};
    const char* listButtons[] = {"btAdd",    "btDelete",   "btEdit",
                                 "btSongup", "btSongdown", "btClose"};
    std::string ini = "[mainwindow]\r\nmain=" + Values(ints(900), 0, 4) +
                      "\r\ntitlebar=" + Values(ints(900), 4, 4) + "\r\n";
    for (int i = 0; i < 12; i++)
        ini += std::string(buttons[i]) + "=" + Values(ints(901), i * 8, 8) + "\r\n";
    for (int i = 0; i < 4; i++)
        ini += std::string(sliders[i]) + "=" + Values(ints(902), i * 8, 8) + "\r\n";
    for (int i = 0; i < 6; i++)
        ini += std::string(boxes[i]) + "=" + Values(ints(904), i * 4, 4) + "\r\n";
    ini += "[playlistwindow]\r\n";
    std::vector<std::int32_t> frame = ints(905), bottom = ints(906), sides = ints(907);
    frame.insert(frame.end(), bottom.begin(), bottom.end());
    frame.insert(frame.end(), sides.begin(), sides.end());
    for (size_t i = 0, at = 0; i < 9; at += i < 4 ? 8 : 6, i++)
        ini += std::string(pieces[i]) + "=" + Values(frame, at, i < 4 ? 8 : 6) + "\r\n";
    ini += "sbListBox=" + Values(ints(908), 0, 12) + "\r\n";
    ini += "lbPlaylist=" + Values(ints(909), 0, 5) + ",#B10D01,#560474\r\n";
    for (int i = 0; i < 6; i++)
        ini += std::string(listButtons[i]) + "=" + Values(ints(910), i * 8, 8) + "\r\n";
    std::map<std::string, std::string> files = {
        {"skin.ini", ini},
        {"font.ini", BuiltinRecords::Text(GetModuleHandleA(nullptr), 903) +
                         "\r\n\r\n[font]\r\nbgColor=#000000\r\nheight=11\r\n"}};
    const char* names[] = {"main", "titlebar", "cbuttons", "scroll", "font", "playlist"};
    for (int i = 0; i < 6; i++)
        files[std::string(names[i]) + ".bmp"] = ResourcePixels(950 + i).BmpFile();
    return files;
}

// Replaces a key's line in an ini text.
std::string WithKey(std::string ini, const std::string& key, const std::string& value) {
    size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos) return ini + key + "=" + value + "\r\n";
    size_t end = ini.find("\r\n", at + 1);
    return ini.replace(at + 1, end - at - 1, key + "=" + value);
}

std::string WriteBuiltinSkin(const TempFolder& folder, const std::string& name,
                             const SkinFiles& changes) {
    SkinFiles files = BuiltinSkinFiles();
    for (auto& [file, bytes] : changes)
        files[file] = bytes;
    for (auto& [file, bytes] : files) {
        DeleteFileA(folder.File(name + "\\" + file).c_str());
        if (!bytes.empty()) folder.Write(name + "\\" + file, bytes);
    }
    return name;
}

SkinFiles IniChange(const std::string& key, const std::string& value) {
    return {{"skin.ini", WithKey(BuiltinSkinFiles()["skin.ini"], key, value)}};
}
