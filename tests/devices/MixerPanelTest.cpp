#include "devices/MixerPanel.h"
#include "devices/SimulatedMixer.h"

#include <gtest/gtest.h>

namespace {

struct Panel {
    explicit Panel(SimulatedMixer::Layout layout = SimulatedMixer::Layout::withCdLine)
        : device(layout), mixer(&device), panel(&mixer) {
        panel.FindControls();
    }
    // Both channels of a control, the left one in the high word.
    DWORD Both(DWORD id) const { return device.Value(id, 0) << 16 | device.Value(id, 1); }
    SimulatedMixer device;
    WMixer mixer;
    MixerPanel panel;
};

TEST(MixerPanel, ShowsTheMixerOnTheSlidersAndTheMuteButton) {
    Panel p;
    p.device.PresetValue(SimulatedMixer::cdVolumeId, 0, 65535);
    p.device.PresetValue(SimulatedMixer::cdVolumeId, 1, 65499);
    p.device.PresetValue(SimulatedMixer::masterVolumeId, 0, 300);
    p.device.PresetValue(SimulatedMixer::cdMuteId, 0, 1);
    int left = -1, right = -1, master = -1, muted = -1;
    ASSERT_EQ(3, p.panel.ReadChannelPositions(&left, &right) + p.panel.ReadMasterPosition(&master) +
                     p.panel.ReadMute(&muted));
    EXPECT_EQ(0, left);
    EXPECT_EQ(1, right);
    EXPECT_EQ(652, master);
    EXPECT_EQ(1, muted);
    p.panel.SetMute(0);
    EXPECT_EQ(0u, p.device.Value(SimulatedMixer::cdMuteId, 0));
}

TEST(MixerPanel, SlidersWriteBothChannelsAndLockMeetsHalfWay) {
    Panel p;
    EXPECT_EQ(400, p.panel.DragLeft(0, 400, 0)); // unlocked: the right slider stays
    EXPECT_EQ(65500u << 16 | 25500, p.Both(SimulatedMixer::cdVolumeId));
    EXPECT_EQ(300, p.panel.DragRight(300, 10, 1)); // locked: the left slider follows
    EXPECT_EQ(35500u << 16 | 35500, p.Both(SimulatedMixer::cdVolumeId));
    EXPECT_EQ(200, p.panel.LockChannels(100, 301));
    EXPECT_EQ(45500u << 16 | 45500, p.Both(SimulatedMixer::cdVolumeId));
    p.device.PresetValue(SimulatedMixer::masterVolumeId, 1, 7);
    p.panel.DragMaster(55);
    EXPECT_EQ(60000u << 16 | 60000, p.Both(SimulatedMixer::masterVolumeId));
}

// Like Wine and recent Windows: no CD line, and the master volume's id is 0.
TEST(MixerPanel, WithoutCdLineTheChannelsNeverReachTheMasterVolume) {
    Panel p(SimulatedMixer::Layout::withoutCdLine);
    EXPECT_EQ(0, p.panel.channelsFound + p.panel.muteFound);
    ASSERT_EQ(1, p.panel.masterFound);
    EXPECT_EQ(0u, p.panel.masterId);
    int left = -1, right = -1, muted = -1;
    EXPECT_EQ(0, p.panel.ReadChannelPositions(&left, &right) + p.panel.ReadMute(&muted));
    EXPECT_EQ(-1, left + right + muted + 2); // untouched
    p.panel.DragLeft(600, 600, 1);
    p.panel.LockChannels(600, 0);
    p.panel.SetMute(1);
    EXPECT_EQ(0, p.device.setCalls); // nothing written, so the master volume stays
    p.panel.DragMaster(655);         // found with id 0: it still works
    EXPECT_EQ(0u, p.Both(SimulatedMixer::masterVolumeId));

    Panel none(SimulatedMixer::Layout::noDevice); // no sound card: nothing found, nothing sent
    EXPECT_EQ(0, none.panel.channelsFound + none.panel.masterFound + none.panel.muteFound);
    none.panel.DragMaster(10);
    none.panel.DragRight(10, 10, 0);
    EXPECT_EQ(0, none.device.setCalls);
}

} // namespace
