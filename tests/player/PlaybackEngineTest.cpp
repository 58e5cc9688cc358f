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

unsigned randomAnswer = 0;
std::vector<unsigned> randomAsked;

unsigned TestRandom(unsigned n) {
    randomAsked.push_back(n);
    return randomAnswer % n;
}

using Starts = std::vector<std::pair<int, int>>; // disc track and second of each start seen

// A simulated drive on D: under a hand-driven clock, the engine on it, and the playlist and
// displays in memory. Run() lets time pass in status-timer steps and notes every start of a
// track that the drive is seen playing after a tick.
class EngineTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.File("cdplayer.ini");
    WIniKey discFile{path.c_str()};
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

    void SetUp() override {
        randomAnswer = 0;
        randomAsked.clear();
        ASSERT_EQ(1, cd.Open("D:"));
        engine.AttachViews(&list, &shown);
    }
    void Order(const char* numplay, const char* order) {
        discFile.WriteString("4D2", "numplay", numplay);
        discFile.WriteString("4D2", "order", order);
    }
    // Whole seconds per track, negative for a data track; the disc's section is 4D2.
    void Insert(std::vector<int> seconds) {
        std::vector<SimulatedTrack> tracks;
        for (int s : seconds)
            tracks.push_back({DWORD(s < 0 ? -s : s) * 75, s < 0});
        drive.InsertDisc(tracks);
        if (!tracks.empty()) drive.SetFileSystemSerial(0x4D2);
    }
    void Tick() {
        engine.StatusTick(IDT_STATUS);
        if (!cd.IsPlaying()) {
            lastTrack = 0;
            return;
        }
        int track = 0, seconds = 0;
        cd.GetCurrentTrack(&track);
        cd.GetTrackSeconds(&seconds);
        if (track != lastTrack || seconds < lastSecond) starts.push_back({track, seconds});
        lastTrack = track;
        lastSecond = seconds;
    }
    void Run(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 200)
            clock.Advance(200), Tick();
    }
    std::string Text(Display display) const { return shown.Text(display); }
};

TEST_F(EngineTest, NewDiscWithoutPlayOnStartShowsItsEntryAndWaitsForPlay) {
    discFile.WriteString("4D2", "artist", "Someone");
    discFile.WriteString("4D2", "0", "Opening");
    Insert({30, 40, 50});
    Tick();
    EXPECT_EQ("Someone", Text(Display::Artist));
    EXPECT_EQ("Unknown album", Text(Display::Album));
    EXPECT_EQ(std::vector<int>({1, 2, 3}), list.Data());
    EXPECT_EQ(0, list.marked);
    EXPECT_EQ("Stop", Text(Display::Status));
    Run(1000);
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ("01. Opening", Text(Display::TrackName));
    EXPECT_EQ("00:00", Text(Display::Position));

    engine.StartPlay();
    Run(1000);
    EXPECT_EQ(Starts({{1, 0}}), starts);
    EXPECT_EQ("Playing", Text(Display::Status));
    EXPECT_EQ("00:30", Text(Display::TrackLength));
    EXPECT_EQ("00:01", Text(Display::Position));
    EXPECT_EQ(30, shown.seekMaximum);
    EXPECT_EQ(1, shown.seekPosition);
}

TEST_F(EngineTest, PlaysInPlaylistOrderAndStopsAfterTheLastEntry) {
    Order("2", "2 0 ");
    options.playOnStart = 1;
    Insert({3, 4, 5});
    Run(15000);
    EXPECT_EQ(Starts({{3, 0}, {1, 0}}), starts); // track 1 is stopped where it runs on
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ(1, list.marked);
    EXPECT_EQ(3, engine.currentTrack); // the first entry waits at 0:00
    EXPECT_EQ(0, engine.startMinute * 60 + engine.startSecond);
    EXPECT_EQ("Stop", Text(Display::Status));
}

