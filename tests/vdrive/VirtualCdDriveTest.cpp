#include "vdrive/VirtualCdDrive.h"

#include "devices/WMCIAudioCD.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

constexpr int perFrame = DiscAudio::samplesPerFrame;

// Every sample tells its frame and place, so a wrong, lost or doubled piece shows.
struct NumberedAudio : DiscAudio {
    void ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const override {
        for (std::int64_t f = firstFrame; f < firstFrame + count; f++)
            for (int i = 0; i < perFrame; i++) {
                *samples++ = std::int16_t(f * 31 + i);
                *samples++ = std::int16_t(-(f * 31 + i));
            }
    }
};

// A sound device in miniature: four buffers of 15 frames queued ahead, played out when the
// test says so, refilled as each empties, as the wave output does on its window messages.
struct RecordingSink : SampleSink {
    static constexpr int bufferSamples = 15 * perFrame;
    bool available = true, paused = false;
    SampleSource* source = nullptr;
    std::deque<std::vector<std::int16_t>> queued;
    std::vector<std::int16_t> heard;
    std::uint64_t played = 0;
    unsigned left = 0, right = 0;

    bool Available() const override { return available; }
    void Start(SampleSource& from) override {
        queued.clear();
        source = &from;
        paused = false;
        Refill();
    }
    void Pause() override { paused = true; }
    void Resume() override { paused = false; }
    void Stop() override {
        queued.clear();
        source = nullptr;
    }
    std::uint64_t PlayedSamples() override { return played; }
    void SetVolume(unsigned l, unsigned r) override { left = l, right = r; }

    void Refill() {
        while (source && queued.size() < 4) {
            std::vector<std::int16_t> buffer(2 * bufferSamples);
            const int got = source->Fill(buffer.data(), bufferSamples);
            if (got == 0) break;
            buffer.resize(2 * size_t(got));
            queued.push_back(buffer);
        }
    }
    // Plays up to `samples` of what is queued.
    void PlayOut(size_t samples) {
        while (!paused && samples > 0 && !queued.empty()) {
            std::vector<std::int16_t>& front = queued.front();
            const size_t take = std::min(samples, front.size() / 2);
            heard.insert(heard.end(), front.begin(), front.begin() + 2 * take);
            front.erase(front.begin(), front.begin() + 2 * take);
            played += take;
            samples -= take;
            if (front.empty()) {
                queued.pop_front();
                Refill();
            }
        }
    }
    void PlayAll() { PlayOut(SIZE_MAX); }
};

// Three audio tracks and a data track; frame 0 of the audio is the first track's start.
VirtualDisc TestDisc() {
    VirtualDisc disc;
    disc.tracks = {{100, false}, {80, false}, {50, true}, {60, false}};
    disc.audio = std::make_shared<NumberedAudio>();
    return disc;
}

// What the disc sounds like from audio frame `first` for `count` frames.
std::vector<std::int16_t> DiscSound(std::int64_t first, int count) {
    std::vector<std::int16_t> samples(2 * size_t(count) * perFrame);
    NumberedAudio().ReadFrames(first, count, samples.data());
    return samples;
}

