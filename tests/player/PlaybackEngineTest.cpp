#include "player/PlaybackEngine.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WIniKey.h"
#include "devices/SimulatedCdDrive.h"
#include "devices/WMCIAudioCD.h"
#include "player/PlaylistView.h"
#include "res/resource.h"
#include "support/RenameCounter.h"
#include "support/TempFolder.h"

#include <dbt.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// The playlist list box in memory, with the list box's own rules for the mark.
struct FakePlaylist : PlaylistView {
    std::vector<std::string> texts;
    std::vector<int> data; // the item values
    int marked = -1;

    int Count() const override { return int(data.size()); }
    int ItemData(int index) const override { return data.at(size_t(index)); }
    void ItemText(int index, char* buffer, int size) const override {
        snprintf(buffer, size_t(size), "%s", texts.at(size_t(index)).c_str());
    }
    int Marked() const override { return marked; }
    void SetMarked(int index, int) override { marked = index; }
    int PreviousMarked() const override { return marked > 0 ? marked - 1 : 0; }
    int NextMarked() const override { return marked + 1 == Count() ? 0 : marked + 1; }
    int FindByData(int value) const override {
        auto found = std::find(data.begin(), data.end(), value);
        return found == data.end() ? 0 : int(found - data.begin());
    }
    void Clear(int) override { texts.clear(), data.clear(), marked = -1; }
    int Add(const char* text, int value, int) override {
        texts.push_back(text), data.push_back(value);
        return Count() - 1;
    }
};

// The player window's displays in memory. Calls after the close request are counted: the
// real displays are gone by then.
struct FakeDisplays : EngineDisplays {
    std::map<Display, std::string> texts;
    int seekPosition = -1, callsAfterClose = 0;
    bool closed = false;
    std::function<void()> onClose = [] {};

    void SetText(Display display, const char* text) override { Touch(), texts[display] = text; }
    void SetSeekRange(int) override { Touch(); }
    void SetSeekPosition(int position) override { Touch(), seekPosition = position; }
    void CloseWindow() override { Touch(), closed = true, onClose(); }
    std::string Text(Display d) const { return texts.count(d) ? texts.at(d) : "<unset>"; }
    void Touch() { callsAfterClose += closed; }
};

using Starts = std::vector<std::pair<int, int>>; // disc track and second of each start seen

// A simulated drive on D: under a hand-driven clock with a disc in it, the engine on it, and
// the playlist and displays in memory; a disc section holding [options] is the settings too. Run()
// lets time pass in status-timer steps and notes every start of a track that the drive is seen
// playing after a tick.
struct Bench {
    TempFolder folder;
    WIniKey discFile{folder.File("cdplayer.ini").c_str()};
    ManualClock clock;
    SimulatedCdDrive drive{'D', &clock};
    WMCIAudioCD cd{&drive};
    Settings options;
    PlayRequest request;
    FakePlaylist list;
    FakeDisplays shown;
    PlaybackEngine engine{cd, discFile, options, request, [](unsigned n) { return 1000 % n; }};
    Starts starts;
    int lastTrack = 0, lastSecond = 0;

    explicit Bench(std::vector<int> seconds, const std::string& section = "") {
        EXPECT_EQ(1, cd.Open("D:"));
        engine.AttachViews(&list, &shown);
        Insert(seconds, section);
        if (section.find("[options]") != std::string::npos) LoadSettings(discFile, options);
    }
    // Whole seconds per track, negative for a data track; the disc's section 4D2 gets the
    // given keys.
    void Insert(std::vector<int> seconds, const std::string& section = "") {
        std::vector<SimulatedTrack> tracks;
        for (int s : seconds)
            tracks.push_back({DWORD(s < 0 ? -s : s) * 75, s < 0});
        folder.Write("cdplayer.ini", "[4D2]\n" + section);
        drive.InsertDisc(tracks);
        if (!tracks.empty()) drive.SetFileSystemSerial(0x4D2);
    }
    void Tick() {
        engine.StatusTick(IDT_STATUS);
        int track = 0, seconds = 0;
        if (cd.IsPlaying() && cd.GetCurrentTrack(&track) && cd.GetTrackSeconds(&seconds) &&
            (track != lastTrack || seconds < lastSecond))
            starts.push_back({track, seconds});
        lastTrack = track;
        if (track) lastSecond = seconds;
    }
    void Run(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 200)
            clock.Advance(200), Tick();
    }
};