TEST_F(EngineTest, RepeatOptionsStartOverOrPlayTheSameEntryAgain) {
    Order("2", "2 0 ");
    options.playOnStart = options.repeatPlaylist = 1;
    Insert({3, 4, 5});
    Run(20000);
    ASSERT_GE(starts.size(), 4u);
    EXPECT_EQ(Starts({{3, 0}, {1, 0}, {3, 0}, {1, 0}}), Starts(starts.begin(), starts.begin() + 4));

    starts.clear();
    options.repeatTrack = 1;
    Run(10000);
    ASSERT_GE(starts.size(), 2u);
    for (const auto& start : starts)
        EXPECT_EQ(starts[0], start);
}

TEST_F(EngineTest, IntroPlayStopsEveryEntryAtTheIntroLength) {
    options.playOnStart = options.introPlay = 1;
    options.introPlayLen = 5;
    Insert({20, 20, 20});
    Run(20000);
    EXPECT_EQ(Starts({{1, 0}, {2, 0}, {3, 0}}), starts);
    EXPECT_EQ(4, lastSecond); // stopped on the first tick at 5 s or later
}

TEST_F(EngineTest, RandomIntroStartsWhereTheIntroFitsAndShortTracksAtTheStart) {
    options.playOnStart = options.introPlay = options.randomIntro = 1;
    options.introPlayLen = 5;
    randomAnswer = 20;
    Insert({60, 3, 41}); // the last track reads one frame short: 40 s
    Run(20000);
    EXPECT_EQ(Starts({{1, 20}, {2, 0}, {3, 20}}), starts);
    // After the last entry the first one is prepared again, with a new start point.
    EXPECT_EQ(std::vector<unsigned>({55, 35, 55}), randomAsked);
    EXPECT_EQ(24, lastSecond);
}

TEST_F(EngineTest, ReloadingTheDiscEntryWhilePlayingKeepsTheTrackPlaying) {
    options.playOnStart = 1;
    discFile.WriteString("4D2", "1", "Old name");
    Order("2", "1 0 ");
    Insert({30, 30});
    Run(1000);
    discFile.WriteString("4D2", "1", "New name"); // the Edit playlist dialog saves names
    engine.LoadDiscEntry();
    list.SetMarked(0, 1);
    Run(1000);
    EXPECT_EQ(Starts({{2, 0}}), starts);
    EXPECT_EQ("02. New name", Text(Display::TrackName));
}

TEST_F(EngineTest, StepsPlayTheNeighbourEntryOnlyWhenTheDriveIsPlaying) {
    Insert({30, 30, 30});
    Tick();
    engine.StepNext(); // stopped: only the mark and the start point move
    Run(400);
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(1, list.marked);
    EXPECT_EQ("02. Unknown track", Text(Display::TrackName));
    engine.StartPlay();
    Run(2000);
    engine.StepNext();
    Run(400);
    engine.StepNext(); // past the last entry without repeat: the mark stays
    Run(400);
    EXPECT_EQ(2, list.marked);
    engine.StepPrevious();
    Run(400);
    EXPECT_EQ(Starts({{2, 0}, {3, 0}, {1, 0}, {2, 0}}), starts);
    EXPECT_EQ(1, list.marked);
}

TEST_F(EngineTest, PauseHoldsThePositionAcrossTicksAndResumesThere) {
    Insert({60, 60});
    Tick();
    engine.StartPlay();
    Run(5000);
    engine.TogglePause();
    Run(3000);
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ("Pause", Text(Display::Status));
    EXPECT_EQ("00:05", Text(Display::Position));
    EXPECT_EQ(0, list.marked); // a paused disc does not move on
    engine.TogglePause();
    Run(200);
    EXPECT_EQ(Starts({{1, 0}, {1, 5}}), starts);
    EXPECT_EQ("Playing", Text(Display::Status));
}