std::vector<std::int16_t> Joined(std::vector<std::int16_t> a, const std::vector<std::int16_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct VirtualDrive : ::testing::Test {
    RecordingSink sink;
    VirtualCdDrive drive{'V', nullptr, &sink};
    WMCIAudioCD cd{&drive};

    void SetUp() override {
        drive.Insert(TestDisc());
        ASSERT_EQ(1, cd.Open("V:"));
        ASSERT_EQ(1, cd.ReadDisc());
    }
    // The disc's position as the player reads it, in frames from the first track's start.
    int Frame() {
        int track = 0, minute = 0, second = 0, frame = 0;
        cd.GetPosition(&track, &minute, &second, &frame);
        const int starts[] = {0, 0, 100, 180, 230};
        return starts[track] + (minute * 60 + second) * 75 + frame;
    }
    DWORD Mode() {
        DWORD mode = 0;
        cd.GetMode(&mode);
        return mode;
    }
};

TEST_F(VirtualDrive, PlaysOnAcrossTrackBoundariesToTheDiscsEndAndStops) {
    ASSERT_EQ(1, cd.PlayFrom(1, 0, 1, 10)); // 85 frames in
    sink.PlayOut(40 * perFrame + 7);
    EXPECT_EQ(85 + 40, Frame()) << "the head follows the samples heard";
    sink.PlayAll();
    // The disc ends one frame before the lead-out, as the platform's drives stop.
    EXPECT_EQ(DiscSound(85, 290 - 1 - 85), sink.heard) << "gapless through every boundary";
    EXPECT_EQ(DWORD(MCI_MODE_STOP), Mode());
}

TEST_F(VirtualDrive, ASeekOrAStopDropsWhatWasQueuedAndAPlayStartsAtItsOwnPlace) {
    cd.PlayFrom(1, 0, 0, 0);
    sink.PlayOut(30 * perFrame);
    cd.PlayFrom(2, 0, 0, 5); // frame 105
    EXPECT_EQ(105, Frame()) << "at once, before a sample of it is heard";
    sink.PlayOut(20 * perFrame);
    EXPECT_EQ(125, Frame());
    const std::vector<std::int16_t> before = Joined(DiscSound(0, 30), DiscSound(105, 20));
    EXPECT_EQ(before, sink.heard);
    ASSERT_EQ(1, cd.Pause()); // the player's pause: a stop
    EXPECT_TRUE(sink.queued.empty()) << "stop is silence at once";
    sink.PlayAll();
    EXPECT_EQ(before, sink.heard);
    EXPECT_EQ(125, Frame());
    cd.PlayFrom(1, 0, 1, 0); // frame 75, before the frame it stopped in
    EXPECT_FALSE(sink.paused);
    sink.PlayOut(3 * perFrame);
    EXPECT_EQ(Joined(before, DiscSound(75, 3)), sink.heard);
}

// The player pauses by stopping and playing again from the frame it read.
TEST_F(VirtualDrive, ThePlayersPauseAndResumeLeaveNoSeam) {
    cd.PlayFrom(3 + 1, 0, 0, 0); // the last track: frame 230
    sink.PlayOut(10 * perFrame + 100);
    ASSERT_EQ(1, cd.Pause());
    EXPECT_EQ(240, Frame());
    sink.PlayAll();
    ASSERT_EQ(1, cd.Resume());
    sink.PlayAll();
    EXPECT_EQ(DiscSound(230, 59), sink.heard);
    EXPECT_EQ(DWORD(MCI_MODE_STOP), Mode());
}

TEST_F(VirtualDrive, MciPauseHoldsTheQueuedSoundAndTheRunStillEndsOnItsLastSample) {
    cd.PlayFrom(3 + 1, 0, 0, 0);
    sink.PlayOut(10 * perFrame + 100);
    MCI_GENERIC_PARMS none = {};
    ASSERT_EQ(0u, drive.SendCommand(cd.deviceId, MCI_PAUSE, 0, DWORD_PTR(&none)));
    EXPECT_TRUE(sink.paused);
    sink.PlayOut(20 * perFrame);
    EXPECT_EQ(240, Frame()) << "nothing is heard while paused";
    EXPECT_EQ(DWORD(MCI_MODE_PAUSE), Mode());
    ASSERT_EQ(0u, drive.SendCommand(cd.deviceId, MCI_RESUME, 0, DWORD_PTR(&none)));
    EXPECT_FALSE(sink.paused);
    sink.PlayAll();
    EXPECT_EQ(DiscSound(230, 59), sink.heard);
    // The part of a frame the pause cut off must not keep the drive playing for ever.
    EXPECT_EQ(DWORD(MCI_MODE_STOP), Mode());
}

TEST_F(VirtualDrive, TheDoorAndANewDiscSilenceThePlay) {
    cd.PlayFrom(1, 0, 0, 0);
    sink.PlayOut(perFrame);
    cd.SetDoor(1);
    EXPECT_EQ(nullptr, sink.source);
    EXPECT_EQ(DWORD(MCI_MODE_OPEN), Mode());
    cd.SetDoor(0);
    cd.PlayFrom(1, 0, 0, 0);
    EXPECT_NE(nullptr, sink.source);
    VirtualDisc other = TestDisc();
    other.tracks = {{300, false}};
    drive.Insert(other);
    EXPECT_EQ(nullptr, sink.source) << "a disc change stops the drive";
    EXPECT_EQ(1, cd.ReadDisc());
    EXPECT_EQ(1u, cd.audioTrackCount);
    EXPECT_NE("", drive.DiscId());
    drive.Eject();
    EXPECT_EQ("", drive.DiscId());
}

TEST_F(VirtualDrive, TheOwnVolumeAndMuteReachTheSink) {
    drive.SetVolume(30000, 70000);
    EXPECT_EQ(30000u, sink.left);
    EXPECT_EQ(65535u, sink.right) << "the mixer's scale ends at 65535";
    drive.SetMute(true);
    EXPECT_EQ(0u, sink.left + sink.right);
    drive.SetMute(false);
    EXPECT_EQ(30000u, sink.left);
}

TEST(VirtualDriveWithoutSound, KeepsTimeByTheClockAndPullsNothing) {
    RecordingSink silent;
    silent.available = false;
    ManualClock clock;
    VirtualCdDrive drive('V', &clock, &silent);
    drive.Insert(TestDisc());
    WMCIAudioCD cd(&drive);
    ASSERT_EQ(1, cd.Open("V:"));
    cd.PlayFrom(1, 0, 0, 0);
    clock.Advance(1000);
    int track = 0, minute = 0, second = 0, frame = 0;
    cd.GetPosition(&track, &minute, &second, &frame);
    EXPECT_EQ(1, second);
    EXPECT_EQ(nullptr, silent.source);
}

// The answers of winmm with Wine's driver on the test prefix's CD-ROM drive D: (serial 4D2,
// no disc in it), next to the virtual drive's, for the calls that need no disc.
struct Answers {
    std::vector<MCIERROR> codes;
    std::vector<DWORD_PTR> values;
};

Answers AskEverything(CdAudioBackend& backend, const char* letter, const char* otherDrive) {
    Answers a;
    auto open = [&](DWORD flags, LPCSTR type, LPCSTR element, MCIDEVICEID* id) {
        MCI_OPEN_PARMSA params = {0, 0, type, element, nullptr};
        const MCIERROR result = backend.SendCommand(0, MCI_OPEN, flags, DWORD_PTR(&params));
        if (id) *id = params.wDeviceID;
        return result;
    };
    // Each open that succeeds is closed again, so that the next one finds the drive free.
    auto openAndClose = [&](DWORD flags, LPCSTR type, LPCSTR element) {
        MCIDEVICEID id = 0;
        const MCIERROR result = open(flags, type, element, &id);
        if (result == 0) backend.SendCommand(id, MCI_CLOSE, MCI_WAIT, 0);
        return result;
    };
    const DWORD typed = MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT;
    const LPCSTR cdType = LPCSTR(DWORD_PTR(MCI_DEVTYPE_CD_AUDIO));
    a.codes.push_back(openAndClose(MCI_OPEN_ELEMENT | MCI_WAIT, nullptr, letter));
    a.codes.push_back(openAndClose(MCI_OPEN_ELEMENT | MCI_WAIT, nullptr, otherDrive));
    a.codes.push_back(openAndClose(MCI_WAIT, nullptr, nullptr));
    a.codes.push_back(openAndClose(MCI_OPEN_TYPE | MCI_WAIT, "cdaudio", nullptr));
    a.codes.push_back(openAndClose(typed, "waveaudio", letter));
    a.codes.push_back(openAndClose(typed | MCI_OPEN_TYPE_ID, cdType, letter));
    a.codes.push_back(openAndClose(typed | MCI_OPEN_ELEMENT_ID, "cdaudio", letter));
    MCIDEVICEID id = 0;
    a.codes.push_back(open(typed, "cdaudio", letter, &id));
    MCI_SET_PARMS set = {0, MCI_FORMAT_BYTES, 0};
    a.codes.push_back(backend.SendCommand(id, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)));
    set.dwTimeFormat = MCI_FORMAT_TMSF;
    a.codes.push_back(backend.SendCommand(id, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)));
    MCI_STATUS_PARMS status = {};
    a.codes.push_back(backend.SendCommand(id, MCI_STATUS, 0, DWORD_PTR(&status)));
    a.codes.push_back(backend.SendCommand(id, MCI_STATUS, MCI_STATUS_ITEM, 0));
    status.dwItem = MCI_STATUS_TIME_FORMAT;
    a.codes.push_back(backend.SendCommand(id, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)));
    a.values.push_back(status.dwReturn);
    status.dwItem = MCI_STATUS_POSITION;
    a.codes.push_back(backend.SendCommand(
        id, MCI_STATUS, MCI_STATUS_ITEM | MCI_STATUS_START | MCI_TRACK, DWORD_PTR(&status)));
    a.codes.push_back(backend.SendCommand(id + 50, MCI_STOP, MCI_WAIT, 0));
    a.codes.push_back(backend.SendCommand(id, MCI_CLOSE, MCI_WAIT, 0));
    a.codes.push_back(backend.SendCommand(id, MCI_CLOSE, MCI_WAIT, 0));
    return a;
}

TEST(VirtualDriveAndPlatform, AnswerOpenCloseAndBadCallsAlike) {
    if (GetDriveTypeA("D:\\") != DRIVE_CDROM) GTEST_SKIP() << "no CD-ROM drive D:";
    PlatformCdAudioBackend platform;
    VirtualCdDrive drive('V');
    const Answers wine = AskEverything(platform, "D:", "C:");
    const Answers ours = AskEverything(drive, "V:", "C:");
    EXPECT_EQ(wine.codes, ours.codes);
    EXPECT_EQ(wine.values, ours.values);
    DWORD serial = 0;
    EXPECT_TRUE(platform.GetVolumeSerial("D:\\", &serial) && serial == 0x4D2);
}

} // namespace
