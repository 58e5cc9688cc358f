#pragma once

#include "dialogs/PlaylistDialog.h"

// "Add Song to Playlist": appends tracks of the disc to the playlist one at a time (the
// dialog stays open), or replaces the playlist by the whole disc.
class AddSong final : public PlaylistDialog {
public:
    AddSong(PlaylistHost& host, WListBox& playlist);

    int OnInitDialog() override;
    int OnCommand(int notification, int id, HWND control) override;

private:
    void AddAll();
};
