#pragma once

// The play-order list as the engine and the disc database see it: the playlist window's
// list box behind a thin adapter, so there is only one copy of the playlist.
// Entries carry a text "%02i. %s" and an item value, the 1-based audio index.
class PlaylistView {
public:
    virtual ~PlaylistView() = default;

    virtual int Count() const = 0;
    virtual int ItemData(int index) const = 0;
    // Copies the entry's text (cut to size - 1 characters); empty for a missing entry.
    virtual void ItemText(int index, char* buffer, int size) const = 0;
    // The highlighted entry of the track being played; -1 for none.
    virtual int Marked() const = 0;
    virtual void SetMarked(int index, int redraw) = 0;
    // Marked - 1, but 0 when the marked entry is 0 or there is none.
    virtual int PreviousMarked() const = 0;
    // Marked + 1, but 0 when the marked entry is the last one.
    virtual int NextMarked() const = 0;
    // The first entry whose item value equals value; 0 when none does.
    virtual int FindByData(int value) const = 0;
    // Empties the list and clears the mark.
    virtual void Clear(int redraw) = 0;
    // Appends an entry; returns its index.
    virtual int Add(const char* text, int data, int redraw) = 0;
    // The disc whose entries these are has left the drive (door, drive change, new image).
    virtual void DiscLeft() {}
};
