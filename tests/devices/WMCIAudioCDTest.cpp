#include "devices/WMCIAudioCD.h"

#include "devices/SimulatedCdDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
        if (message == failMessage) return MCIERR_HARDWARE;
        auto* status = message == MCI_STATUS ? (MCI_STATUS_PARMS*)params : nullptr;
        if (status && status->dwItem == failItem && status->dwTrack == failTrack)
            return MCIERR_HARDWARE;
        const bool typeQuery = status && status->dwItem == MCI_CDA_STATUS_TYPE_TRACK;
        if (status && reportedTracks &&
            (typeQuery || status->dwItem == MCI_STATUS_NUMBER_OF_TRACKS)) {
            // A broken drive claiming this many audio tracks.
            status->dwReturn = typeQuery ? MCI_CDA_TRACK_AUDIO : reportedTracks;
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
        ASSERT_EQ(2, cd.Open("D:") + cd.ReadDisc());
        sent.clear();
    }
    // Mode, track and seconds as the status timer reads them; -1 where a query failed.
    std::vector<int> Poll() {
        DWORD mode = DWORD(-1);
        int track = -1, seconds = -1;
        cd.GetMode(&mode), cd.GetCurrentTrack(&track), cd.GetTrackSeconds(&seconds);
        return {int(mode), track, seconds};
    }

    std::vector<UINT> sent;
    DWORD failItem = 0, failTrack = 0, reportedTracks = 0;
    UINT failMessage = 0;
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
    ASSERT_EQ(2, cd.Open("D:") + cd.Open("d:"));
    EXPECT_EQ(1, drive.OpenDeviceCount()); // the first device was closed, not left behind
    EXPECT_EQ(0, cd.Open("E:"));
    EXPECT_EQ(0, drive.OpenDeviceCount());
    // A device that will not close is kept, not forgotten with its id.
    ASSERT_EQ(1, cd.Open("D:"));
    const MCIDEVICEID first = cd.deviceId;
    failMessage = MCI_CLOSE;
    EXPECT_EQ(0, cd.Open("D:"));
    EXPECT_EQ(first, cd.deviceId);
    failMessage = 0;
    EXPECT_EQ(1, cd.Open("D:"));
    EXPECT_EQ(1, drive.OpenDeviceCount());
    ASSERT_EQ(1, cd.Close());

    sent.clear();
    DWORD mode = 12345, count = 7, type = 0;
    int track = 9, seconds = 9;
    EXPECT_EQ(0, cd.Close() + cd.PlayFrom(1, 0, 0, 0) + cd.Stop() + cd.IsPlaying() +
                     cd.IsMediaPresent() + cd.Pause() + cd.SetDoor(1) + cd.ReadDisc() +
                     cd.GetMode(&mode) + cd.GetTrackCount(&count) + cd.GetTrackType(1, &type) +
                     cd.GetCurrentTrack(&track) + cd.GetTrackLength(1, &seconds));
    EXPECT_EQ((std::vector<DWORD>{12345, 0, MCI_CDA_TRACK_OTHER, 0, 0}),
              (std::vector<DWORD>{mode, count, type, DWORD(track), DWORD(seconds)}));
    EXPECT_TRUE(sent.empty());
}

TEST_F(WMCIAudioCDTest, DataTracksGetNoAudioIndex) {
    InsertAndOpen({{Frames(20, 0, 0), true}, {Frames(3, 0, 0), false}, {Frames(4, 0, 0), false}});
    ASSERT_EQ(2u, cd.audioTrackCount);
    // The data track and a track beyond the disc fall back to the first audio track.
    EXPECT_EQ(
        (std::vector<int>{2, 1, 1}),
        (std::vector<int>{cd.FindAudioIndex(3), cd.FindAudioIndex(1), cd.FindAudioIndex(42)}));
    ASSERT_EQ(1, cd.PlayAudioTrack(1, 0, 30, 0));
    EXPECT_EQ((std::vector<int>{MCI_MODE_PLAY, 2, 30}), Poll());

    InsertAndOpen({{Frames(20, 0, 0), true}, {Frames(1, 0, 0), true}}); // data only
    EXPECT_EQ(0u, cd.audioTrackCount);
    for (int index : {-1, 0, 1, 255, 100000}) {
        int seconds = 5;
        EXPECT_EQ(0, cd.PlayAudioTrack(index, 0, 0, 0) + cd.GetAudioTrackLength(index, &seconds));
        EXPECT_EQ(0, seconds) << index;
    }
    EXPECT_EQ(0, Count(MCI_PLAY));
}

TEST_F(WMCIAudioCDTest, LengthsDropFramesAndReadDiscKeepsTheTracksFoundWithinItsTable) {
    InsertAndOpen(threeAudioTracks);
    EXPECT_EQ(0, cd.SetTimeFormat(7)) << "a format the drive refuses";
    int seconds = 0, last = 0;
    ASSERT_EQ(2, cd.GetTrackLength(2, &seconds) + cd.GetAudioTrackLength(3, &last));
    EXPECT_EQ(299, seconds); // 4:59:74
    EXPECT_EQ(119, last);    // 2:00:00 reported as 1:59:74
    EXPECT_EQ(0, cd.GetTrackLength(4, &seconds) + seconds);

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
    EXPECT_EQ(WMCIAudioCD::maxTracks, Count(MCI_STATUS));
}

TEST_F(WMCIAudioCDTest, DiscIdIsTheVolumeSerialOrDerivedFromTrackStarts) {
    InsertAndOpen(threeAudioTracks);
    drive.SetFileSystemSerial(0x4D2);
    ASSERT_EQ(1, cd.ReadDisc());
    EXPECT_STREQ("4D2", cd.discId);

    // Without a readable serial the id is derived as the platform derives a volume serial: for
    // discs of one or two tracks the packed starts and the disc's length in frames, else the
    // sum of the packed starts only. A real disc of twelve tracks, and one track at 150 to 270000.
    serialReadable = false;
    const std::vector<DWORD> realDisc = {183,    20465,  39505,  58588,  81753,  105820, 133440,
                                         154833, 180973, 195203, 212088, 234705, 258045};
    const std::pair<std::vector<DWORD>, const char*> discs[] = {
        {realDisc, "137EBFA"}, {{150, 270000}, "4201A"}, {{150, 270000, 300000}, "40954A"}};
    for (const auto& [starts, id] : discs) {
        std::vector<SimulatedTrack> tracks;
        for (size_t i = 0; i + 1 < starts.size(); i++)
            tracks.push_back({starts[i + 1] - starts[i], false});
        drive.InsertDisc(tracks, starts[0]);
        ASSERT_EQ(1, cd.ReadDisc());
        EXPECT_STREQ(id, cd.discId);
        DWORD serial = 0;
        ASSERT_EQ(1, drive.GetVolumeSerial("D:\\", &serial));
        EXPECT_EQ(strtoul(id, nullptr, 16), serial);
    }

    drive.OpenDoor();
    EXPECT_EQ(0, cd.ReadDisc());
    EXPECT_STREQ("", cd.discId);
}

TEST_F(WMCIAudioCDTest, ResumeSendsNothingUnlessPausedAndAFailedResumeStaysPaused) {
    InsertAndOpen(threeAudioTracks);
    EXPECT_EQ(1, cd.Resume());
    EXPECT_TRUE(sent.empty());
    ASSERT_EQ(1, cd.PlayAudioTrack(2, 1, 0, 0));
    ASSERT_EQ(1, cd.Pause());
    drive.OpenDoor();
    EXPECT_EQ(0, cd.Resume());
    EXPECT_EQ(1, cd.paused);
}

} // namespace
