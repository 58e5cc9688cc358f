#include "devices/SimulatedMixer.h"
#include "devices/WMixer.h"

#include <gtest/gtest.h>

namespace {

const DWORD cdLine = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
const DWORD speakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
const DWORD volume = MIXERCONTROL_CONTROLTYPE_VOLUME;
const DWORD mute = MIXERCONTROL_CONTROLTYPE_MUTE;

TEST(WMixer, FindsTheControlsOfTheCdLineAndTheSpeakers) {
    SimulatedMixer device;
    WMixer mixer(&device);
    DWORD id = 99;
    EXPECT_EQ(1, mixer.GetControlId(cdLine, volume, &id));
    EXPECT_EQ(SimulatedMixer::cdVolumeId, id);
    EXPECT_EQ(1, mixer.GetControlId(cdLine, mute, &id));
    EXPECT_EQ(SimulatedMixer::cdMuteId, id);
    EXPECT_EQ(1, mixer.GetControlId(speakers, volume, &id));
    EXPECT_EQ(SimulatedMixer::masterVolumeId, id);
    id = 99;
    EXPECT_EQ(0, mixer.GetControlId(cdLine, MIXERCONTROL_CONTROLTYPE_BASS, &id));
    EXPECT_EQ(0u, id);
}

TEST(WMixer, ReadsAndWritesEachChannelInOrder) {
    SimulatedMixer device;
    WMixer mixer(&device);
    device.PresetValue(SimulatedMixer::cdVolumeId, 0, 1234);
    device.PresetValue(SimulatedMixer::cdVolumeId, 1, 54321);
    DWORD left = 0, right = 0;
    EXPECT_EQ(1, mixer.GetValues(SimulatedMixer::cdVolumeId, 2, &left, &right));
    EXPECT_EQ(1234u, left);
    EXPECT_EQ(54321u, right);

    EXPECT_EQ(MMSYSERR_NOERROR, mixer.SetValues(SimulatedMixer::cdVolumeId, 2, 65500, 300));
    EXPECT_EQ(65500u, device.Value(SimulatedMixer::cdVolumeId, 0));
    EXPECT_EQ(300u, device.Value(SimulatedMixer::cdVolumeId, 1));

    // The master volume is read with channel count 0: channel 0 only.
    device.PresetValue(SimulatedMixer::masterVolumeId, 0, 40000);
    device.PresetValue(SimulatedMixer::masterVolumeId, 1, 100);
    DWORD master = 0, other = 77;
    EXPECT_EQ(1, mixer.GetValues(SimulatedMixer::masterVolumeId, 0, &master, &other));
    EXPECT_EQ(40000u, master);
    EXPECT_EQ(0u, other);
}

TEST(WMixer, MuteSwitchReadsBackWhatWasSet) {
    SimulatedMixer device;
    WMixer mixer(&device);
    EXPECT_EQ(0u, mixer.GetBool(SimulatedMixer::cdMuteId));
    EXPECT_EQ(MMSYSERR_NOERROR, mixer.SetBool(SimulatedMixer::cdMuteId, 1));
    EXPECT_NE(0u, mixer.GetBool(SimulatedMixer::cdMuteId));
    EXPECT_EQ(0u, mixer.GetBool(SimulatedMixer::masterMuteId)); // only the CD line's switch
}

TEST(WMixer, FailuresLeaveZeroesAndTheMixerUntouched) {
    SimulatedMixer device(SimulatedMixer::Layout::withoutCdLine);
    WMixer mixer(&device);
    DWORD value0 = 5, value1 = 6;
    EXPECT_EQ(0, mixer.GetValues(SimulatedMixer::cdVolumeId, 2, &value0, &value1));
    EXPECT_EQ(0u, value0);
    EXPECT_EQ(0u, value1);
    EXPECT_EQ(MIXERR_INVALCONTROL, mixer.SetValues(SimulatedMixer::cdVolumeId, 2, 1, 2));
    EXPECT_EQ(0u, mixer.GetBool(SimulatedMixer::cdMuteId));
    // More channels than two values would let the mixer read or write past them.
    const DWORD before = device.Value(SimulatedMixer::masterVolumeId, 0);
    EXPECT_NE(MMSYSERR_NOERROR, mixer.SetValues(SimulatedMixer::masterVolumeId, 6, 1, 2));
    EXPECT_EQ(0, mixer.GetValues(SimulatedMixer::masterVolumeId, 6, &value0, &value1));
    EXPECT_EQ(before, device.Value(SimulatedMixer::masterVolumeId, 0));
}

TEST(WMixer, NoDeviceAnswersEveryCallWithAnInvalidHandle) {
    SimulatedMixer device(SimulatedMixer::Layout::noDevice);
    WMixer mixer(&device);
    DWORD id = 99, value0 = 5, value1 = 6;
    EXPECT_EQ(0, mixer.GetControlId(speakers, volume, &id));
    EXPECT_EQ(0u, id);
    EXPECT_EQ(0, mixer.GetValues(0, 0, &value0, &value1));
    EXPECT_EQ(0u, value0 + value1);
    EXPECT_EQ(MMSYSERR_INVALHANDLE, mixer.SetValues(0, 2, 100, 100));
    EXPECT_EQ(MMSYSERR_INVALHANDLE, mixer.SetBool(1, 1));
}

TEST(WMixer, ClosesOnlyAMixerItOpened) {
    SimulatedMixer device;
    { WMixer mixer(&device); }
    EXPECT_EQ(0, device.closeCalls);
    {
        WMixer mixer(&device);
        mixer.mixerHandle = reinterpret_cast<HMIXER>(static_cast<UINT_PTR>(0x8000));
    }
    EXPECT_EQ(1, device.closeCalls);
}

// The real winmm of this machine. Without a sound card the program must still start quietly.
TEST(WMixer, PlatformMixerFailsCleanlyOrAnswersConsistently) {
    WMixer mixer;
    const bool noDevice = mixerGetNumDevs() == 0;
    const DWORD lines[][2] = {{cdLine, volume}, {speakers, volume}, {cdLine, mute}};
    for (const auto& line : lines) {
        DWORD id = 99, value0 = 5, value1 = 6;
        const int found = mixer.GetControlId(line[0], line[1], &id);
        if (!found) {
            EXPECT_EQ(0u, id);
        }
        if (noDevice) {
            EXPECT_EQ(0, found);
        }
        if (found && line[1] == volume) {
            EXPECT_EQ(1, mixer.GetValues(id, line[0] == cdLine ? 2 : 0, &value0, &value1));
        }
        if (noDevice) {
            EXPECT_EQ(0, mixer.GetValues(id, 2, &value0, &value1));
            EXPECT_EQ(0u, value0);
            EXPECT_EQ(0u, value1);
            EXPECT_EQ(0u, mixer.GetBool(id));
            // Only written when there is no device whose volume a test could change.
            EXPECT_NE(MMSYSERR_NOERROR, mixer.SetValues(id, 2, 65500, 65500));
            EXPECT_NE(MMSYSERR_NOERROR, mixer.SetBool(id, 1));
        }
    }
}

// The simulated mixer must refuse what winmm refuses; compared call by call when this
// machine has no mixer device, as the simulation without a device.
TEST(WMixer, SimulationRefusesBadCallsLikeWinmm) {
    if (mixerGetNumDevs() != 0) GTEST_SKIP() << "this machine has a mixer device";
    SimulatedMixer simulated(SimulatedMixer::Layout::noDevice);
    SimulatedMixer working;
    MixerBackend* backends[] = {&PlatformMixerBackend::Instance(), &simulated};
    const HMIXEROBJ first = nullptr;
    MMRESULT answers[2][5];
    for (int b = 0; b < 2; b++) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line) - 1;
        answers[b][0] = backends[b]->GetLineInfo(first, &line, MIXER_GETLINEINFOF_LINEID);
        line.cbStruct = sizeof(line);
        answers[b][1] = backends[b]->GetLineInfo(first, &line, 0x0000000F);
        answers[b][2] = backends[b]->GetLineInfo(first, &line, MIXER_GETLINEINFOF_COMPONENTTYPE);
        MIXERCONTROLA control = {};
        MIXERLINECONTROLSA controls = {sizeof(controls), 0, {0}, 1, sizeof(control) + 4, &control};
        answers[b][3] =
            backends[b]->GetLineControls(first, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE);
        DWORD value = 0;
        MIXERCONTROLDETAILS details = {sizeof(details) + 8, 0, 1, {0}, sizeof(value), &value};
        answers[b][4] = backends[b]->GetControlDetails(first, &details, 0);
    }
    for (int call = 0; call < 5; call++)
        EXPECT_EQ(answers[0][call], answers[1][call]) << call;
    EXPECT_EQ(MMSYSERR_INVALHANDLE, answers[1][2]);
    // A working device refuses the same malformed calls before looking at anything else.
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line) - 1;
    EXPECT_EQ(answers[0][0], working.GetLineInfo(first, &line, MIXER_GETLINEINFOF_LINEID));
}

} // namespace