// 25 s from a new disc under each setting: the starts seen and the last second seen playing,
// or -1 for repeating rows, which are compared on their first starts only.
TEST(PlaybackEngine, NewDiscPlaysTheEntriesTheSettingsCallFor) {
    const std::string order = "numplay=2\norder=2 0 \n", // tracks 3 (5 s, the last), 1 (3 s)
        play = "[options]\nplayonstart=1\n", intro = play + "introplay=1\nintroplaylen=5\n";
    const struct {
        std::vector<int> tracks;
        std::string section;
        Starts starts;
        int lastSecond;
    } rows[] = {
        {{3, 4, 5}, order + play, {{3, 0}, {1, 0}}, 2}, // 1 stopped running on into 2
        {{3, 4, 5}, order + play + "repeatplaylist=1\n", {{3, 0}, {1, 0}, {3, 0}, {1, 0}}, -1},
        {{3, 4, 5}, order + play + "repeattrack=1\n", {{3, 0}, {3, 0}, {3, 0}}, -1},
        // The last track reads one frame short: 40 s. Random starts are 1000 % (length - 5);
        // the 3 s track has no room for one.
        {{60, 3, 41}, intro, {{1, 0}, {2, 0}, {3, 0}}, 4},
        {{60, 3, 41}, intro + "randomintro=1\n", {{1, 10}, {2, 0}, {3, 20}}, 24},
        {{-10, 3, 3, 3}, play, {{2, 0}, {3, 0}, {4, 0}}, 2}, // a data track first
        // Entries 8 and -1 name no track of the disc: passed over.
        {{3, 3, 3}, "numplay=4\norder=0 7 -2 1 \n" + play, {{1, 0}, {2, 0}}, 2},
        // An intro length of zero or less sets no limit: each track plays whole.
        {{6, 4}, play + "introplay=1\nrandomintro=1\nintroplaylen=-5\n", {{1, 0}, {2, 0}}, 3},
    };
    for (const auto& r : rows) {
        Bench b(r.tracks, r.section);
        b.Run(25000);
        if (r.lastSecond < 0) b.starts.resize(r.starts.size());
        EXPECT_EQ(r.starts, b.starts) << "row " << &r - rows;
        EXPECT_TRUE(r.lastSecond < 0 || r.lastSecond == b.lastSecond)
            << "row " << &r - rows << " stopped at " << b.lastSecond;
    }
}

// A drive that runs on into the track the next entry plays is left playing: starting that
// track again would be heard as a stutter at each boundary.
TEST(PlaybackEngine, RunningOnIntoTheNextEntrysTrackGoesOnWithoutARestart) {
    const struct {
        std::string order;
        unsigned plays;
        Starts starts;
    } rows[] = {{"", 1, {{1, 0}, {2, 0}, {3, 0}}},
                {"numplay=3\norder=0 2 1 \n", 3, {{1, 0}, {3, 0}, {2, 0}}}};
    for (const auto& r : rows) {
        Bench b({3, 3, 3}, r.order + "[options]\nplayonstart=1\n");
        b.Run(12000);
        EXPECT_EQ(r.starts, b.starts) << r.order;
        EXPECT_EQ(r.plays, b.drive.CurrentRun().number) << r.order;
        EXPECT_EQ(2, b.list.Marked()) << "the last entry is marked";
    }
    // Ticks 4 s apart, as on a busy machine: each track is found seconds in, and goes on.
    Bench late({5, 5, 5}, "[options]\nplayonstart=1\n");
    for (int tick = 0; tick < 4; tick++)
        late.clock.Advance(4000), late.Tick();
    EXPECT_EQ(Starts({{1, 0}, {2, 3}, {3, 2}}), late.starts);
    EXPECT_EQ(1u, late.drive.CurrentRun().number);
}

