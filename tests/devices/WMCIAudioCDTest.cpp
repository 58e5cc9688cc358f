#include "devices/WMCIAudioCD.h"

#include "devices/SimulatedCdDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdio.h>
#include <vector>

namespace {

DWORD Frames(DWORD minutes, DWORD seconds, DWORD frames) {
    return (minutes * 60 + seconds) * 75 + frames;
}

// The back end between the CD and the simulated drive: counts what is sent, and fails or
// falsifies what a test asks it to.
class WMCIAudioCDTest : public ::testing::Test, public CdAudioBackend {
protected:
    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override {
        sent.push_back(message);
        lastFlags = (DWORD)flags;
        auto* status = message == MCI_STATUS ? (MCI_STATUS_PARMS*)params : nullptr;
        if (status && status->dwItem == failItem && status->dwTrack == failTrack)
            return MCIERR_HARDWARE;
        if (status && reportedTracks &&
            (status->dwItem == MCI_STATUS_NUMBER_OF_TRACKS ||
             status->dwItem == MCI_CDA_STATUS_TYPE_TRACK)) {
            // A broken drive claiming this many audio tracks.
            status->dwReturn =
                status->dwItem == MCI_CDA_STATUS_TYPE_TRACK ? MCI_CDA_TRACK_AUDIO : reportedTracks;
            return 0;
        }
        return drive.SendCommand(id, message, flags, params);
    }
    int GetVolumeSerial(const char* root, DWORD* serial) override {
        return serialReadable && drive.GetVolumeSerial(root, serial);
    }
    int Count(UINT message) const { return (int)std::count(sent.begin(), sent.end(), message); }
    void InsertAndOpen(const std::vector<SimulatedTrack>& tracks) {
        drive.InsertDisc(tracks);
        ASSERT_EQ(1, cd.Open("D:"));
        sent.clear();
    }
    // What the status timer reads; -1 where the query failed.
    struct Polled {
        DWORD mode = DWORD(-1);
        int track = -1, seconds = -1;
    };
    Polled Poll() {
        Polled p;
        cd.GetMode(&p.mode);
        cd.GetCurrentTrack(&p.track);
        cd.GetTrackSeconds(&p.seconds);
        return p;
    }

    std::vector<UINT> sent;
    DWORD lastFlags = 0, failItem = 0, failTrack = 0, reportedTracks = 0;
    bool serialReadable = true;
    ManualClock clock;
    SimulatedCdDrive drive{'D', &clock};
    WMCIAudioCD cd{this};
};

const std::vector<SimulatedTrack> threeAudioTracks = {
    {Frames(3, 58, 10), false}, {Frames(4, 59, 74), false}, {Frames(2, 0, 0), false}};

TEST_F(WMCIAudioCDTest, OpenAcceptsOnlyTheCdDriveAndClosedFailsEverythingWithoutSending) {
    drive.InsertDisc(threeAudioTracks);
    EXPECT_EQ(0, cd.Open("C:") + cd.Open(""));
    EXPECT_EQ(0u, cd.deviceId);
    ASSERT_EQ(1, cd.Open("D:"));
    EXPECT_STREQ("D:", cd.drive);
    MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_TIME_FORMAT, 0};
    ASSERT_EQ(0u, drive.SendCommand(cd.deviceId, MCI_STATUS, MCI_STATUS_ITEM, (DWORD_PTR)&status));
    EXPECT_EQ((DWORD_PTR)MCI_FORMAT_TMSF, status.dwReturn);
    ASSERT_EQ(1, cd.Open("d:"));
    EXPECT_EQ(1, drive.OpenDeviceCount()); // the first device was closed, not left behind
    EXPECT_EQ(0, cd.Open("E:"));
    EXPECT_EQ(0, drive.OpenDeviceCount());

