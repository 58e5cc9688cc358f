#include "devices/SimulatedMixer.h"
#include "devices/WMixer.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

const DWORD cdLine = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
const DWORD speakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
const DWORD volume = MIXERCONTROL_CONTROLTYPE_VOLUME;

// Which controls the lookups find, and what is written to them, the mixer panel's tests show.
TEST(WMixer, ChannelCountZeroReadsChannelZeroOnly) {
    SimulatedMixer device;
    WMixer mixer(&device);
    device.PresetValue(SimulatedMixer::masterVolumeId, 0, 40000);
    device.PresetValue(SimulatedMixer::masterVolumeId, 1, 100);
    DWORD master = 0, other = 77;
    EXPECT_EQ(1, mixer.GetValues(SimulatedMixer::masterVolumeId, 0, &master, &other));
    EXPECT_EQ(40000u, master);
    EXPECT_EQ(0u, other);
}

TEST(WMixer, FailuresLeaveZeroesAndTheMixerUntouched) {
    const std::pair<SimulatedMixer::Layout, MMRESULT> layouts[] = {
        {SimulatedMixer::Layout::withoutCdLine, MIXERR_INVALCONTROL},
        {SimulatedMixer::Layout::noDevice, MMSYSERR_INVALHANDLE}};
    for (auto& [layout, refusal] : layouts) {
        SimulatedMixer device(layout);
        WMixer mixer(&device);
        DWORD id = 99, value0 = 5, value1 = 6;
        EXPECT_EQ(0, mixer.GetControlId(cdLine, volume, &id));
        EXPECT_EQ(0u, id);
        EXPECT_EQ(0, mixer.GetValues(SimulatedMixer::cdVolumeId, 2, &value0, &value1));
        EXPECT_EQ(0u, value0 + value1);
        EXPECT_EQ(refusal, mixer.SetValues(SimulatedMixer::cdVolumeId, 2, 1, 2));
        EXPECT_EQ(refusal, mixer.SetBool(SimulatedMixer::cdMuteId, 1));
        EXPECT_EQ(0u, mixer.GetBool(SimulatedMixer::cdMuteId));
        // More channels than two values would let the mixer read or write past them.
        const DWORD before = device.Value(SimulatedMixer::masterVolumeId, 0);
        EXPECT_NE(MMRESULT(MMSYSERR_NOERROR),
                  mixer.SetValues(SimulatedMixer::masterVolumeId, 6, 1, 2));
        EXPECT_EQ(0, mixer.GetValues(SimulatedMixer::masterVolumeId, 6, &value0, &value1));
        EXPECT_EQ(before, device.Value(SimulatedMixer::masterVolumeId, 0));
    }
    SimulatedMixer device;
    { WMixer mixer(&device); }
    EXPECT_EQ(0, device.closeCalls); // never opened, never closed
}

// The real winmm of this machine. Without a sound card the program must still start quietly;
// the simulation of that case must refuse malformed calls as winmm does.
TEST(WMixer, PlatformMixerFailsCleanlyOrAnswersConsistently) {
    WMixer mixer;
    const bool noDevice = mixerGetNumDevs() == 0;
    for (DWORD line : {cdLine, speakers}) {
        DWORD id = 99, value0 = 5, value1 = 6;
        const int found = mixer.GetControlId(line, volume, &id);
        EXPECT_TRUE(found ? mixer.GetValues(id, line == cdLine ? 2 : 0, &value0, &value1) == 1
                          : id == 0);
        if (!noDevice) continue;
        EXPECT_EQ(0, found + mixer.GetValues(id, 2, &value0, &value1));
        EXPECT_EQ(0u, value0 + value1 + mixer.GetBool(id));
        // Only written when there is no device whose volume a test could change.
        EXPECT_NE(MMRESULT(MMSYSERR_NOERROR), mixer.SetValues(id, 2, 65500, 65500));
    }
    if (!noDevice) return;
    SimulatedMixer simulated(SimulatedMixer::Layout::noDevice), working;
    MixerBackend* backends[] = {&PlatformMixerBackend::Instance(), &simulated, &working};
    MMRESULT answers[3][4];
    for (int b = 0; b < 3; b++) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line) - 1;
        answers[b][0] = backends[b]->GetLineInfo(nullptr, &line, MIXER_GETLINEINFOF_LINEID);
        line.cbStruct = sizeof(line);
        answers[b][1] = backends[b]->GetLineInfo(nullptr, &line, 0x0000000F);
        MIXERCONTROLA control = {};
        MIXERLINECONTROLSA controls = {sizeof(controls), 0, {0}, 1, sizeof(control) + 4, &control};
        answers[b][2] =
            backends[b]->GetLineControls(nullptr, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE);
        DWORD value = 0;
        MIXERCONTROLDETAILS details = {sizeof(details) + 8, 0, 1, {0}, sizeof(value), &value};
        answers[b][3] = backends[b]->GetControlDetails(nullptr, &details, 0);
    }
    for (int call = 0; call < 4; call++)
        EXPECT_EQ(answers[0][call], answers[1][call]) << call;
    EXPECT_EQ(answers[0][0], answers[2][0]); // a working device refuses it before anything else
}

} // namespace
