#include "player/PlaybackEngine.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/WIniKey.h"
#include "devices/SimulatedCdDrive.h"
#include "devices/WMCIAudioCD.h"
#include "res/resource.h"
#include "support/TempFolder.h"
#include "FakeViews.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace {

using Starts = std::vector<std::pair<int, int>>; // disc track and second of each start seen

// A simulated drive on D: under a hand-driven clock with a disc in it, the engine on it, and
// the playlist and displays in memory. Run() lets time pass in status-timer steps and notes
// every start of a track that the drive is seen playing after a tick.
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
        {{30, 40}, "", {}, 0},
        {{30, 40}, play, {{1, 0}}, 24},
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
    };
    for (const auto& r : rows) {
        Bench b(r.tracks, r.section);
        LoadSettings(b.discFile, b.options);
        b.Run(25000);
        if (r.lastSecond < 0) b.starts.resize(r.starts.size());
        EXPECT_EQ(r.starts, b.starts) << "row " << &r - rows;
        if (r.lastSecond >= 0) {
            EXPECT_EQ(r.lastSecond, b.lastSecond) << "row " << &r - rows;
        }
    }
}

TEST(PlaybackEngine, BusyMarkHoldsTicksUntilTheSeekAndPauseHoldsThePosition) {
    Bench b({190, 60});
    b.Tick();
    b.engine.StartPlay();
    b.Run(2000);
    b.engine.busy = 1; // the seek slider is being dragged
    b.Run(1000);
    EXPECT_EQ("00:02", b.shown.Text(Display::Position));
    b.engine.SeekTo(100);
    b.Run(200);
    b.engine.TogglePause();
    b.Run(3000);
    EXPECT_EQ("Pause", b.shown.Text(Display::Status));
    EXPECT_EQ("01:40", b.shown.Text(Display::Position));
    EXPECT_EQ(100, b.shown.seekPosition);
    b.engine.TogglePause();
    b.Run(200);
    EXPECT_EQ(Starts({{1, 0}, {1, 100}}), b.starts);
    EXPECT_EQ("Playing", b.shown.Text(Display::Status));
}

TEST(PlaybackEngine, AnOpenedDoorBlanksTheDisplaysAndListButKeepsTheStoredOrder) {
    for (int exitOnRemove : {0, 1}) {
        Bench b({30, 30}, "1=Opening\nnumplay=2\norder=1 0 \n");
        b.options.playOnStart = 1;
        b.options.exitOnRemove = exitOnRemove;
        b.Run(1000);
        EXPECT_EQ("Unknown album", b.shown.Text(Display::Album));
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
        for (Display display : {Display::Position, Display::Album, Display::TrackName})
            EXPECT_EQ("", b.shown.Text(display));
        EXPECT_EQ(exitOnRemove ? "Playing" : "Eject", b.shown.Text(Display::Status));
    }
}

// Disc track 1 is data: disc track n is audio track n - 1.
TEST(PlaybackEngine, PlayRequestPlaysItsAudioTrackOnAStoppedOrPlayingDrive) {
    Bench b({-10, 30, 30, 30});
    b.request = {1, 4};
    b.drive.PlayFromOutside(b.drive.TrackStart(2)); // stopped first, then the request plays
    b.Tick();
    b.Tick();
    EXPECT_EQ(0, b.request.flag);
    EXPECT_EQ(2, b.list.marked);
    b.engine.PlayRequested(2);
    b.Run(1400);
    b.engine.PlayRequested(1); // the data track: ignored
    b.Run(200);
    b.engine.StopPlay();
    b.engine.PlayRequested(3);
    b.Run(400);
    EXPECT_EQ(Starts({{4, 0}, {2, 0}, {3, 0}}), b.starts);
    EXPECT_EQ(1, b.list.marked);
    EXPECT_EQ("02. Unknown track", b.shown.Text(Display::TrackName));
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

TEST(PlaybackEngine, DiscInAnotherCdDriveSwitchesToItWhenAutoswitchIsOn) {
    Bench b({30});
    b.Tick();
    auto arrival = [&](DWORD mask) {
        DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, mask, DBTF_MEDIA};
        EXPECT_EQ(1, b.engine.OnDeviceChange(DBT_DEVICEARRIVAL, (LPARAM)&volume));
    };
    const DWORD d = 1u << 3, f = 1u << 5;
    arrival(f); // autoswitch is off
    EXPECT_STREQ("", b.options.drive);
    b.options.autoSwitch = 1;
    arrival(f | d); // the lowest drive of the mask; the device opens again on it
    EXPECT_STREQ("D:", b.options.drive);
    EXPECT_EQ(0, b.engine.discRead);
    EXPECT_EQ(1, b.drive.OpenDeviceCount());
    arrival(f); // with no disc read only the drive text changes
    EXPECT_STREQ("F:", b.options.drive);
    EXPECT_STREQ("D:", b.cd.drive);
}

} // namespace
