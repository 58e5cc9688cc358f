// The player and playlist windows at work on a simulated drive and mixer: the real windows
// and controls take clicks, keys, menu choices, tray callbacks and drags, and the tests read
// back what the displays, the drive, the mixer and the files show.
#include "app/Settings.h"
#include "app/Utf8.h"
#include "disc/DiscImage.h"
#include "disc/WaveFile.h"
#include "forms/DiscImageMount.h"
#include "forms/ImageChooser.h"
#include "forms/PlayerMenu.h"
#include "forms/PlaylistForm.h"
#include "res/resource.h"
#include "support/TestProgram.h"
#include "vdrive/VirtualCdDrive.h"
#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The program on a 200, 150 and 100 s disc (serial 4D2) with stored names and the mixer's CD
// line at 30000 and 40000.
class Player : public ::testing::Test, protected TestProgram {
protected:
    void SetUp() override {
        folder.Write("cdplayer.ini", "[4D2]\r\nartist=Ana Lux\r\ntitle=Night Drive\r\n0=Alpha\r\n"
                                     "1=Beta\r\n2=Gamma\r\n");
        drive.InsertDisc({{200 * 75, false}, {150 * 75, false}, {100 * 75, false}});
        drive.SetFileSystemSerial(0x4D2);
        mixerDevice.PresetValue(SimulatedMixer::cdVolumeId, 0, 30000);
        mixerDevice.PresetValue(SimulatedMixer::cdVolumeId, 1, 40000);
    }
    void TearDown() override { Stop(); }

    void Start(const std::string& ini = "") {
        TestProgram::Start("[options]\r\nkeyshortcuts=1\r\n" + ini);
    }

