#include "player/DiscDatabase.h"

#include "app/WApp.h"
#include "app/Globals.h"
#include "app/WIniKey.h"
#include "player/PlayOrderText.h"
#include "player/PlaylistView.h"
#include "res/resource.h"

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

// The order is written whole however long the playlist is, so it is read back whole too:
// a cut text would turn its last index into another one.
constexpr int maxOrderSize = 1 << 20;

} // namespace

void LoadTableString(unsigned id, char* buffer, int size) {
    if (size <= 0) return;
    HINSTANCE instance = theApp ? theApp->instance : GetModuleHandleA(nullptr);
    if (LoadStringA(instance, id, buffer, size) <= 0) buffer[0] = '\0';
}

// A disc without an identifier has no section of its own: keys before the first section
// would be shared by every such disc, so it is neither read nor written.
bool DiscDatabase::HasSection(const char* discId) {
    return discId && discId[0] != '\0';
}

void DiscDatabase::SetFallbackNames(const std::string& discId, const DiscNames& names) {
    fallbackId = discId;
    fallbackNames = names;
}

const std::string* DiscDatabase::Fallback(const char* discId, const std::string& name) const {
    const bool known = HasSection(discId) && fallbackId == discId && !name.empty();
    return known ? &name : nullptr;
}

void DiscDatabase::ReadOrPreset(const char* discId, const char* key, const std::string* fallback,
                                unsigned stringId, char* buffer, int size) const {
    if (HasSection(discId) && file.ReadString(discId, key, buffer, size) > 0) return;
    if (fallback && size > 0)
        snprintf(buffer, size_t(size), "%s", fallback->c_str());
    else
        LoadTableString(stringId, buffer, size);
}

void DiscDatabase::ReadArtist(const char* discId, char* buffer, int size) const {
    ReadOrPreset(discId, "artist", Fallback(discId, fallbackNames.artist), IDS_UNKNOWN_ARTIST,
                 buffer, size);
}

void DiscDatabase::ReadTitle(const char* discId, char* buffer, int size) const {
    ReadOrPreset(discId, "title", Fallback(discId, fallbackNames.album), IDS_UNKNOWN_ALBUM, buffer,
                 size);
}

void DiscDatabase::ReadTrackName(const char* discId, int index, char* buffer, int size) const {
    char key[16];
    snprintf(key, sizeof key, "%i", index);
    const std::vector<std::string>& tracks = fallbackNames.tracks;
    const bool named = index >= 0 && size_t(index) < tracks.size();
    ReadOrPreset(discId, key, named ? Fallback(discId, tracks[size_t(index)]) : nullptr,
                 IDS_UNKNOWN_TRACK, buffer, size);
}

bool DiscDatabase::KnowsNames(const char* discId, int audioTrackCount) const {
    if (!HasSection(discId)) return false;
    if (fallbackId == discId && !fallbackNames.fromFileNames &&
        (!fallbackNames.artist.empty() || !fallbackNames.album.empty() ||
         std::any_of(fallbackNames.tracks.begin(), fallbackNames.tracks.end(),
                     [](const std::string& name) { return !name.empty(); })))
        return true;
    char value[textSize];
    if (file.ReadString(discId, "artist", value, sizeof value) > 0 ||
        file.ReadString(discId, "title", value, sizeof value) > 0)
        return true;
    for (int index = 0; index < audioTrackCount; index++)
        if (file.ReadString(discId, std::to_string(index).c_str(), value, sizeof value) > 0)
            return true;
    return false;
}

void DiscDatabase::EntryText(int audioIndex, const char* name, char* buffer, int size) {
    snprintf(buffer, size, "%02i. %s", audioIndex, name);
}

void DiscDatabase::AddEntry(const char* discId, int index, PlaylistView& list) const {
    // No disc has this many tracks; the bound keeps index + 1 and item value - 1 from overflowing.
    const int farOutside = 1000000;
    index = index < -farOutside ? -farOutside : index > farOutside ? farOutside : index;
    char name[textSize];
    ReadTrackName(discId, index, name, sizeof name);
    char text[textSize];
    EntryText(index + 1, name, text, sizeof text);
    list.Add(text, index + 1, 1);
}

// True when both "numplay" and "order" have characters.
bool DiscDatabase::ReadOrder(const char* discId, int* numplay, std::string* order) const {
    if (!HasSection(discId)) return false;
    char number[100];
    if (file.ReadString(discId, "numplay", number, sizeof number) <= 0) return false;
    *numplay = PlayOrderText::ParseNumber(number);
    std::vector<char> text;
    for (int size = textSize;; size *= 2) {
        text.assign(size, '\0');
        int length = file.ReadString(discId, "order", text.data(), size);
        if (length <= 0) return false;
        if (length < size - 1 || size >= maxOrderSize) {
            order->assign(text.data());
            return true;
        }
    }
}

void DiscDatabase::LoadPlaylist(const char* discId, int audioTrackCount, PlaylistView& list) const {
    list.Clear(0);
    int numplay = 0;
    std::string order;
    if (ReadOrder(discId, &numplay, &order)) {
        for (int index : PlayOrderText::Parse(order.c_str(), numplay))
            AddEntry(discId, index, list);
        return;
    }
    for (int index = 0; index < audioTrackCount; index++)
        AddEntry(discId, index, list);
}

void DiscDatabase::SaveOrder(const char* discId, const PlaylistView& list) const {
    if (!HasSection(discId)) return;
    WIniKey::Batch save(&file); // "numplay" never without its "order"
    int count = list.Count();
    if (count <= 0) {
        file.WriteString(discId, "numplay", "");
        return;
    }
    std::vector<int> indices;
    indices.reserve(count);
    for (int i = 0; i < count; i++)
        indices.push_back(list.ItemData(i) - 1);
    file.WriteInt(discId, "numplay", count);
    file.WriteString(discId, "order", PlayOrderText::Build(indices).c_str());
}

void DiscDatabase::SaveNames(const char* discId, const char* artist, const char* title,
                             const char* const* names, int count) const {
    if (!HasSection(discId)) return;
    WIniKey::Batch save(&file);
    file.WriteInt(discId, "EntryType", 1);
    file.WriteString(discId, "artist", artist);
    file.WriteString(discId, "title", title);
    for (int i = 0; i < count; i++) {
        char key[16];
        snprintf(key, sizeof key, "%i", i);
        file.WriteString(discId, key, names[i]);
    }
    file.WriteInt(discId, "numtracks", count);
}
