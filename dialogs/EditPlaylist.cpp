#include "dialogs/EditPlaylist.h"

#include "dialogs/PlaylistHost.h"
#include "player/DiscDatabase.h"
#include "res/resource.h"
#include "wlib/WListBox.h"

#include <string>
#include <vector>

EditPlaylist::EditPlaylist(PlaylistHost& host, WListBox& playlist)
    : PlaylistDialog(host, playlist, IDD_EDIT_PLAYLIST) {
}

int EditPlaylist::OnInitDialog() {
    FillTracks(IDC_EDIT_LIST);
    if (!ShowsDiscInDrive()) return 1;
    int count = 0;
    const std::string disc = host.ReadDisc(&count);
    char text[DiscDatabase::textSize];
    host.Database().ReadArtist(disc.c_str(), text, sizeof text);
    SetDlgItemTextA(hwnd, IDC_EDIT_ARTIST, text);
    host.Database().ReadTitle(disc.c_str(), text, sizeof text);
    SetDlgItemTextA(hwnd, IDC_EDIT_TITLE, text);
    return 1;
}

int EditPlaylist::OnOK() {
    return 1;
}

int EditPlaylist::OnCommand(int notification, int id, HWND) {
    switch (id) {
    case IDC_EDIT_LIST:
        if (notification == LBN_SELCHANGE) ShowSelectedName();
        return 1;
    case IDC_EDIT_SET_NAME:
        if (notification == BN_CLICKED) SetName();
        return 1;
    case IDC_EDIT_SAVE:
        if (notification == BN_CLICKED) Save();
        return 1;
    case IDC_EDIT_ADD:
        if (notification == BN_CLICKED) AppendSelected(IDC_EDIT_LIST);
        return 1;
    default: return 0;
    }
}

void EditPlaylist::ShowSelectedName() {
    const int selected = Selection(IDC_EDIT_LIST);
    if (selected < 0) return;
    SetDlgItemTextA(hwnd, IDC_EDIT_NAME, NameOf(EntryText(IDC_EDIT_LIST, selected)).c_str());
}

// Renames the selected entry and moves on to the next one, so a whole disc is named by
// typing a name and pressing the button, track after track.
void EditPlaylist::SetName() {
    const int selected = Selection(IDC_EDIT_LIST);
    char name[DiscDatabase::textSize];
    GetItemText(IDC_EDIT_NAME, name, sizeof name);
    if (selected < 0 || name[0] == '\0') return;
    HWND list = GetDlgItem(hwnd, IDC_EDIT_LIST);
    const std::string text = TrackText(selected + 1, name);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(text.c_str()));
    EditNameOf(selected + 1 < Count(IDC_EDIT_LIST) ? selected + 1 : 0);
}

void EditPlaylist::EditNameOf(int index) {
    SendDlgItemMessageA(hwnd, IDC_EDIT_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowSelectedName();
    HWND edit = GetDlgItem(hwnd, IDC_EDIT_NAME);
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

// The order the user built since the disc was read is stored first, so that the reload
// from the file brings it back with the new names.
void EditPlaylist::Save() {
    if (ShowsDiscInDrive()) {
        host.SaveDiscOrder();
        SaveNames();
        host.ReloadPlaylist();
    }
    Close();
}

void EditPlaylist::SaveNames() {
    char artist[DiscDatabase::textSize], title[DiscDatabase::textSize];
    GetItemText(IDC_EDIT_ARTIST, artist, sizeof artist);
    GetItemText(IDC_EDIT_TITLE, title, sizeof title);
    const int count = Count(IDC_EDIT_LIST);
    std::vector<std::string> names;
    std::vector<const char*> pointers;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; i++)
        names.push_back(NameOf(EntryText(IDC_EDIT_LIST, i)));
    for (const std::string& name : names)
        pointers.push_back(name.c_str());
    host.SaveDiscNames(artist, title, pointers.data(), count);
}
