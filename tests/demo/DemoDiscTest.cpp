#include "demo/DemoDisc.h"
#include "demo/DemoScore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

const uint64_t second = DemoDisc::sampleRate;

const DemoDisc& Disc() {
    static const DemoDisc disc;
    return disc;
}

std::vector<int16_t> Render(int track, uint64_t first, size_t count) {
    std::vector<int16_t> samples(2 * count, 12345); // anything left unwritten shows
    Disc().Render(track, first, samples.data(), count);
    return samples;
}

uint64_t TrackSamples(int track) {
    return uint64_t(Disc().TrackFrames(track)) * DemoDisc::samplesPerFrame;
}

// FNV-1a over the little-endian bytes of a whole track, rendered in one-second pieces.
uint64_t Checksum(int track) {
    uint64_t checksum = 14695981039346656037u;
    const uint64_t total = TrackSamples(track);
    for (uint64_t at = 0; at < total; at += second)
        for (int16_t value : Render(track, at, size_t(std::min(second, total - at))))
            for (int shift : {0, 8})
                checksum = (checksum ^ ((uint16_t(value) >> shift) & 0xFF)) * 1099511628211u;
    return checksum;
}

// Lengths, levels and the fade are the checksums' to pin.
TEST(DemoDiscTest, NamedTracksWithSilenceAroundThem) {
    const DemoDisc& disc = Disc();
    EXPECT_STRNE("", disc.Artist());
    EXPECT_STRNE("", disc.Album());
    const std::vector<int16_t> silence(2 * 5000, 0);
    std::set<std::string> names;
    for (int track = 1; track <= disc.TrackCount(); track++) {
        EXPECT_STRNE("", disc.TrackName(track));
        names.insert(disc.TrackName(track));
        const uint64_t end = TrackSamples(track);
        for (uint64_t from : {end, end + 123457, uint64_t(1) << 40})
            EXPECT_EQ(silence, Render(track, from, 5000)) << track << " from " << from;
        // A render across the end: nothing sounds after it.
        std::vector<int16_t> across = Render(track, end - 2500, 5000);
        EXPECT_TRUE(
            std::all_of(across.begin() + 5000, across.end(), [](int16_t v) { return v == 0; }));
    }
    EXPECT_EQ(size_t(disc.TrackCount()), names.size()) << "every name differs";
    for (int track : {0, -1, disc.TrackCount() + 1}) {
        EXPECT_EQ(0u, disc.TrackFrames(track));
        EXPECT_STREQ("", disc.TrackName(track));
        EXPECT_EQ(silence, Render(track, 1000, 5000));
    }
}

// The drive plays and seeks in buffers of any size: the samples must not depend on them.
TEST(DemoDiscTest, PiecesOfAnySizeGiveTheSamplesOfOneRender) {
    const size_t sizes[] = {1, 7, 588, 1023, 1024, 1025, 3, 4410, 2, 9999};
    for (int track = 1; track <= Disc().TrackCount(); track++) {
        // Across the fourth bar line (bar lengths of 1.9 to 2.6 s) and into the middle of notes.
        const uint64_t from = 7 * second + 12347;
        const size_t count = size_t(3 * second);
        const std::vector<int16_t> whole = Render(track, from, count);
        std::vector<int16_t> pieces;
        for (size_t done = 0, k = 0; done < count; k++) {
            const size_t size = std::min(sizes[k % 10], count - done);
            std::vector<int16_t> piece = Render(track, from + done, size);
            pieces.insert(pieces.end(), piece.begin(), piece.end());
            done += size;
        }
        EXPECT_EQ(whole, pieces) << track;
    }
}

// The same bytes from every build: these figures were also made by a host build of the
// synthesiser with g++ (tools/render-demo). They pin every sample of the disc, so levels,
// pitches and the fade of the pieces as they stand need no checks of their own.
TEST(DemoDiscTest, EveryTrackHasItsFixedChecksum) {
    const uint64_t expected[] = {0x52af9b959060c9acu, 0x5036fa952985ebd5u, 0xdafbbef398ec2bbfu,
                                 0x1c6393bba71b17c8u};
    ASSERT_EQ(4, Disc().TrackCount());
    for (int track = 1; track <= 4; track++)
        EXPECT_EQ(expected[track - 1], Checksum(track)) << "track " << track;
}

// Seeking to 1:30 must not cost the synthesis of everything before it.
TEST(DemoDiscTest, ASecondLateInATrackCostsWhatASecondAtItsStartCosts) {
    DemoDisc disc;
    std::vector<int16_t> samples(2 * second);
    // The work of rendering `seconds` seconds of the track from `from` on, a second a call.
    auto work = [&](int track, uint64_t from, uint64_t seconds) {
        const uint64_t before = disc.WorkDone();
        for (uint64_t at = from; at < from + seconds * second; at += second)
            disc.Render(track, at, samples.data(), second);
        return disc.WorkDone() - before;
    };
    for (int track = 1; track <= disc.TrackCount(); track++) {
        const uint64_t atStart = work(track, 0, 1), late = work(track, 90 * second, 1);
        const uint64_t everySecond = work(track, 0, 90) / 90;
        EXPECT_GT(atStart, second) << track << ": the work is counted";
        EXPECT_LT(late, 3 * atStart) << track;
        EXPECT_LT(late, 2 * everySecond) << track;
    }
}

// What the samples do not show: each score is written without faults, under its disc's name.
// How the pieces' chords, bass lines and swing come out is pinned by the checksums above.
TEST(DemoScoreTest, EveryPieceIsWrittenWithoutFaultsUnderItsTracksName) {
    ASSERT_EQ(Disc().TrackCount(), DemoScore::TrackCount());
    for (int track = 1; track <= DemoScore::TrackCount(); track++) {
        const DemoScore score = DemoScore::Compose(track);
        EXPECT_EQ(0, score.Faults()) << track;
        EXPECT_STREQ(Disc().TrackName(track), score.Title());
    }
    EXPECT_TRUE(DemoScore::Compose(0).Notes().empty());
    EXPECT_EQ(0, DemoScore::Compose(0).Bars());
}

TEST(DemoScoreTest, FaultsInTheWritingAreCounted) {
    DemoScore score("Test", "C major", 120, 4, false);
    score.SetChords("C G Xm7 Am");
    EXPECT_EQ(1, score.Faults()) << "no chord Xm7";
    score.Melody(DemoInstrument::Flute, 1, "C5/4 E5/4 G5/8 | C6/4 | r/12", 90);
    EXPECT_EQ(2, score.Faults()) << "a bar line after a quarter";
    score.Melody(DemoInstrument::Flute, 5, "C5/4 E5/4 G5/8|H5/16", 90);
    EXPECT_EQ(3, score.Faults()) << "no note H";
    score.Drums(DemoInstrument::Kick, 1, 2, "x...x...x...x..", 90);
    EXPECT_EQ(4, score.Faults()) << "fifteen sixteenths";
    score.Chords(DemoInstrument::Pad, 1, 1, "x/8 r/4", 60, 90);
    EXPECT_EQ(5, score.Faults()) << "twelve sixteenths";
}

} // namespace
