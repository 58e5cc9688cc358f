// The playlist window's Add Song and Edit playlist dialogs at work in the whole program on a
// simulated drive: the playlist buttons open the real dialogs, the tests drive their controls
// with messages and read back the controls, the playlist and the disc database.
#include "app/Settings.h"
#include "app/WApp.h"
#include "dialogs/AddSong.h"
#include "dialogs/EditPlaylist.h"
#include "forms/PlaylistForm.h"
#include "res/resource.h"
#include "support/TestProgram.h"
#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

const char* const threeNames = "[4D2]\r\nartist=Ana Lux\r\ntitle=Night Drive\r\n0=Alpha\r\n"
                               "1=Beta\r\n2=Gamma\r\n";

std::string TextOf(HWND window) {
    std::vector<char> text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), int(text.size()));
    return text.data();
}

// A system list box's entries, "|" between them; read wide: Wine's ANSI form overruns on long
// entries.
std::string Entries(HWND list) {
    std::string all;
    const int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        std::wstring text(size_t(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        all += (i ? "|" : "") + std::string(text.begin(), text.end());
    }
    return all;
}

// The top-level windows with that caption.
int WindowsCaptioned(const char* caption) {
    int found = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, caption));)
        found++;
    return found;
}

// The program with the playlist shown and the application object routing dialog keys.
class PlaylistDialogs : public ::testing::Test, protected TestProgram {
protected:
    WApp app{Module(), "", SW_SHOWNORMAL};

    void TearDown() override { Stop(); }

    // Starts the player with a disc of that many 100 s tracks (serial 4D2); the first tick
    // reads it.
    void Start(int tracks, const std::string& database, bool readDisc = true) {
        folder.Write("cdplayer.ini", database);
        drive.InsertDisc(std::vector<SimulatedTrack>(size_t(tracks), {100 * 75, false}));
        drive.SetFileSystemSerial(0x4D2);
        TestProgram::Start("[options]\r\nshowplaylist=1\r\n", &app);
        form->ShowWindows();
        if (readDisc) Tick();
    }
    void Tick() {
        TestProgram::Tick();
        Pump();
    }

    PlaylistForm& Playlist() { return *form->playlist; }
    WListBox& List() { return form->playlist->list; }
    AddSong& Adder() { return *Playlist().addSong; }
    EditPlaylist& Editor() { return *Playlist().editPlaylist; }
    HWND OpenWith(int button) {
        kit::Play(Playlist().buttons[button].hwnd, "D2 U2", 2);
        Pump();
        return button == PlaylistForm::btAdd ? Adder().hwnd : Editor().hwnd;
    }
    static HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
    static void Press(HWND dialog, int id) {
        SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
        Pump();
    }
    static void Key(HWND window, WPARAM key) {
        PostMessageA(window, WM_KEYDOWN, key, 0);
        PostMessageA(window, WM_KEYUP, key, 0);
        Pump();
    }
    // A click on a row of a list box, with the double click's second press when asked.
    static void ClickRow(HWND list, int row, bool twice = false) {
        RECT item = {};
        SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        if (twice) SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        if (twice) SendMessageA(list, WM_LBUTTONUP, 0, at);
        Pump();
    }
    // The playlist as "text=value" entries, a "*" after the marked one.
    std::string Entries() {
        std::string all;
        for (int i = 0; i < List().GetCount(); i++) {
            char text[WListBox::textCapacity];
            List().GetItemText(i, text);
            all += (i ? "|" : "") + std::string(text) + "=" +
                   std::to_string(List().GetItemData(i)) + (i == List().GetMarked() ? "*" : "");
        }
        return all;
    }
    // The disc's values of those keys, "|" after each.
    std::string Stored(std::initializer_list<const char*> keys) {
        std::string all;
        for (const char* key : keys) {
            std::vector<char> text(4000, '\0');
            GetPrivateProfileStringA("4D2", key, "<none>", text.data(), DWORD(text.size()),
                                     folder.File("cdplayer.ini").c_str());
            all += text.data() + std::string("|");
        }
        return all;
    }
};

// ---- Edit playlist ----

