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
    EXPECT_EQ(0, PositionFromValue(70000));
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

} // namespace
