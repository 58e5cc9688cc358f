#pragma once

#include "wlib/WDialog.h"

#include <windows.h>

#include <string>

class PlaylistHost;
class WListBox;

// What the two playlist dialogs share: one modeless window at a time, owned by the playlist
// window and registered with the message loop while it lives, a list of the disc's audio
// tracks ("%02i. %s", position i standing for audio index i + 1), and appending those entries
// to the playlist.
class PlaylistDialog : public WDialog {
public:
    PlaylistDialog(PlaylistHost& host, WListBox& playlist, int templateId);
    ~PlaylistDialog() override;

    // Shows the dialog, or brings its window to the front when it is already open.
    void Open(HINSTANCE instance, HWND owner);
    bool IsOpen() const;

    int OnDestroy() override;
    int OnClose() override;
    int OnCancel() override;

protected:
    // Fills the list with the disc's audio tracks; without a read disc it stays empty.
    void FillTracks(int listId);
    // The lists show the tracks of the disc the engine has read now; after a disc change
    // they belong to another disc, whose section and playlist they must not touch.
    bool ShowsDiscInDrive() const;
    // "%02i. %s" of the 1-based audio index and the name, the name never cut.
    static std::string TrackText(int audioIndex, const char* name);
    // The whole text of an entry of one of this dialog's lists; "" for none.
    std::string EntryText(int listId, int index) const;
    // The name of an entry: its text after the first space, cut to what the database stores.
    static std::string NameOf(const std::string& entryText);
    // Appends the entry with its audio index as the item value.
    void Append(int listId, int index, int redraw);
    // Appends the selected entry, if there is one, and redraws the playlist.
    void AppendSelected(int listId);
    int Selection(int listId) const;
    int Count(int listId) const;

    PlaylistHost& host;
    WListBox& playlist;

private:
    int templateId;
    std::string shownDisc; // the disc identifier of the tracks listed; empty for none
};