TEST(PlaybackEngine, AnOpenedDoorBlanksTheDisplaysAndListButKeepsTheStoredOrder) {
    for (int exitOnRemove : {0, 1}) {
        Bench b({30, 30}, "1=Opening\nnumplay=2\norder=1 0 \n");
        b.options.playOnStart = 1;
        b.options.exitOnRemove = exitOnRemove;
        b.Run(1000);
        EXPECT_EQ("02. Opening", b.shown.Text(Display::TrackName));
        int saved = -1;
        b.shown.onClose = [&] { saved = b.engine.SaveDiscOrder(); }; // as the closing window
        b.drive.OpenDoor();
        b.Tick();
        EXPECT_EQ(exitOnRemove == 1, b.shown.closed);
        EXPECT_EQ(0, b.shown.callsAfterClose);
        EXPECT_EQ(exitOnRemove ? 0 : -1, saved);
        EXPECT_EQ(0, b.engine.SaveDiscOrder());
        EXPECT_NE(std::string::npos, b.folder.Read("cdplayer.ini").find("numplay=2"));
        EXPECT_EQ(0, b.list.Count());
        for (Display display : {Display::Position, Display::TrackName})
            EXPECT_EQ("", b.shown.Text(display));
        EXPECT_EQ(exitOnRemove ? "Playing" : "Eject", b.shown.Text(Display::Status));
    }
    // A paused disc taken out: the next disc is not paused and shows its own length.
    Bench b({97, 30}, "[options]\nplayonstart=1\n");
    b.Run(1000);
    b.engine.TogglePause();
    b.Run(400);
    b.drive.OpenDoor();
    b.Tick();
    b.options.playOnStart = 0;
    b.Insert({45, 20});
    b.drive.CloseDoor();
    b.Run(600);
    EXPECT_EQ("Stop 00:45",
              b.shown.Text(Display::Status) + " " + b.shown.Text(Display::TrackLength));
}

// Disc track 1 is data: disc track n is audio track n - 1.
TEST(PlaybackEngine, PlayRequestsSeeksAndPausesMoveTheDriveAndTheDisplays) {
    Bench b({-10, 190, 30, 30});
    b.request = {1, 4};
    b.drive.PlayFromOutside(b.drive.TrackStart(2)); // stopped first, then the request plays
    b.Tick();
    b.Tick();
    b.engine.PlayRequested(3);
    b.Run(1400);
    b.engine.PlayRequested(1); // the data track: ignored
    b.Run(200);
    b.engine.StopPlay();
    b.engine.PlayRequested(2);
    b.Run(2000);
    EXPECT_EQ("01. Unknown track", b.shown.Text(Display::TrackName));
    auto drag = std::make_optional(b.engine.HoldTicks()); // the seek slider is being dragged
    b.Run(1000);
    EXPECT_EQ("00:02", b.shown.Text(Display::Position));
    b.engine.SeekTo(100);
    drag.reset();
    b.Run(200);
    b.engine.TogglePause();
    b.Run(3000);
    EXPECT_EQ("Pause 01:40", b.shown.Text(Display::Status) + " " + b.shown.Text(Display::Position));
    EXPECT_EQ(100, b.shown.seekPosition);
    b.engine.TogglePause();
    b.Run(200);
    EXPECT_EQ(Starts({{4, 0}, {3, 0}, {2, 0}, {2, 100}}), b.starts);
    EXPECT_EQ("Playing", b.shown.Text(Display::Status));

    // Play after a pause starts afresh, so the next Pause pauses again.
    b.engine.TogglePause();
    b.Run(400);
    b.engine.StartPlay();
    b.Run(1000);
    b.engine.TogglePause();
    b.Run(1000);
    EXPECT_EQ("Pause 00:01", b.shown.Text(Display::Status) + " " + b.shown.Text(Display::Position));
}

TEST(PlaybackEngine, NewDiscWaitsWithItsFirstEntryMarkedUnlessNoEntryCanPlay) {
    Bench b({30, 30}, "numplay=2\norder=1 0 \n");
    b.Run(400);
    EXPECT_EQ(0, b.list.marked);
    EXPECT_EQ("Stop 02. Unknown track",
              b.shown.Text(Display::Status) + " " + b.shown.Text(Display::TrackName));
    EXPECT_EQ(Starts(), b.starts);
    Bench none({30, 30}, "numplay=2\norder=7 9 \n[options]\nplayonstart=1\n");
    none.Run(1000);
    none.engine.StartPlay();
    none.Run(400);
    EXPECT_EQ(Starts(), none.starts);
    EXPECT_EQ("No track", none.shown.Text(Display::Status));
}

