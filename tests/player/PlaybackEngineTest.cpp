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

unsigned TestRandom(unsigned n) {
    return 1000 % n;
}

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
    PlaybackEngine engine{cd, discFile, options, request, TestRandom};
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
    std::string Text(Display display) const { return shown.Text(display); }
};

// 25 s from a new disc under each setting: the starts seen and the last second seen playing.
// Repeating rows are compared on their first starts only.
TEST(PlaybackEngine, NewDiscPlaysTheEntriesTheSettingsCallFor) {
    const std::string order = "numplay=2\norder=2 0 \n"; // tracks 3 (5 s, the last), 1 (3 s)
    const struct {
        std::vector<int> tracks;
        std::string section;
        int playOnStart, repeatPlaylist, repeatTrack, introLength, randomIntro;
        Starts starts;
        int lastSecond;
    } rows[] = {
        {{30, 40}, "", 0, 0, 0, 0, 0, {}, 0},
        {{30, 40}, "", 1, 0, 0, 0, 0, {{1, 0}}, 24},
        {{3, 4, 5}, order, 1, 0, 0, 0, 0, {{3, 0}, {1, 0}}, 2}, // 1 stopped running on into 2
        {{3, 4, 5}, order, 1, 1, 0, 0, 0, {{3, 0}, {1, 0}, {3, 0}, {1, 0}}, -1},
        {{3, 4, 5}, order, 1, 0, 1, 0, 0, {{3, 0}, {3, 0}, {3, 0}}, -1},
        {{3, 4, 5}, order, 1, 1, 1, 0, 0, {{3, 0}, {3, 0}, {3, 0}}, -1},
        // The last track reads one frame short: 40 s. Random starts are 1000 % (length - 5);
        // the 3 s track has no room for one.
        {{60, 3, 41}, "", 1, 0, 0, 5, 0, {{1, 0}, {2, 0}, {3, 0}}, 4},
        {{60, 3, 41}, "", 1, 0, 0, 5, 1, {{1, 10}, {2, 0}, {3, 20}}, 24},
        {{-10, 3, 3, 3}, "", 1, 0, 0, 0, 0, {{2, 0}, {3, 0}, {4, 0}}, 2}, // a data track first
        // Entries 8 and -1 name no track of the disc: passed over.
        {{3, 3, 3}, "numplay=4\norder=0 7 -2 1 \n", 1, 0, 0, 0, 0, {{1, 0}, {2, 0}}, 2},
        {{3, 3, 3}, "numplay=2\norder=\"  \"\n", 1, 0, 0, 0, 0, {}, 0}, // an empty playlist
    };
    for (const auto& r : rows) {
        Bench b(r.tracks, r.section);
        b.options.playOnStart = r.playOnStart;
        b.options.repeatPlaylist = r.repeatPlaylist;
        b.options.repeatTrack = r.repeatTrack;
        b.options.introPlay = r.introLength > 0;
        b.options.introPlayLen = r.introLength;
        b.options.randomIntro = r.randomIntro;
        b.Run(25000);
        bool repeats = r.repeatPlaylist || r.repeatTrack;
        if (repeats) b.starts.resize(r.starts.size());
        EXPECT_EQ(r.starts, b.starts) << "row " << &r - rows;
        if (!repeats) {
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
    EXPECT_EQ("00:02", b.Text(Display::Position));
    b.engine.SeekTo(100);
    EXPECT_EQ(0, b.engine.busy);
    b.Run(200);
    b.engine.TogglePause();
    b.Run(3000);
    EXPECT_EQ("Pause", b.Text(Display::Status));
    EXPECT_EQ("01:40", b.Text(Display::Position));
    EXPECT_EQ(190, b.shown.seekMaximum);
    EXPECT_EQ(100, b.shown.seekPosition);
    b.engine.TogglePause();
    b.Run(200);
    EXPECT_EQ(Starts({{1, 0}, {1, 100}}), b.starts);
    EXPECT_EQ("Playing", b.Text(Display::Status));
}

TEST(PlaybackEngine, NamesShowAndReloadWhilePlayingAndAnOpenedDoorBlanksThem) {
    for (int exitOnRemove : {0, 1}) {
        Bench b({30, 30}, "1=Opening\nnumplay=2\norder=1 0 \n");
        b.options.playOnStart = 1;
        b.options.exitOnRemove = exitOnRemove;
        b.Run(1000);
        EXPECT_EQ("Unknown artist", b.Text(Display::Artist));
        EXPECT_EQ("Unknown album", b.Text(Display::Album));
        EXPECT_EQ("02. Opening", b.Text(Display::TrackName));
        b.discFile.WriteString("4D2", "1", "New name"); // the Edit playlist dialog saves names
        b.engine.LoadDiscEntry();
        b.list.SetMarked(0, 1);
        b.Run(1000);
        EXPECT_EQ(Starts({{2, 0}}), b.starts); // the reload keeps the track playing
        EXPECT_EQ("02. New name", b.Text(Display::TrackName));
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
        for (Display display : {Display::Position, Display::TrackLength, Display::Artist,
                                Display::Album, Display::TrackName})
            EXPECT_EQ("", b.Text(display));
        EXPECT_EQ(0, b.shown.seekMaximum);
        EXPECT_EQ(exitOnRemove ? "Playing" : "Eject", b.Text(Display::Status));
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
    EXPECT_EQ("02. Unknown track", b.Text(Display::TrackName));
}

TEST(PlaybackEngine, DiscWithNothingToPlayShowsWhyAndPlaysNothing) {
    Bench b({-100});
    b.Tick();
    EXPECT_EQ("Data disc", b.Text(Display::TrackName));
    EXPECT_EQ(0, b.engine.discRead);
    b.Insert({}); // no readable table of contents
    b.Tick();
    EXPECT_EQ("Error !!!", b.Text(Display::TrackName));
    EXPECT_EQ("Stop", b.Text(Display::Status));
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
    b.engine.discRead = 0;
    b.cd.Close(); // a device that failed to open
    b.shown.texts.clear();
    b.Tick();
    EXPECT_EQ("Error !!!", b.Text(Display::TrackName));
}

TEST(PlaybackEngine, DiscInAnotherCdDriveSwitchesToItWhenAutoswitchIsOn) {
    Bench b({30});
    b.Tick();
    auto arrival = [&](DWORD mask, WORD flags) {
        DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, mask, flags};
        EXPECT_EQ(1, b.engine.OnDeviceChange(DBT_DEVICEARRIVAL, (LPARAM)&volume));
    };
    const DWORD c = 1u << 2, d = 1u << 3, f = 1u << 5;
    arrival(f, DBTF_MEDIA); // autoswitch is off
    b.options.autoSwitch = 1;
    arrival(c, DBTF_MEDIA); // a hard disk
    arrival(f, 0);          // not new media
    arrival(0, DBTF_MEDIA);
    EXPECT_STREQ("", b.options.drive);
    EXPECT_EQ(1, b.engine.discRead);

    // The lowest drive of the mask; the device is closed and opened again on it.
    arrival(f | d, DBTF_MEDIA);
    EXPECT_STREQ("D:", b.options.drive);
    EXPECT_EQ(0, b.engine.discRead);
    EXPECT_EQ(1, b.drive.OpenDeviceCount());
    EXPECT_EQ(0, b.engine.busy);
    // With no disc read only the drive text changes.
    arrival(f, DBTF_MEDIA);
    EXPECT_STREQ("F:", b.options.drive);
    EXPECT_STREQ("D:", b.cd.drive);
}

} // namespace
