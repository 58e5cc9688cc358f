#pragma once

#include "dialogs/PlaylistDialog.h"

// "Edit playlist": the disc's artist, album title and track names, saved to the disc
// database; it can also append tracks to the playlist. Enter neither saves nor closes.
class EditPlaylist final : public PlaylistDialog {
public:
    EditPlaylist(PlaylistHost& host, WListBox& playlist);

    int OnInitDialog() override;
    int OnOK() override;
    int OnCommand(int notification, int id, HWND control) override;

private:
    void ShowSelectedName();
    void SetName();
    void EditNameOf(int index);
    void Save();
    void SaveNames();
};