    sent.clear();
    DWORD mode = 12345, count = 7, type = 0;
    int track = 9, seconds = 9;
    EXPECT_EQ(0, cd.Close() + cd.PlayFrom(1, 0, 0, 0) + cd.Stop() + cd.IsPlaying() +
                     cd.IsMediaPresent() + cd.Pause() + cd.SetDoor(1) + cd.ReadDisc() +
                     cd.GetMode(&mode) + cd.GetTrackCount(&count) + cd.GetTrackType(1, &type) +
                     cd.GetCurrentTrack(&track) + cd.GetTrackLength(1, &seconds));
    EXPECT_EQ(12345u, mode);
    EXPECT_EQ(0u, count);
    EXPECT_EQ((DWORD)MCI_CDA_TRACK_OTHER, type);
    EXPECT_EQ(0, track + seconds);
    EXPECT_TRUE(sent.empty());
}

TEST_F(WMCIAudioCDTest, DataTracksGetNoAudioIndex) {
    InsertAndOpen({{Frames(20, 0, 0), true}, {Frames(3, 0, 0), false}, {Frames(4, 0, 0), false}});
    ASSERT_EQ(1, cd.ReadDisc());
    ASSERT_EQ(2u, cd.audioTrackCount);
    EXPECT_EQ(2, cd.FindAudioIndex(3));
    EXPECT_EQ(1, cd.FindAudioIndex(1)); // the data track
    EXPECT_EQ(1, cd.FindAudioIndex(42));
    ASSERT_EQ(1, cd.PlayAudioTrack(1, 0, 30, 0));
    Polled polled = Poll();
    EXPECT_EQ(2, polled.track);
    EXPECT_EQ(30, polled.seconds);

    // A disc of data only: no audio index is playable.
    InsertAndOpen({{Frames(20, 0, 0), true}, {Frames(1, 0, 0), true}});
    ASSERT_EQ(1, cd.ReadDisc());
    EXPECT_EQ(0u, cd.audioTrackCount);
    for (int index : {-1, 0, 1, 254, 255, 100000}) {
        int seconds = 5;
        EXPECT_EQ(0, cd.PlayAudioTrack(index, 0, 0, 0) + cd.GetAudioTrackLength(index, &seconds));
        EXPECT_EQ(0, seconds) << index;
    }
    EXPECT_EQ(0, Count(MCI_PLAY));
}

TEST_F(WMCIAudioCDTest, LengthsDropFramesAndReadDiscKeepsTheTracksFoundWithinItsTable) {
    InsertAndOpen(threeAudioTracks);
    ASSERT_EQ(1, cd.ReadDisc());
    int seconds = 0;
    ASSERT_EQ(1, cd.GetTrackLength(2, &seconds));
    EXPECT_EQ(299, seconds); // 4:59:74
    ASSERT_EQ(1, cd.GetAudioTrackLength(3, &seconds));
    EXPECT_EQ(119, seconds); // 2:00:00 reported as 1:59:74
    EXPECT_EQ(0, cd.GetTrackLength(4, &seconds));
    EXPECT_EQ(0, seconds);

    failItem = MCI_CDA_STATUS_TYPE_TRACK;
    failTrack = 3;
    EXPECT_EQ(0, cd.ReadDisc());
    EXPECT_EQ(2u, cd.audioTrackCount);
    DWORD type = MCI_CDA_TRACK_AUDIO;
    EXPECT_EQ(0, cd.GetTrackType(3, &type));
    EXPECT_EQ((DWORD)MCI_CDA_TRACK_OTHER, type);

    failItem = 0;
    reportedTracks = 100000;
    sent.clear();
    ASSERT_EQ(1, cd.ReadDisc());
    EXPECT_EQ((DWORD)WMCIAudioCD::maxTracks - 1, cd.audioTrackCount);
    EXPECT_EQ((DWORD)WMCIAudioCD::maxTracks - 1, cd.audioTrack[WMCIAudioCD::maxTracks - 1]);
    EXPECT_EQ(WMCIAudioCD::maxTracks, Count(MCI_STATUS));
}