TEST(PlaybackEngine, StepsAtTheEndsOfTheListAndTheRemainingTimeWhileStopped) {
    Bench b({190, 30, 30});
    b.options.elapsedTime = 0;
    b.Tick();
    b.engine.StartPlay();
    b.Run(1000);
    b.engine.StopPlay();
    b.engine.SeekTo(80); // on a stopped drive: only the start point moves
    b.Run(200);
    EXPECT_EQ("01:50 Stop", b.shown.Text(Display::Position) + " " + b.shown.Text(Display::Status));
    EXPECT_EQ(80, b.shown.seekPosition);
    b.engine.SeekTo(250); // past the track's end: nothing remains
    b.Run(200);
    EXPECT_EQ("00:00", b.shown.Text(Display::Position));
    b.engine.StartPlay(); // starts the track anew, not at the seek point
    b.Run(400);
    EXPECT_EQ(Starts({{1, 0}, {1, 0}}), b.starts);
    b.engine.StopPlay();
    // "repeatplaylist" off: back from the first stays on it, on from the last keeps the mark.
    b.engine.StepPrevious();
    EXPECT_EQ(0, b.list.marked);
    b.engine.StepNext(), b.engine.StepNext(), b.engine.StepNext();
    EXPECT_EQ(2, b.list.marked);
    EXPECT_EQ(1, b.engine.currentTrack); // entry 0's track is prepared after the last
    b.options.repeatPlaylist = 1;
    b.list.marked = 2;
    b.engine.StepNext();
    EXPECT_EQ(0, b.list.marked);
}

TEST(PlaybackEngine, DiscWithNothingToPlayShowsWhyAndPlaysNothing) {
    Bench b({-100});
    b.Tick();
    EXPECT_EQ("Data disc", b.shown.Text(Display::TrackName));
    b.Insert({}); // no readable table of contents
    b.Tick();
    EXPECT_EQ("Error !!!", b.shown.Text(Display::TrackName));
    EXPECT_EQ(0, b.engine.discRead);
    b.Insert({3, 3, 3}, "numplay=2\norder=\"  \"\n"); // read again: an empty playlist
    b.Tick();
    EXPECT_EQ(1, b.engine.discRead);
    b.engine.StartPlay();
    b.engine.StepNext();
    b.engine.StepPrevious();
    b.Run(400);
    EXPECT_EQ(Starts(), b.starts);
    EXPECT_EQ(-1, b.list.marked); // never a mark past the end of the list
}

// A disc arriving in another drive is followed only with autoswitch on; a drive chosen by hand
// keeps the order of the disc it leaves, as at the end of a session. Either way the next tick
// reads the disc, but not while anyone holds the ticks (a seek drag).
TEST(PlaybackEngine, DriveChangesFollowAutoswitchKeepTheOrderAndWaitForTheLastHold) {
    Bench b({30, 40, 50});
    b.Tick();
    auto arrival = [&](DWORD mask) {
        DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, mask, DBTF_MEDIA};
        EXPECT_EQ(1, b.engine.OnDeviceChange(DBT_DEVICEARRIVAL, (LPARAM)&volume));
    };
    arrival(1u << 5); // F:, but autoswitch is off
    EXPECT_STREQ("", b.options.drive);
    b.options.autoSwitch = 1;
    arrival(1u << 5 | 1u << 3); // the lowest drive of the mask; the device opens again on it
    EXPECT_STREQ("D:", b.options.drive);
    EXPECT_EQ(0, b.engine.discRead);
    EXPECT_EQ(1, b.drive.OpenDeviceCount());
    arrival(1u << 5); // with no disc read only the drive text changes
    EXPECT_STREQ("F:", b.options.drive);
    EXPECT_STREQ("D:", b.cd.drive);

    b.engine.ChangeDisc("D:");
    b.Tick();
    ASSERT_EQ(std::vector<int>({1, 2, 3}), b.list.data);
    std::swap(b.list.data[0], b.list.data[1]);
    auto drag = std::make_optional(b.engine.HoldTicks());
    b.engine.ChangeDisc("D:");
    EXPECT_NE(std::string::npos, b.folder.Read("cdplayer.ini").find("order=1 0 2 "));
    b.Run(1000);
    EXPECT_EQ(0, b.engine.discRead) << "no tick read the disc while the drag held";
    drag.reset();
    b.Tick();
    EXPECT_EQ(1, b.engine.discRead);
}

