#include "devices/MixerPanel.h"
#include "devices/VirtualCdDrive.h"
#include "devices/SimulatedMixer.h"
#include "devices/VolumeScale.h"
#include "devices/WMixer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace VolumeScale;

namespace {

// The panel tests below show both directions at typical places; these are the edges.
TEST(VolumeScale, MixerValuesAndSliderPositionsMapBothWaysAndNeverWrapAround) {
    // A driver answering beyond its scale still shows at the top, not below the slider.
    EXPECT_EQ(0, PositionFromValue(0xFFFFFFFFu));
    EXPECT_EQ(654, PositionFromValue(100));
    // Writing what is shown reads back at the same place over the whole range.
    for (int position = 0; position <= maxPosition; position++)
        ASSERT_EQ(position, PositionFromValue(ValueFromPosition(position))) << position;
    EXPECT_EQ(49, PercentFromPosition(328)); // 32700 / 655 = 49.9, rounded down
    // Out of range positions never wrap the unsigned volume around.
    EXPECT_EQ(0u, ValueFromPosition(100000));
    EXPECT_EQ(65500u, ValueFromPosition(-1));
    EXPECT_EQ(100, PercentFromPosition(-50));
    EXPECT_EQ(655, LockedPosition(655, 9999));
}

const DWORD cdLine = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
const DWORD volume = MIXERCONTROL_CONTROLTYPE_VOLUME;

// Which controls the lookups find, and what is written to them, the mixer panel's tests show.
// The channel counts the platform refuses: 0 for any control that is not custom, and two
// values for a uniform (mono) control. One channel works on every control.
TEST(WMixer, RefusesTheChannelCountsThePlatformRefusesAndAnUnusedMixerIsNotClosed) {
    const DWORD master = SimulatedMixer::masterVolumeId, mute = SimulatedMixer::masterMuteId;
    for (auto layout :
         {SimulatedMixer::Layout::withCdLine, SimulatedMixer::Layout::withoutCdLine}) {
        SimulatedMixer device(layout);
        WMixer mixer(&device);
        const bool stereo = layout == SimulatedMixer::Layout::withCdLine;
        device.PresetValue(master, 0, 40000);
        DWORD value = 0, other = 77, id = 99, channels = 0;
        EXPECT_EQ(0, mixer.GetValues(master, 0, &value, &other));
        EXPECT_EQ(MMRESULT(MMSYSERR_INVALPARAM), mixer.SetValues(master, 0, 1, 1));
        EXPECT_EQ(stereo ? MMRESULT(MMSYSERR_NOERROR) : MMRESULT(MMSYSERR_INVALPARAM),
                  mixer.SetValues(master, 2, 30000, 30000));
        EXPECT_EQ(MMRESULT(MMSYSERR_INVALPARAM), mixer.SetValues(mute, 2, 1, 1));
        EXPECT_EQ(1, mixer.GetValues(master, 1, &value, &other));
        EXPECT_EQ(stereo ? 30000u : 40000u, value);
        ASSERT_EQ(1, mixer.GetControlId(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                        MIXERCONTROL_CONTROLTYPE_VOLUME, &id, &channels));
        EXPECT_EQ(stereo ? 2u : 1u, channels);
    }
    SimulatedMixer unused;
    { WMixer mixer(&unused); }
    EXPECT_EQ(0, unused.closeCalls);
}

TEST(WMixer, FailuresLeaveZeroesAndTheMixerUntouched) {
    const std::pair<SimulatedMixer::Layout, MMRESULT> layouts[] = {
        {SimulatedMixer::Layout::withoutCdLine, MIXERR_INVALCONTROL},
        {SimulatedMixer::Layout::noDevice, MMSYSERR_INVALHANDLE}};
    for (auto& [layout, refusal] : layouts) {
        SimulatedMixer device(layout);
        WMixer mixer(&device);
        DWORD id = 99, value0 = 5, value1 = 6;
        EXPECT_EQ(0, mixer.GetControlId(cdLine, volume, &id) +
                         mixer.GetValues(SimulatedMixer::cdVolumeId, 2, &value0, &value1));
        EXPECT_EQ(0u, id + value0 + value1 + mixer.GetBool(SimulatedMixer::cdMuteId));
        EXPECT_EQ(refusal, mixer.SetValues(SimulatedMixer::cdVolumeId, 2, 1, 2));
        EXPECT_EQ(refusal, mixer.SetBool(SimulatedMixer::cdMuteId, 1));
        // More channels than two values would let the mixer read or write past them.
        const DWORD before = device.Value(SimulatedMixer::masterVolumeId, 0);
        EXPECT_NE(MMRESULT(MMSYSERR_NOERROR),
                  mixer.SetValues(SimulatedMixer::masterVolumeId, 6, 1, 2));
        EXPECT_EQ(0, mixer.GetValues(SimulatedMixer::masterVolumeId, 6, &value0, &value1));
        EXPECT_EQ(before, device.Value(SimulatedMixer::masterVolumeId, 0));
    }
}

// The real winmm of this machine. Without a sound card the program must still start quietly.
TEST(WMixer, PlatformMixerFailsCleanlyOrAnswersConsistently) {
    WMixer mixer;
    for (DWORD line : {cdLine, DWORD(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS)}) {
        DWORD id = 99, value0 = 5, value1 = 6;
        if (mixer.GetControlId(line, volume, &id)) {
            EXPECT_EQ(1, mixer.GetValues(id, 1, &value0, &value1));
            continue;
        }
        EXPECT_EQ(0u, id);
        if (mixerGetNumDevs()) continue;
        EXPECT_EQ(0, mixer.GetValues(id, 2, &value0, &value1));
        EXPECT_EQ(0u, value0 + value1 + mixer.GetBool(id));
        // Only written when there is no device whose volume a test could change.
        EXPECT_NE(MMRESULT(MMSYSERR_NOERROR), mixer.SetValues(id, 2, 65500, 65500));
    }
}

const DWORD cdVolume = SimulatedMixer::cdVolumeId, master = SimulatedMixer::masterVolumeId;

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
    SimulatedMixer device(SimulatedMixer::Layout::withoutCdLine);
    WMixer mixer(&device);
    VirtualCdDrive drive('V');
    MixerPanel panel(&mixer, &drive);
    panel.FindControls();
    int left = -1, right = -1, muted = -1;
    ASSERT_EQ(2, panel.ReadChannelPositions(&left, &right) + panel.ReadMute(&muted));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), (std::vector<int>{left, right, muted})) << "full";
    EXPECT_EQ(400, panel.DragLeft(0, 400, 0));
    EXPECT_EQ((std::vector<unsigned>{65500, 25500}),
              (std::vector<unsigned>{drive.LeftVolume(), drive.RightVolume()}));
    panel.SetMute(1);
    EXPECT_TRUE(drive.Muted());
    EXPECT_EQ(0, device.setCalls) << "the mixer is not touched";
    panel.ReadChannelPositions(&left, &right);
    EXPECT_EQ((std::vector<int>{0, 400}), (std::vector<int>{left, right}));
}

} // namespace