TEST_F(EngineTest, BusyMarkHoldsTicksUntilTheSeekAndStoppedSeeksOnlyMoveTheStartPoint) {
    Insert({190, 60});
    Tick();
    engine.StartPlay();
    Run(2000);
    engine.busy = 1; // the seek slider is being dragged
    Run(1000);
    EXPECT_EQ("00:02", Text(Display::Position));
    engine.SeekTo(100);
    EXPECT_EQ(0, engine.busy);
    Run(200);
    EXPECT_EQ(100, lastSecond);
    EXPECT_EQ("01:40", Text(Display::Position));

    engine.StopPlay();
    engine.SeekTo(80);
    options.elapsedTime = 0;
    Run(200);
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ("01:50", Text(Display::Position)); // 190 s less the start point 1:20
    EXPECT_EQ(80, shown.seekPosition);
    engine.StartPlay();
    Run(200);
    EXPECT_EQ(std::make_pair(1, 0), starts.back());
}

TEST_F(EngineTest, OpenedDoorForgetsTheDiscAndTheNextDiscIsReadAgain) {
    options.playOnStart = 1;
    Insert({30, 30});
    Run(1000);
    drive.OpenDoor();
    Run(200);
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(-1, list.marked);
    for (Display display : {Display::Position, Display::TrackLength, Display::Artist,
                            Display::Album, Display::TrackName})
        EXPECT_EQ("", Text(display));
    EXPECT_EQ(0, shown.seekMaximum);
    EXPECT_EQ("Eject", Text(Display::Status));
    EXPECT_EQ(0, engine.SaveDiscOrder());
    EXPECT_FALSE(shown.closed);
    drive.CloseDoor();
    Run(200);
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(std::make_pair(1, 0), starts.back());
}

TEST_F(EngineTest, OpenedDoorWithExitOnRemoveClosesWithoutOverwritingTheOrder) {
    Order("2", "1 0 ");
    options.playOnStart = options.exitOnRemove = 1;
    Insert({30, 30});
    Run(1000);
    int saved = -1;
    shown.onClose = [&] { saved = engine.SaveDiscOrder(); }; // what the closing window does
    drive.OpenDoor();
    engine.StatusTick(IDT_STATUS);
    EXPECT_TRUE(shown.closed);
    EXPECT_EQ(0, shown.callsAfterClose);
    EXPECT_EQ(0, saved);
    char number[100];
    discFile.ReadString("4D2", "numplay", number, sizeof number);
    EXPECT_STREQ("2", number);
}

TEST_F(EngineTest, CommandLineRequestPlaysItsTrackOnAStoppedOrPlayingDrive) {
    request = {1, 3};
    Insert({30, 30, 30, 30});
    Tick();
    EXPECT_EQ(Starts({{3, 0}}), starts);
    EXPECT_EQ(2, list.marked);
    EXPECT_EQ(0, request.flag);

    // A disc that something else already plays is stopped first, then the request plays.
    starts.clear();
    Insert({30, 30, 30});
    engine.discRead = 0;
    drive.PlayFromOutside(drive.TrackStart(2));
    request = {1, 3};
    Tick();
    EXPECT_FALSE(cd.IsPlaying());
    Run(200);
    EXPECT_EQ(Starts({{3, 0}}), starts);
    EXPECT_EQ(2, list.marked);
}

TEST_F(EngineTest, SecondStartRequestPlaysItsTrackAndKeepsPlayingIt) {
    Insert({30, 30, 30, 30});
    Tick();
    engine.PlayRequested(2); // on a stopped drive
    Run(400);
    engine.PlayRequested(0); // no track: nothing
    engine.PlayRequested(4); // on a playing drive
    Run(2000);
    EXPECT_EQ(Starts({{2, 0}, {4, 0}}), starts);
    EXPECT_EQ(3, list.marked);
    EXPECT_EQ("04. Unknown track", Text(Display::TrackName));
}

