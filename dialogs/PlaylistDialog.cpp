#include "dialogs/PlaylistDialog.h"

#include "dialogs/PlaylistHost.h"
#include "player/DiscDatabase.h"
#include "wlib/WListBox.h"

#include <cstring>
#include <vector>

PlaylistDialog::PlaylistDialog(PlaylistHost& host, WListBox& playlist, int templateId)
    : host(host), playlist(playlist), templateId(templateId) {
}

// Destroyed here, while this class's OnDestroy still takes the window off the loop's table.
PlaylistDialog::~PlaylistDialog() {
    if (IsOpen()) DestroyWindow(hwnd);
}

bool PlaylistDialog::IsOpen() const {
    return hwnd && IsWindow(hwnd);
}

void PlaylistDialog::Open(HINSTANCE instance, HWND owner) {
    // One object, one window: a second one would lose the first one's handle.
    if (IsOpen()) {
        SetForegroundWindow(hwnd);
        return;
    }
    Show(instance, 1, MAKEINTRESOURCEA(templateId), owner);
    if (!hwnd) return;
    ShowWindow(hwnd, SW_SHOW);
    host.RegisterDialog(hwnd, true);
}

int PlaylistDialog::OnDestroy() {
    host.RegisterDialog(hwnd, false);
    shownDisc.clear();
    // The handle may soon name another window; IsOpen must not mistake that one for ours.
    hwnd = nullptr;
    return 0;
}

int PlaylistDialog::OnClose() {
    Close();
    return 1;
}

int PlaylistDialog::OnCancel() {
    Close();
    return 1;
}

bool PlaylistDialog::ShowsDiscInDrive() const {
    int count = 0;
    return !shownDisc.empty() && shownDisc == host.ReadDisc(&count);
}

void PlaylistDialog::FillTracks(int listId) {
    int count = 0;
    shownDisc = host.ReadDisc(&count);
    if (shownDisc.empty()) return;
    HWND list = GetDlgItem(hwnd, listId);
    for (int index = 0; index < count; index++) {
        char name[DiscDatabase::textSize];
        host.Database().ReadTrackName(shownDisc.c_str(), index, name, sizeof name);
        const std::string text = TrackText(index + 1, name);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

std::string PlaylistDialog::TrackText(int audioIndex, const char* name) {
    std::vector<char> text(std::strlen(name) + 16);
    DiscDatabase::EntryText(audioIndex, name, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string PlaylistDialog::EntryText(int listId, int index) const {
    return WListBox::TextOf(GetDlgItem(hwnd, listId), index);
}

std::string PlaylistDialog::NameOf(const std::string& entryText) {
    const size_t space = entryText.find(' ');
    if (space == std::string::npos) return "";
    return entryText.substr(space + 1, DiscDatabase::textSize - 1);
}

void PlaylistDialog::Append(int listId, int index, int redraw) {
    if (!ShowsDiscInDrive()) return;
    const int added = playlist.AddItem(EntryText(listId, index).c_str(), redraw);
    if (added >= 0) playlist.SetItemData(added, index + 1);
}

void PlaylistDialog::AppendSelected(int listId) {
    const int selected = Selection(listId);
    if (selected >= 0) Append(listId, selected, 1);
}

int PlaylistDialog::Selection(int listId) const {
    return static_cast<int>(SendDlgItemMessageA(hwnd, listId, LB_GETCURSEL, 0, 0));
}

int PlaylistDialog::Count(int listId) const {
    return static_cast<int>(SendDlgItemMessageA(hwnd, listId, LB_GETCOUNT, 0, 0));
}