TEST_F(PlaylistDialogs, EditAndAddSongPutTheSelectedEntryInThePlaylistAndCancelSavesNothing) {
    Start(3, threeNames);
    HWND editor = OpenWith(PlaylistForm::btEdit);
    HWND list = Item(editor, IDC_EDIT_LIST), name = Item(editor, IDC_EDIT_NAME);
    EXPECT_EQ("Edit playlist", TextOf(editor));
    auto setName = [&](const std::string& text) {
        SetWindowTextA(name, text.c_str());
        Press(editor, IDC_EDIT_SET_NAME);
        return ::Entries(list);
    };
    EXPECT_EQ("01. Alpha|02. Beta|03. Gamma", setName("Omega")) << "nothing selected";

    ClickRow(list, 1);
    EXPECT_EQ("Beta", TextOf(name));
    EXPECT_EQ("01. Alpha|02. Beta|03. Gamma", setName("")) << "an empty name";
    EXPECT_EQ("01. Alpha|02. Omega|03. Gamma", setName("Omega"));
    EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    EXPECT_EQ("Gamma", TextOf(name));
    EXPECT_EQ(name, GetFocus());
    EXPECT_EQ(MAKELRESULT(0, 5), SendMessageA(name, EM_GETSEL, 0, 0)) << "all of it selected";

    EXPECT_EQ("01. Alpha|02. Omega|03. " + std::string(999, 'x'), setName(std::string(1500, 'x')));
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0)) << "from the last to the first";
    EXPECT_EQ("Alpha", TextOf(name));

    // Enter neither saves nor closes; the renamed entry goes to the playlist as it reads now.
    Key(name, VK_RETURN);
    EXPECT_TRUE(IsWindow(editor));
    ClickRow(list, 1);
    Press(editor, IDC_EDIT_ADD);
    EXPECT_EQ("01. Alpha=1*|02. Beta=2|03. Gamma=3|02. Omega=2", Entries());
    Press(editor, IDCANCEL);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ("Beta|", Stored({"1"})) << "Cancel saves nothing";
    EXPECT_EQ(0, app.dialogCount);

    // Add and double clicks append the selected track, and the dialog stays.
    HWND adder = OpenWith(PlaylistForm::btAdd);
    HWND songs = Item(adder, IDC_ADD_LIST);
    Press(adder, IDC_ADD_ADD);
    EXPECT_EQ(4, List().GetCount()) << "nothing selected";
    ClickRow(songs, 2);
    Press(adder, IDC_ADD_ADD);
    ClickRow(songs, 1, true);
    ClickRow(songs, 1, true);
    EXPECT_EQ("01. Alpha=1*|02. Beta=2|03. Gamma=3|02. Omega=2|03. Gamma=3|02. Beta=2|02. Beta=2",
              Entries());
    EXPECT_TRUE(IsWindowVisible(adder));
    Key(songs, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(adder));
    EXPECT_EQ(0, app.dialogCount);
}

TEST_F(PlaylistDialogs, SaveStoresTheNamesAndRebuildsThePlaylistFromTheFile) {
    Start(3, threeNames);
    HWND adder = OpenWith(PlaylistForm::btAdd);
    ClickRow(Item(adder, IDC_ADD_LIST), 0);
    Press(adder, IDC_ADD_ADD);
    List().SetMarked(2, 1);
    ASSERT_EQ("01. Alpha=1|02. Beta=2|03. Gamma=3*|01. Alpha=1", Entries());

    HWND editor = OpenWith(PlaylistForm::btEdit);
    SetWindowTextA(Item(editor, IDC_EDIT_ARTIST), "The Band");
    SetWindowTextA(Item(editor, IDC_EDIT_TITLE), std::string(1200, 't').c_str());
    ClickRow(Item(editor, IDC_EDIT_LIST), 2);
    SetWindowTextA(Item(editor, IDC_EDIT_NAME), "Part One");
    Press(editor, IDC_EDIT_SET_NAME);
    Press(editor, IDC_EDIT_SAVE);

    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ("Alpha|Part One|The Band|" + std::string(999, 't') + "|3|1|4|",
              Stored({"0", "2", "artist", "title", "numtracks", "EntryType", "numplay"}));
    EXPECT_EQ("01. Alpha=1|02. Beta=2|03. Part One=3*|01. Alpha=1", Entries())
        << "the entry added before the save stays";
    EXPECT_EQ("03. Part One", Shows(MainForm::tbTrackName));
    EXPECT_EQ("The Band", Shows(MainForm::tbArtist));
    EXPECT_EQ(1, app.dialogCount) << "only the Add Song dialog is left";
}

