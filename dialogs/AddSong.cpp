#include "dialogs/AddSong.h"

#include "res/resource.h"
#include "wlib/WListBox.h"

AddSong::AddSong(PlaylistHost& host, WListBox& playlist)
    : PlaylistDialog(host, playlist, IDD_ADD_SONG) {
}

int AddSong::OnInitDialog() {
    FillTracks(IDC_ADD_LIST);
    return 1;
}

int AddSong::OnCommand(int notification, int id, HWND) {
    switch (id) {
    case IDC_ADD_LIST:
        if (notification == LBN_DBLCLK) AppendSelected(IDC_ADD_LIST);
        return 1;
    case IDC_ADD_ADD:
        if (notification == BN_CLICKED) AppendSelected(IDC_ADD_LIST);
        return 1;
    case IDC_ADD_ALL:
        if (notification == BN_CLICKED) AddAll();
        return 1;
    case IDC_ADD_CLOSE:
        if (notification == BN_CLICKED) Close();
        return 1;
    default: return 0;
    }
}

// The playlist is drawn once, when it is whole, rather than once per track.
void AddSong::AddAll() {
    if (!ShowsDiscInDrive()) {
        Close();
        return;
    }
    playlist.Clear(0);
    const int count = Count(IDC_ADD_LIST);
    for (int index = 0; index < count; index++)
        Append(IDC_ADD_LIST, index, 0);
    playlist.SetMarked(0, 1);
    Close();
}
