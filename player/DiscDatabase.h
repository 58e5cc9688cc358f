#pragma once

#include "disc/DiscNames.h"

#include <string>

class WIniKey;
class PlaylistView;

// The per-disc sections of cdplayer.ini: names and play order of each disc, under the
// section named by the disc identifier. Nothing is cached; every call reads or writes the
// file at once. Missing or empty keys give the string-table defaults.
class DiscDatabase {
public:
    // Room for every text value and entry text, end of text included.
    static constexpr int textSize = 1000;

    explicit DiscDatabase(const WIniKey& file) : file(file) {}

    // Names for one disc that the file does not name: they are shown, never written, until
    // the user saves names of the disc.
    void SetFallbackNames(const std::string& discId, const DiscNames& names);

    void ReadArtist(const char* discId, char* buffer, int size) const;
    void ReadTitle(const char* discId, char* buffer, int size) const;
    // The name of the track with this 0-based audio index.
    void ReadTrackName(const char* discId, int index, char* buffer, int size) const;

    // Whether the disc has names of its own: an artist, a title or a track name in the
    // file, or names it brought with it (not those made up from file names).
    bool KnowsNames(const char* discId, int audioTrackCount) const;

    // Empties the list (no redraw) and fills it from the stored order, or with every audio
    // track in disc order when the section has no order.
    void LoadPlaylist(const char* discId, int audioTrackCount, PlaylistView& list) const;
    // Writes the list back as the disc's order; an empty list empties "numplay" only.
    void SaveOrder(const char* discId, const PlaylistView& list) const;
    void SaveNames(const char* discId, const char* artist, const char* title,
                   const char* const* names, int count) const;

    // "%02i. %s" of the 1-based audio index and the name, cut to fit the buffer.
    static void EntryText(int audioIndex, const char* name, char* buffer, int size);

private:
    static bool HasSection(const char* discId);
    void AddEntry(const char* discId, int index, PlaylistView& list) const;
    void ReadOrPreset(const char* discId, const char* key, const std::string* fallback,
                      unsigned stringId, char* buffer, int size) const;
    const std::string* Fallback(const char* discId, const std::string& name) const;
    bool ReadOrder(const char* discId, int* numplay, std::string* order) const;

    const WIniKey& file;
    std::string fallbackId;
    DiscNames fallbackNames;
};

// A text of the program's string table, cut to fit the buffer; empty when it is missing.
void LoadTableString(unsigned id, char* buffer, int size);