// ---- Add Song ----

TEST_F(PlaylistDialogs, AddAllReplacesThePlaylistByEveryTrackOfTheDisc) {
    Start(12, "[4D2]\r\n0=One\r\nnumplay=2\r\norder=4 1 \r\n");
    List().SetMarked(1, 1);
    ASSERT_EQ("05. Unknown track=5|02. Unknown track=2*", Entries());
    HWND adder = OpenWith(PlaylistForm::btAdd);
    EXPECT_EQ("Add Song to Playlist", TextOf(adder));
    Press(adder, IDC_ADD_ALL);
    EXPECT_FALSE(IsWindow(adder));
    std::string expected = "01. One=1*";
    for (int i = 2; i <= 12; i++)
        expected += "|" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                    ". Unknown track=" + std::to_string(i);
    EXPECT_EQ(expected, Entries());
}

// ---- Both: one window each, no disc, the end ----

// Opening again brings the one window to the front; without a read disc the lists stay empty
// until they are opened again.
TEST_F(PlaylistDialogs, OpeningAgainBringsTheOneWindowToTheFrontAndEmptyListsWaitForADisc) {
    Start(3, threeNames, false);
    HWND adder = OpenWith(PlaylistForm::btAdd);
    HWND editor = OpenWith(PlaylistForm::btEdit);
    EXPECT_EQ(editor, GetForegroundWindow());
    EXPECT_EQ(adder, OpenWith(PlaylistForm::btAdd));
    EXPECT_EQ(adder, GetForegroundWindow());
    EXPECT_EQ(1, WindowsCaptioned("Add Song to Playlist"));
    EXPECT_EQ(2, app.dialogCount);
    Tick();
    ASSERT_EQ(3, List().GetCount()) << "the disc is read now";
    EXPECT_EQ("", ::Entries(Item(adder, IDC_ADD_LIST)));
    EXPECT_EQ("", ::Entries(Item(editor, IDC_EDIT_LIST)));
    EXPECT_EQ("", TextOf(Item(editor, IDC_EDIT_ARTIST)));

    drive.OpenDoor();
    Tick();
    ASSERT_EQ(0, engine->discRead) << "the open door made the engine forget the disc";
    Press(editor, IDC_EDIT_SAVE);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ("<none>|", Stored({"EntryType"}));

    drive.CloseDoor();
    Tick();
    Press(adder, IDC_ADD_CLOSE);
    EXPECT_EQ(0, WindowsCaptioned("Add Song to Playlist") + WindowsCaptioned("Edit playlist"));
    EXPECT_EQ(0, app.dialogCount);
    EXPECT_EQ("01. Alpha|02. Beta|03. Gamma",
              ::Entries(Item(OpenWith(PlaylistForm::btAdd), IDC_ADD_LIST)));
}

// A disc change closes both dialogs: their lists belong to the disc that left, and nothing of
// it may reach the next disc's section or playlist. They also go with the playlist window,
// which still saves the order.
TEST_F(PlaylistDialogs, ADiscChangeOrThePlaylistWindowsEndClosesBothDialogs) {
    Start(3, threeNames);
    for (int how : {0, 1, 2}) {
        HWND adder = OpenWith(PlaylistForm::btAdd);
        HWND editor = OpenWith(PlaylistForm::btEdit);
        if (how == 0) {
            drive.OpenDoor();
            Tick();
            drive.CloseDoor();
        }
        if (how == 1) engine->ChangeDisc("D:");
        if (how == 2) {
            folder.Write("cdplayer.ini", threeNames); // the order saved before goes
            DestroyWindow(form->hwnd);
            Pump();
        }
        EXPECT_FALSE(IsWindow(adder)) << how;
        EXPECT_FALSE(IsWindow(editor)) << how;
        EXPECT_EQ(0, app.dialogCount);
        if (how < 2) Tick();
    }
    EXPECT_EQ("3|", Stored({"numplay"})) << "the playlist window still saved the order";
}

} // namespace
