#include "devices/SimulatedMixer.h"
#include "devices/VolumeScale.h"
#include "devices/WMixer.h"
#include "forms/MixerPanel.h"
#include "vdrive/VirtualCdDrive.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace VolumeScale;

namespace {

const DWORD cdVolume = SimulatedMixer::cdVolumeId, master = SimulatedMixer::masterVolumeId;

struct Panel {
    explicit Panel(SimulatedMixer::Layout layout = SimulatedMixer::Layout::withCdLine,
                   VirtualCdDrive* ownOutput = nullptr)
        : device(layout), mixer(&device), panel(&mixer, ownOutput) {
        panel.FindControls();
    }
    // Both channels of a control, the left one in the high word.
    DWORD Both(DWORD id) const { return device.Value(id, 0) << 16 | device.Value(id, 1); }
    SimulatedMixer device;
    WMixer mixer;
    MixerPanel panel;
};

TEST(MixerPanel, ShowsTheMixerOnTheSlidersAndMuteAndWritesBothChannelsBack) {
    Panel p;
    p.device.PresetValue(cdVolume, 0, 65535);
    p.device.PresetValue(cdVolume, 1, 65499);
    p.device.PresetValue(master, 0, 300);
    p.device.PresetValue(SimulatedMixer::cdMuteId, 0, 1);
    int left = -1, right = -1, position = -1, muted = -1;
    ASSERT_EQ(3, p.panel.ReadChannelPositions(&left, &right) +
                     p.panel.ReadMasterPosition(&position) + p.panel.ReadMute(&muted));
    EXPECT_EQ((std::vector<int>{0, 1, 652, 1}), (std::vector<int>{left, right, position, muted}));
    p.panel.SetMute(0);
    EXPECT_EQ(0u, p.device.Value(SimulatedMixer::cdMuteId, 0));

    EXPECT_EQ(400, p.panel.DragLeft(0, 400, 0)); // unlocked: the right slider stays
    EXPECT_EQ(65500u << 16 | 25500, p.Both(cdVolume));
    EXPECT_EQ(300, p.panel.DragRight(300, 10, 1)); // locked: the left slider follows
    EXPECT_EQ(35500u << 16 | 35500, p.Both(cdVolume));
    EXPECT_EQ(200, p.panel.LockChannels(100, 301));
    EXPECT_EQ(45500u << 16 | 45500, p.Both(cdVolume));
    p.device.PresetValue(master, 1, 7);
    p.panel.DragMaster(55);
    EXPECT_EQ(60000u << 16 | 60000, p.Both(master));
}

// Like Wine and recent Windows: no CD line, and the master volume's id is 0.
TEST(MixerPanel, WithoutCdLineTheChannelsNeverReachTheMasterVolume) {
    Panel p(SimulatedMixer::Layout::withoutCdLine);
    ASSERT_EQ(1, p.panel.masterFound + p.panel.channelsFound + p.panel.muteFound);
    EXPECT_EQ(0u, p.panel.masterId);
    int master = -1; // a uniform control, read as one value
    EXPECT_EQ(1, p.panel.ReadMasterPosition(&master));
    EXPECT_EQ(PositionFromValue(0xC000), master);
    int left = -1, right = -1, muted = -1;
    EXPECT_EQ(0, p.panel.ReadChannelPositions(&left, &right) + p.panel.ReadMute(&muted));
    EXPECT_EQ(-1, left + right + muted + 2); // untouched
    p.panel.DragLeft(600, 600, 1);
    p.panel.LockChannels(600, 0);
    p.panel.SetMute(1);
    EXPECT_EQ(0, p.device.setCalls); // nothing written, so the master volume stays
    p.panel.DragMaster(655);         // found with id 0: it still works
    EXPECT_EQ(0u, p.Both(master));

    Panel none(SimulatedMixer::Layout::noDevice); // no sound card: nothing found, nothing sent
    EXPECT_EQ(0, none.panel.channelsFound + none.panel.masterFound + none.panel.muteFound);
    none.panel.DragMaster(10);
    none.panel.DragRight(10, 10, 0);
    EXPECT_EQ(0, none.device.setCalls);
}

// The virtual drive's own output stands in for the missing CD line: the same scale, and
// the master volume still on the mixer.
TEST(MixerPanel, WithoutCdLineTheChannelsAndMuteWorkOnTheVirtualDrivesOutput) {
    VirtualCdDrive drive('V');
    Panel p(SimulatedMixer::Layout::withoutCdLine, &drive);
    int left = -1, right = -1, muted = -1;
    ASSERT_EQ(2, p.panel.ReadChannelPositions(&left, &right) + p.panel.ReadMute(&muted));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), (std::vector<int>{left, right, muted})) << "full";
    EXPECT_EQ(400, p.panel.DragLeft(0, 400, 0));
    EXPECT_EQ((std::vector<unsigned>{65500, 25500}),
              (std::vector<unsigned>{drive.LeftVolume(), drive.RightVolume()}));
    p.panel.SetMute(1);
    EXPECT_TRUE(drive.Muted());
    EXPECT_EQ(0, p.device.setCalls) << "the mixer is not touched";
    p.panel.ReadChannelPositions(&left, &right);
    EXPECT_EQ((std::vector<int>{0, 400}), (std::vector<int>{left, right}));
}

} // namespace