    void Press(HWND button) {
        kit::Play(button, "D2 U2", 2);
        kit::Pump();
    }
    void Click(int button) { Press(form->buttons[button].hwnd); }
    void Command(int id) {
        SendMessageA(form->hwnd, WM_COMMAND, id, 0);
        kit::Pump();
    }
    void Key(WPARAM key) {
        SendMessageA(form->hwnd, WM_KEYDOWN, key, 0);
        SendMessageA(form->hwnd, WM_KEYUP, key, 0);
        kit::Pump();
    }
    // Track, position in seconds and whether the drive plays: "2 0:10 playing".
    std::string Drive() {
        int track = 0, seconds = 0;
        cd.GetCurrentTrack(&track);
        cd.GetTrackSeconds(&seconds);
        char text[64];
        snprintf(text, sizeof text, "%i %i:%02i %s", track, seconds / 60, seconds % 60,
                 cd.IsPlaying() ? "playing" : "stopped");
        return text;
    }
    PlaylistForm& Playlist() { return *form->playlist; }
    WListBox& List() { return form->playlist->list; }
    std::string Read(const char* file, const char* section, const char* key) {
        char text[256] = "";
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof text,
                                 folder.File(file).c_str());
        return text;
    }
    // A drag of a window by a client point with the left button.
    void Drag(HWND window, POINT from, POINT by) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + by.x, from.y + by.y));
        SendMessageA(window, WM_LBUTTONUP, 0, 0);
        kit::Pump();
    }
    void PlaceWindows(POINT player, RECT list) {
        form->SetPosition(player.x, player.y);
        Playlist().SetWindowPosition(nullptr, list.left, list.top, list.right - list.left,
                                     list.bottom - list.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

// ---- Transport: buttons, keys, media keys; the menu ----

TEST_F(Player, ButtonsKeysMediaKeysAndTheMenuDriveTheDiscAndTheOptions) {
    Start("showplaylist=1\r\nintroplaylen=30\r\n");
    Tick();
    Click(MainForm::btPlay);
    Tick(6);
    EXPECT_EQ("1 0:01 playing", Drive());
    EXPECT_EQ("00:01 03:20", Shows(MainForm::tbPosition) + " " + Shows(MainForm::tbTrackLength));
    // Letter keys press the buttons; media keys arrive as app commands while the player has
    // the focus and as hot keys when it has not, and play/pause pauses a playing disc and plays
    // a stopped one. Each step's input, then after a tick the drive and the status.
    auto click = [&](int button) { return [=] { Click(button); }; };
    auto key = [&](WPARAM letter) { return [=] { Key(letter); }; };
    auto app = [&](int command) {
        return [=] {
            EXPECT_EQ(TRUE, SendMessageA(form->hwnd, WM_APPCOMMAND, (WPARAM)form->hwnd,
                                         MAKELPARAM(0, command | FAPPCOMMAND_KEY)));
        };
    };
    auto hotKey = [&](WPARAM id, UINT key) {
        return [=] { SendMessageA(form->hwnd, WM_HOTKEY, id, MAKELPARAM(0, key)); };
    };
    const char *playing = "Playing", *paused = "Pause", *stopped = "Stop";
    const struct {
        std::function<void()> input;
        const char *drive, *status;
    } steps[] = {{click(MainForm::btNext), "2 0:00 playing", playing},
                 {click(MainForm::btPause), nullptr, paused},
                 {click(MainForm::btPause), nullptr, playing},
                 {click(MainForm::btPrev), "1 0:00 playing", playing},
                 {click(MainForm::btStop), "1 0:00 stopped", stopped},
                 {key('X'), "1 0:00 playing", playing},
                 {key('B'), "2 0:00 playing", playing},
                 {key('Y'), "1 0:00 playing", playing},
                 {key('V'), "1 0:00 stopped", stopped},
                 {[&] { Command(IDM_KEY_SHORTCUTS), Key('X'); }, "1 0:00 stopped", stopped},
                 {app(APPCOMMAND_MEDIA_PLAY_PAUSE), "1 0:00 playing", playing},
                 {app(APPCOMMAND_MEDIA_NEXTTRACK), "2 0:00 playing", playing},
                 {app(APPCOMMAND_MEDIA_PLAY_PAUSE), nullptr, paused},
                 {app(APPCOMMAND_MEDIA_PLAY_PAUSE), nullptr, playing},
                 {hotKey(4, VK_MEDIA_PREV_TRACK), "1 0:00 playing", playing},
                 {hotKey(2, VK_MEDIA_STOP), "1 0:00 stopped", stopped}};
    for (const auto& step : steps) {
        step.input();
        Tick();
        if (step.drive) {
            EXPECT_EQ(step.drive, Drive()) << &step - steps;
        }
        EXPECT_EQ(step.status, Shows(MainForm::tbStatus)) << &step - steps;
    }
    EXPECT_EQ("02. Beta", (Click(MainForm::btNext), Tick(), Shows(MainForm::tbTrackName)));

    // The menu marks an option that is on, the intro length and the scale in force.
    auto marked = [&](int id) {
        PlayerMenu shown(Module(), settings);
        return (GetMenuState(shown.Popup(), UINT(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_EQ(std::vector<bool>({true, false, true, false}),
              std::vector<bool>({marked(IDM_STOP_ON_EXIT), marked(IDM_REPEAT_TRACK),
                                 marked(IDM_INTRO_5 + 10 * 3), marked(IDM_INTRO_5 + 10 * 2)}));
    for (int chosen : {2, 0}) {
        Command(IDM_SCALE_AUTO + chosen);
        EXPECT_EQ(chosen, settings.scale);
        EXPECT_EQ(std::vector<bool>({chosen == 0, chosen == 2}),
                  std::vector<bool>({marked(IDM_SCALE_AUTO), marked(IDM_SCALE_AUTO + 2)}));
    }
    *PlayerMenu::ToggledOption(settings, IDM_REPEAT_TRACK) = 5;
    Command(IDM_REPEAT_TRACK);
    EXPECT_EQ(0, settings.repeatTrack) << "a stored 5 is on, and toggles off";

    Command(IDM_INTRO_5 + 10 * 6);
    EXPECT_EQ(120, settings.introPlayLen);
    // Show Playlist follows the window's visibility, the button follows the window.
    Command(IDM_SHOW_PLAYLIST);
    EXPECT_FALSE(Playlist().IsVisible());
    Click(MainForm::btShowPlaylist);
    EXPECT_TRUE(Playlist().IsVisible());
    EXPECT_EQ(1, settings.showPlaylist);
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(form->hwnd));
}

// ---- Disc images opened from the player ----

// The player with a virtual drive and three images in its folder: "A" a folder of one WAVE
// file, "B" a folder of two, "C\\disc.cue" a sheet; "bad.cue" fails at its line 3.
class PlayerWithImages : public Player {
protected:
    void SetUp() override {
        Player::SetUp();
        for (const char* image : {"A", "B", "C"})
            CreateDirectoryA(folder.File(image).c_str(), nullptr);
        const std::string second = CdWave(std::string(2352 * 75, '\1'));
        folder.Write("A\\1.wav", second);
        folder.Write("B\\1.wav", second);
        folder.Write("B\\2.wav", second + second);
        folder.Write("C\\c.bin", std::string(2352 * 75 * 3, '\0'));
        folder.Write("C\\disc.cue", "FILE \"c.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                                    "    INDEX 01 00:00:00\r\n");
        folder.Write("bad.cue", "FILE \"c.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                                "  INDEX 01 00:99:00\r\n");
        DiscImageMount::showMessage = Record;
        told.clear();
    }
    void TearDown() override {
        Player::TearDown();
        DiscImageMount::showMessage = shownBefore;
        ImageChooser::getOpenFileName = GetOpenFileNameW;
        ImageChooser::browseForFolder = SHBrowseForFolderW;
    }
    static int Record(HWND, const char* text, const char*) {
        told.push_back(text);
        return IDOK;
    }
    // The identifier of the image's disc, read without the player.
    static std::string DiscOf(const std::string& path) {
        VirtualCdDrive probe('W');
        probe.Insert(VirtualDisc::FromImage(std::make_shared<DiscImage>(path)));
        return probe.DiscId();
    }
    // Files dropped as the shell drops them: a DROPFILES header, then each name ended by a
    // zero, then one more zero. The receiver frees it.
    static HDROP Drop(const std::vector<std::string>& files) {
        std::wstring names;
        for (const std::string& file : files)
            names += Utf8::ToWide(file) + L'\0';
        names += L'\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        return static_cast<HDROP>(memory);
    }
    // The "Recent Images" submenu, entry by entry, with "~" before a greyed one.
    std::string RecentMenu() {
        PlayerMenu menu(Module(), settings);
        HMENU recent = GetSubMenu(menu.Popup(), 4);
        std::string entries;
        for (int i = 0; i < GetMenuItemCount(recent); i++) {
            wchar_t wide[MAX_PATH + 8] = L"";
            GetMenuStringW(recent, UINT(i), wide, MAX_PATH + 8, MF_BYPOSITION);
            const bool grey = GetMenuState(recent, UINT(i), MF_BYPOSITION) & MF_GRAYED;
            entries += (grey ? "~" : "") + Utf8::FromWide(wide) + "|";
        }
        return entries;
    }

    // The open dialogs, answered with `answer` (empty: cancelled).
    static BOOL WINAPI AnswerFile(OPENFILENAMEW* request) {
        lstrcpynW(request->lpstrFile, Utf8::ToWide(answer).c_str(), int(request->nMaxFile));
        return !answer.empty();
    }
    static PIDLIST_ABSOLUTE WINAPI AnswerFolder(BROWSEINFOW*) {
        return answer.empty() ? nullptr : ILCreateFromPathW(Utf8::ToWide(answer).c_str());
    }

    inline static std::vector<std::string> told;
    inline static std::string answer;
    int (*shownBefore)(HWND, const char*, const char*) = DiscImageMount::showMessage;
    VirtualCdDrive images{'V', &clock};
    Shared<VirtualCdDrive> imagesShared{virtualDrive, &images};
};

// The menu's open dialogs answer through the platform's calls; each image opened goes to the
// front of "Recent Images", which opens it again. Dropped on either window, the first file
// goes in; a broken one is named with its line and the disc stays.
TEST_F(PlayerWithImages, OpenedAndDroppedImagesGoIntoTheVirtualDriveAndUnderRecentImages) {
    ImageChooser::getOpenFileName = AnswerFile;
    ImageChooser::browseForFolder = AnswerFolder;
    Start("showplaylist=1\r\n");
    EXPECT_EQ("~(none)|", RecentMenu());
    const std::string a = folder.File("A"), cue = folder.File("C\\disc.cue");
    for (const std::string& path : {std::string(), cue}) {
        answer = path;
        Command(IDM_OPEN_IMAGE);
    }
    EXPECT_EQ(DiscOf(cue), images.DiscId());
    answer = a;
    Command(IDM_OPEN_FOLDER);
    EXPECT_EQ(DiscOf(a), images.DiscId());
    EXPECT_EQ("&1 " + a + "|&2 " + cue + "|", RecentMenu());
    Command(IDM_RECENT_FIRST + 1);
    EXPECT_EQ(DiscOf(cue), images.DiscId());
    EXPECT_EQ("&1 " + cue + "|&2 " + a + "|", RecentMenu());

    const std::string b = folder.File("B"), bad = folder.File("bad.cue");
    const struct {
        HWND window;
        std::vector<std::string> files;
        std::string disc, told;
    } rows[] = {{Playlist().hwnd, {b, a}, b, ""}, {form->hwnd, {bad, a}, b, "bad.cue"}};
    for (const auto& r : rows) {
        SendMessageA(r.window, WM_DROPFILES, WPARAM(Drop(r.files)), 0);
        kit::Pump();
        EXPECT_EQ(DiscOf(r.disc), images.DiscId()) << r.files[0];
        EXPECT_EQ(r.disc, settings.discImage);
        EXPECT_EQ("V:", std::string(settings.drive));
        ASSERT_EQ(r.told.empty() ? 0u : 1u, told.size()) << r.files[0];
    }
    EXPECT_NE(std::string::npos, told[0].find("bad.cue, line 3")) << told[0];
    // Closed as the close button does; the entry point's part saves.
    Click(MainForm::btClose);
    EXPECT_FALSE(IsWindow(form->hwnd));
    Stop();
    EXPECT_EQ(b, Read("lumivoxe.ini", "recent", "1"));
}

// ---- Minimize and the tray ----

// Started in the tray, a left click on the icon brings both windows back; ESC puts both in
// the tray again.
TEST_F(Player, TheTrayIconTakesBothWindowsAndSurvivesAShellRestart) {
    Start("minimizeonstart=1\r\nminimizetotray=1\r\nshowplaylist=1\r\nescminimize=1\r\n"
          "keyshortcuts=0\r\n");
    EXPECT_FALSE(IsWindowVisible(form->hwnd));
    EXPECT_FALSE(Playlist().IsVisible());
    SendMessageA(form->hwnd, WForm::trayMessage, MainForm::trayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(form->hwnd));
    EXPECT_TRUE(Playlist().IsVisible());
    EXPECT_FALSE(form->DeleteTrayIcon(MainForm::trayIconId)) << "the icon is gone";
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(form->hwnd));
    EXPECT_FALSE(Playlist().IsVisible());

    // A restarted shell has forgotten the icon and takes it again; one that refuses it (here
    // because it still has it) brings the player out, within reach.
    form->DeleteTrayIcon(MainForm::trayIconId);
    for (int shellStart : {1, 2}) {
        SendMessageA(form->hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_EQ(shellStart == 1 ? 1 : 0, form->inTray) << shellStart;
        EXPECT_EQ(shellStart == 2, IsWindowVisible(form->hwnd) != FALSE) << shellStart;
    }
}

// ---- Volume ----

// A volume control with nothing audible behind it shows disabled: the channels and mute of a
// real drive's disc without a CD line, everything without a sound card.
TEST_F(Player, VolumeControlsWithNothingBehindThemAreDisabled) {
    const struct {
        SimulatedMixer::Layout layout;
        bool channels, master;
    } rows[] = {{SimulatedMixer::Layout::withCdLine, true, true},
                {SimulatedMixer::Layout::withoutCdLine, false, true},
                {SimulatedMixer::Layout::noDevice, false, false}};
    for (const auto& r : rows) {
        mixerDevice = SimulatedMixer(r.layout);
        Start();
        const bool enabled[] = {r.channels, r.channels, r.master, r.channels};
        const HWND controls[] = {
            form->sliders[MainForm::sbLVolume].hwnd, form->sliders[MainForm::sbRVolume].hwnd,
            form->sliders[MainForm::sbMVolume].hwnd, form->buttons[MainForm::btMuteVolume].hwnd};
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(enabled[i], IsWindowEnabled(controls[i]) != FALSE) << i;
        Stop();
    }
}

// ---- Seeking, dragging, snapping and the playlist's commands ----

TEST_F(Player, SeekDragShowsTheDraggedTimeAndPlaysFromThereOnRelease) {
    Start("playonstart=1\r\nelapsedtime=0\r\n");
    Tick(2);
    WScrollbar& seek = form->sliders[MainForm::sbPos];
    auto drag = [&](WORD code) {
        SendMessageA(form->hwnd, WM_HSCROLL, MAKEWPARAM(code, 120), (LPARAM)seek.hwnd);
    };
    drag(SB_THUMBTRACK);
    EXPECT_EQ("01:20", Shows(MainForm::tbPosition)) << "200 s - 120 s remaining";
    Tick(3);
    EXPECT_EQ("01:20", Shows(MainForm::tbPosition)) << "no tick while dragging";
    EXPECT_EQ(120, seek.GetPosition());
    drag(SB_THUMBPOSITION);
    Tick();
    EXPECT_EQ("1 2:00 playing", Drive());
    Tick(6);
    EXPECT_EQ("01:19", Shows(MainForm::tbPosition));
    // A click on the time switches to the elapsed time.
    Press(form->textBoxes[MainForm::tbPosition].hwnd);
    Tick();
    EXPECT_EQ(1, settings.elapsedTime);
    EXPECT_EQ("02:01", Shows(MainForm::tbPosition));
}

// Dragging the player snaps it to the playlist and carries it when docked; the playlist
// resizes by its grip and edits the order.
TEST_F(Player, ThePlaylistWindowSnapsDocksResizesAndEditsTheOrder) {
    Start("showplaylist=1\r\nsnappixel=10\r\nplayonstart=1\r\n");
    Tick();
    const POINT background = {5, 20};
    HWND player = form->hwnd, list = Playlist().hwnd;
    // The playlist stands right of the player's start, from x 500; the player's left edge
    // goes 9 or 10 pixels right of the playlist's right edge.
    for (int gap : {9, 10}) {
        PlaceWindows({100, 100}, {500, 90, 674, 190});
        Drag(player, background, {674 + gap - 100, 0});
        EXPECT_EQ(gap == 9 ? 674 : 674 + gap, kit::Frame(player).left) << gap;
    }
    // Stacked but side by side, a side edge near the playlist's does not snap.
    PlaceWindows({100, 100}, {500, 216, 674, 316});
    Drag(player, background, {120, 0});
    EXPECT_EQ(220, kit::Frame(player).left);
    // The player's bottom edge 9 above the playlist's top edge snaps onto it.
    PlaceWindows({100, 100}, {100, 400, 274, 500});
    Drag(player, background, {0, 400 - 9 - 116 - 100});
    EXPECT_EQ(400 - 116, kit::Frame(player).top);

    // Docked at the press: both move by the same amount.
    PlaceWindows({100, 100}, {100, 216, 274, 316});
    Drag(player, background, {37, 41});
    EXPECT_EQ(137, kit::Frame(player).left);
    EXPECT_EQ(137, kit::Frame(list).left);
    EXPECT_EQ(257, kit::Frame(list).top);
    // The grip is the bottom-right 15 x 15 square.
    PlaceWindows({100, 100}, {600, 300, 800, 450});
    Drag(list, {200 - 15, 150 - 15}, {30, 20});
    EXPECT_EQ(std::vector<LONG>({230, 170}),
              std::vector<LONG>({kit::Frame(list).right - 600, kit::Frame(list).bottom - 300}));
    EXPECT_EQ(230, settings.playlistW);
    Drag(list, {230 - 5, 170 - 5}, {-500, -500});
    EXPECT_EQ(std::vector<LONG>({174, 98}),
              std::vector<LONG>({kit::Frame(list).right - 600, kit::Frame(list).bottom - 300}))
        << "never below the minimum size";

    // The playlist's commands; the ends of the list for the moves are the list box's test.
    auto order = [&] {
        std::string text;
        for (int i = 0; i < List().GetCount(); i++)
            text += std::to_string(List().GetItemData(i)) + (i == List().GetMarked() ? "*" : "");
        return text;
    };
    auto press = [&](int button) { Press(Playlist().buttons[button].hwnd); };
    EXPECT_EQ("1*23", order());
    List().SetSelection(0, 1);
    press(PlaylistForm::btDelete);
    EXPECT_EQ("1*23", order()) << "the playing entry stays";
    press(PlaylistForm::btSongdown);
    EXPECT_EQ("21*3", order());
    List().SetSelection(2, 1);
    press(PlaylistForm::btDelete);
    EXPECT_EQ("21*", order());

    // Enter on an entry plays it at once.
    List().SetSelection(0, 1);
    SendMessageA(List().hwnd, WM_KEYDOWN, VK_RETURN, 0);
    Tick();
    EXPECT_EQ("2 0:00 playing", Drive());
    EXPECT_EQ("2*1", order());

    press(PlaylistForm::btClose);
    EXPECT_FALSE(Playlist().IsVisible());
    EXPECT_EQ(0, settings.showPlaylist);
}

// ---- A session that ends, and a whole run ----

// Dragging a volume slider shows the percentage and writes the mixer; a tick after the drag
// shows the status again. Play, then the end of the session: it saves what an exit would,
// and stops the disc.
TEST_F(Player, VolumeSlidersWriteTheMixerAndTheEndOfTheSessionSavesAndStopsTheDisc) {
    Start();
    WScrollbar* sliders = form->sliders;
    EXPECT_EQ(655 - 30000 / 100, sliders[MainForm::sbLVolume].GetPosition());
    auto drag = [&](int slider, int position, WORD code = SB_THUMBTRACK) {
        SendMessageA(form->hwnd, WM_VSCROLL, MAKEWPARAM(code, position),
                     (LPARAM)sliders[slider].hwnd);
    };
    drag(MainForm::sbLVolume, 0);
    EXPECT_EQ("Volume: 100", Shows(MainForm::tbStatus));
    EXPECT_EQ(65500u, mixerDevice.Value(SimulatedMixer::cdVolumeId, 0));
    EXPECT_EQ(655 - 400, sliders[MainForm::sbRVolume].GetPosition()) << "unlocked: stays";
    Tick();
    EXPECT_EQ("Volume: 100", Shows(MainForm::tbStatus)) << "while the drag lasts";
    drag(MainForm::sbLVolume, 0, SB_THUMBPOSITION);
    Tick();
    EXPECT_EQ("Stop", Shows(MainForm::tbStatus));
    Tick(2);
    Click(MainForm::btPlay);
    Tick(6);
    EXPECT_EQ(1, form->sliders[MainForm::sbPos].GetPosition()) << "the seek slider follows";
    form->SetPosition(60, 70);
    EXPECT_EQ(TRUE, SendMessageA(form->hwnd, WM_QUERYENDSESSION, 0, 0));
    SendMessageA(form->hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(cd.IsPlaying()) << "stoponexit";
    EXPECT_EQ("60", Read("lumivoxe.ini", "position", "x"));
}

} // namespace