TEST_F(EngineTest, DiscWithADataTrackFirstPlaysEveryAudioTrackThrough) {
    options.playOnStart = 1;
    Insert({-10, 3, 3, 3});
    Tick();
    EXPECT_EQ(std::vector<int>({1, 2, 3}), list.Data());
    Run(12000);
    EXPECT_EQ(Starts({{2, 0}, {3, 0}, {4, 0}}), starts);
    EXPECT_EQ(2, lastSecond); // each played to its end
    EXPECT_EQ(2, list.marked);

    starts.clear();
    engine.PlayRequested(1); // the data track: ignored
    Run(200);
    EXPECT_TRUE(starts.empty());
    engine.PlayRequested(3); // disc track 3 is the second audio track
    Run(1000);
    EXPECT_EQ(Starts({{3, 0}}), starts);
    EXPECT_EQ(1, list.marked);
    EXPECT_EQ("02. Unknown track", Text(Display::TrackName));
}

TEST_F(EngineTest, DataOnlyAndUnreadableDiscsShowTheirTextAndAreReadAgain) {
    Insert({-100});
    Tick();
    EXPECT_EQ("Data disc", Text(Display::TrackName));
    EXPECT_EQ(0, list.Count());
    Insert({}); // no readable table of contents
    Tick();
    EXPECT_EQ("Error !!!", Text(Display::TrackName));
    EXPECT_EQ("Stop", Text(Display::Status));
    EXPECT_EQ(0, engine.discRead);
    Insert({30});
    Tick();
    EXPECT_EQ(1, engine.discRead);
    EXPECT_EQ(1, list.Count());
    engine.discRead = 0;
    cd.Close(); // a drive that failed to open
    shown.texts.clear();
    Tick();
    EXPECT_EQ("Error !!!", Text(Display::TrackName));
    EXPECT_EQ("Stop", Text(Display::Status));
}

TEST_F(EngineTest, EntriesOutsideTheDiscAreSkippedAndAnEmptyPlaylistPlaysNothing) {
    Order("4", "0 7 -2 1 ");
    options.playOnStart = 1;
    Insert({3, 3, 3});
    Run(10000);
    EXPECT_EQ(Starts({{1, 0}, {2, 0}}), starts);
    EXPECT_EQ(3, list.marked);

    starts.clear();
    Order("2", "\"  \"");
    Insert({3, 3, 3});
    engine.discRead = 0;
    Run(400);
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(0, engine.currentTrack);
    EXPECT_EQ("", Text(Display::TrackName));
    engine.StartPlay();
    engine.StepNext();
    engine.StepPrevious();
    Run(400);
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(-1, list.marked); // never a mark past the end of the list
}

TEST_F(EngineTest, DiscInAnotherCdDriveSwitchesToItWhenAutoswitchIsOn) {
    strcpy(options.drive, "D:");
    Insert({30});
    Tick();
    auto arrival = [&](DWORD mask, WORD flags) {
        DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, mask, flags};
        return engine.OnDeviceChange(DBT_DEVICEARRIVAL, (LPARAM)&volume);
    };
    const DWORD c = 1u << 2, d = 1u << 3, f = 1u << 5;
    EXPECT_EQ(1, arrival(f, DBTF_MEDIA)); // autoswitch is off
    options.autoSwitch = 1;
    EXPECT_EQ(1, arrival(c, DBTF_MEDIA)); // a hard disk
    EXPECT_EQ(1, arrival(f, 0));          // not new media
    EXPECT_EQ(1, arrival(0, DBTF_MEDIA));
    EXPECT_STREQ("D:", options.drive);
    EXPECT_EQ(1, engine.discRead);

    // The lowest drive of the mask; the device is closed and opened again on it.
    MCIDEVICEID before = cd.deviceId;
    EXPECT_EQ(1, arrival(f | d, DBTF_MEDIA));
    EXPECT_STREQ("D:", options.drive);
    EXPECT_EQ(0, engine.discRead);
    EXPECT_NE(before, cd.deviceId);
    EXPECT_EQ(1, drive.OpenDeviceCount());
    EXPECT_EQ(0, engine.busy);
    // With no disc read only the drive text changes.
    EXPECT_EQ(1, arrival(f, DBTF_MEDIA));
    EXPECT_STREQ("F:", options.drive);
    EXPECT_STREQ("D:", cd.drive);
}

} // namespace