TEST_F(WMCIAudioCDTest, DiscIdIsTheVolumeSerialOrDerivedFromTrackStarts) {
    InsertAndOpen(threeAudioTracks);
    drive.SetFileSystemSerial(0x4D2);
    ASSERT_EQ(1, cd.ReadDisc());
    EXPECT_STREQ("4D2", cd.discId);

    serialReadable = false;
    // Starts 00:02:00, 04:00:10 and 09:00:09; three tracks: the sum of the packed starts only.
    InsertAndOpen(threeAudioTracks);
    ASSERT_EQ(1, cd.ReadDisc());
    EXPECT_STREQ("D0213", cd.discId); // 0x000200 + 0x04000A + 0x090009

    // Two tracks (start 00:02:33 and 01:02:38, lead-out 02:02:38): the frames of the first
    // start and the disc's length in frames join the sum.
    drive.InsertDisc({{Frames(1, 0, 5), false}, {Frames(1, 0, 0), false}}, Frames(0, 2, 33));
    ASSERT_EQ(1, cd.ReadDisc());
    char expected[20];
    sprintf(expected, "%lX", (unsigned long)(0x000221 + 0x010226 + 33 + Frames(2, 0, 5)));
    EXPECT_STREQ(expected, cd.discId);

    drive.OpenDoor();
    EXPECT_EQ(0, cd.ReadDisc());
    EXPECT_STREQ("", cd.discId);
}

TEST_F(WMCIAudioCDTest, PauseKeepsItsPlaceAcrossStatusPolls) {
    InsertAndOpen(threeAudioTracks);
    ASSERT_EQ(1, cd.ReadDisc());
    ASSERT_EQ(1, cd.PlayAudioTrack(2, 1, 0, 0));
    clock.Advance(5000);
    ASSERT_EQ(1, cd.Pause());
    EXPECT_EQ((DWORD)MCI_MODE_STOP, Poll().mode);
    clock.Advance(60000);
    EXPECT_EQ(65, Poll().seconds); // the status timer keeps polling
    ASSERT_EQ(1, cd.Resume());
    EXPECT_EQ(0, cd.paused);
    clock.Advance(2000);
    EXPECT_EQ(67, Poll().seconds);
    EXPECT_EQ(2, Poll().track);

    sent.clear();
    EXPECT_EQ(1, cd.Resume()); // nothing paused
    EXPECT_TRUE(sent.empty());

    ASSERT_EQ(1, cd.Pause());
    drive.OpenDoor();
    EXPECT_EQ(0, cd.Resume());
    EXPECT_EQ(1, cd.paused); // a resume that failed stays paused
}

TEST_F(WMCIAudioCDTest, PlayRunsOnIntoNextTrackStopsAtTheEndAndAnOpenDoorMeansNoDisc) {
    InsertAndOpen({{Frames(0, 10, 0), false}, {Frames(0, 5, 0), false}});
    ASSERT_EQ(1, cd.ReadDisc());
    ASSERT_EQ(1, cd.PlayAudioTrack(1, 0, 8, 0));
    EXPECT_EQ(1, Count(MCI_PLAY));
    EXPECT_EQ((DWORD)MCI_FROM, lastFlags); // returns at once, to the end
    EXPECT_EQ(1, cd.IsPlaying());
    clock.Advance(3000);
    Polled polled = Poll();
    EXPECT_EQ(2, polled.track);
    EXPECT_EQ(1, polled.seconds);
    clock.Advance(5000);
    EXPECT_EQ(0, cd.IsPlaying());
    EXPECT_EQ((DWORD)MCI_MODE_STOP, Poll().mode);
    EXPECT_EQ(4, Poll().seconds); // stopped at the last frame of the disc

    ASSERT_EQ(1, cd.SetDoor(1));
    EXPECT_EQ(1, cd.doorOpen);
    EXPECT_EQ((DWORD)MCI_MODE_OPEN, Poll().mode);
    EXPECT_EQ(0, cd.IsMediaPresent() + cd.ReadDisc() + cd.GetTrackSeconds(nullptr));
    ASSERT_EQ(1, cd.SetDoor(0));
    EXPECT_EQ(0, cd.doorOpen);
    EXPECT_EQ(1, cd.IsMediaPresent());
}

} // namespace