TEST(DiscDatabase, StoredOrderGivesTheFirstPieceThenUpToNumplayEntriesAndReadsBackWhatIsSaved) {
    Bench b({}); // the engine's database on the bench's file and list
    const DiscDatabase& database = b.engine.Database();
    auto load = [&](const std::string& section, int audioTracks) {
        database.LoadPlaylist(section.c_str(), audioTracks, b.list);
        return b.list.data;
    };
    b.folder.Write("cdplayer.ini", "[A1]\nnumplay=2\norder=4 1 3 \n4=Fifth song\n"
                                   "[A2]\nnumplay=0\norder=2 \n"
                                   "[A3]\nnumplay=3\norder=\"    \"\n" // spaces only: empty
                                   "[A4]\nnumplay=3\n"                 // no order: disc order
                                   "[A5]\nnumplay=18446744073709551617\norder=1 2 3 \n"); // 2^64+1
    const std::vector<int> all = {1, 2, 3, 4, 5};
    const std::map<std::string, std::vector<int>> cases = {
        {"A1", {5, 2}}, {"A2", {3}}, {"A3", {}}, {"A4", all}, {"A5", {2, 3, 4}}, {"NONE", all}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, load(c.first, 5)) << c.first;
    load("A1", 5);
    EXPECT_EQ(std::vector<std::string>({"05. Fifth song", "02. Unknown track"}), b.list.texts);

    b.list.Clear(0);
    for (int i = 0; i < 400; i++) // far longer than a text value's room
        b.list.Add("x", 1 + (i * 53) % 99, 0);
    std::vector<int> saved = b.list.data;
    RenameCounter replaces(b.folder.Path());
    database.SaveOrder("4D2", b.list);
    EXPECT_EQ(1, replaces.Onto("cdplayer.ini")) << "numplay and order in one replace";
    EXPECT_EQ(saved, load("4D2", 99));

    b.folder.Write("cdplayer.ini", "[4D2]\nnumplay=2\norder=1 0 \n");
    b.list.Clear(0);
    database.SaveOrder("4D2", b.list);
    std::string overlong(1500, 'n');
    const char* names[] = {"Intro", "A song  with   spaces", overlong.c_str()};
    replaces.Onto("cdplayer.ini");
    database.SaveNames("4D2", "The Artist", "An Album", names, 3);
    EXPECT_EQ(1, replaces.Onto("cdplayer.ini")) << "all names in one replace";
    std::string text = b.folder.Read("cdplayer.ini");
    for (const char* line : {"numplay=\n", "order=1 0 \n", "EntryType=1\n", "numtracks=3\n",
                             "artist=The Artist\n", "title=An Album\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), load("4D2", 4)) << "no numplay: disc order";
    EXPECT_EQ("02. A song  with   spaces", b.list.texts[1]);
    EXPECT_EQ("03. " + std::string(995, 'n'), b.list.texts[2]); // fits the list's text buffer
    EXPECT_EQ("04. Unknown track", b.list.texts[3]);

    // A disc without an identifier shares no keys with others: those before the first
    // section are neither read nor written.
    const std::string shared = "numplay=1\norder=2 \n0=Shared\nartist=Someone\n[4D2]\n";
    b.folder.Write("cdplayer.ini", shared);
    EXPECT_EQ(std::vector<int>({1, 2}), load("", 2));
    EXPECT_EQ("01. Unknown track", b.list.texts[0]);
    char artist[100] = "";
    database.ReadArtist("", artist, sizeof artist);
    EXPECT_STREQ("Unknown artist", artist);
    database.SaveOrder("", b.list);
    database.SaveNames("", "Artist", "Album", names, 3);
    EXPECT_EQ(shared, b.folder.Read("cdplayer.ini"));
}

// An image's sheet names its disc until the user saves names of its own; other discs, and
// keys the file has, are untouched by them.
TEST(DiscDatabase, FallbackNamesFillOnlyWhatTheFileLeavesOpen) {
    Bench b({});
    b.folder.Write("cdplayer.ini", "[A1]\ntitle=Kept Title\n1=Stored\n");
    b.engine.SetFallbackNames("A1", DiscNames{"Ana Lux", "Night Songs", {"Dawn", "", "Dusk"}});
    const DiscDatabase& database = b.engine.Database();
    // Artist and title, then tracks 0 to 3 of A1; the artists of another disc and of a disc
    // without an identifier.
    std::string read;
    char text[DiscDatabase::textSize];
    for (const char* disc : {"A1", "B2", ""}) {
        database.ReadArtist(disc, text, sizeof text), read += text + std::string("|");
        if (*disc != 'A') continue;
        database.ReadTitle(disc, text, sizeof text), read += text + std::string("|");
        for (int index = 0; index < 4; index++)
            database.ReadTrackName(disc, index, text, sizeof text), read += text + std::string("|");
    }
    EXPECT_EQ("Ana Lux|Kept Title|Dawn|Stored|Dusk|Unknown track|Unknown artist|Unknown artist|",
              read);
    EXPECT_EQ("[A1]\ntitle=Kept Title\n1=Stored\n", b.folder.Read("cdplayer.ini"));
}

} // namespace
