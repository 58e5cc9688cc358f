#pragma once

#include <windows.h>

#include <string>

class DiscDatabase;

// What the playlist dialogs may ask of the playlist window, which hands itself to them as this.
class PlaylistHost {
public:
    virtual ~PlaylistHost() = default;

    // The identifier of the disc the engine has read and its number of audio tracks; "" and 0
    // while no disc is read.
    virtual std::string ReadDisc(int* audioTracks) const = 0;
    // The database of the disc the engine has read; only asked while one is read.
    virtual const DiscDatabase& Database() const = 0;
    virtual void SaveDiscOrder() = 0;
    virtual void SaveDiscNames(const char* artist, const char* title, const char* const* names,
                               int count) = 0;
    // Builds the playlist again from the database, keeping the marked entry.
    virtual void ReloadPlaylist() = 0;
    // While registered, the message loop hands the dialog its keys.
    virtual void RegisterDialog(HWND dialog, bool registered) = 0;
};
