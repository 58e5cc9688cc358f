#include "demo/DemoDisc.h"

#include "demo/DemoScore.h"

#include <algorithm>
#include <array>
#include <vector>

// All synthesis is in integers: phases are fractions of a cycle in 2^40ths, levels are Q15
// (32768 is one), and the sine and halving curves come from series summed in integers, so
// that every compiler produces the same samples.

namespace {

const int one = 1 << 15;
const int waveBits = 11;
const int waveSize = 1 << waveBits;
const int phaseBits = 40;
const uint64_t quarterCycle = uint64_t(1) << (phaseBits - 2);
const size_t blockSamples = 1024;
const uint32_t tailSamples = 2 * DemoDisc::sampleRate; // after the last bar, for the releases
const uint32_t fadeSamples = 4 * DemoDisc::sampleRate; // the fade closing every track

using Wave = std::array<int32_t, waveSize + 1>; // one cycle and its first point again

int32_t MulQ15(int32_t a, int32_t b) {
    return int32_t((int64_t(a) * b) >> 15);
}

uint32_t Milliseconds(int ms) {
    return uint32_t(ms) * uint32_t(DemoDisc::sampleRate) / 1000u;
}

uint64_t IncrementForHz(int hz) {
    return (uint64_t(hz) << phaseBits) / uint64_t(DemoDisc::sampleRate);
}

// The phase step of each pitch class in the ninth octave (MIDI 108 to 119); lower octaves
// halve it.
uint64_t IncrementForPitch(int pitch) {
    static const uint64_t topOctave[12] = {
        104366567318u, 110572526359u, 117147510927u, 124113464424u, 131493635070u, 139312653500u,
        147596614960u, 156373166403u, 165671598752u, 175522944661u, 185960082081u, 197017843989u};
    pitch = std::min(std::max(pitch, 0), 119);
    return topOctave[pitch % 12] >> (9 - pitch / 12);
}

// sin x for 0 <= x <= pi/2, both scaled by 2^30.
int64_t SineSeries(int64_t x) {
    const int64_t square = (x * x) >> 30;
    int64_t term = x, sum = x;
    for (int k = 1; k <= 8; k++) {
        term = -((term * square) >> 30) / ((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

// e^-x for 0 <= x <= ln 2, both scaled by 2^30.
int64_t ExpSeries(int64_t x) {
    int64_t term = int64_t(1) << 30, sum = term;
    for (int k = 1; k <= 12; k++) {
        term = ((term * x) >> 30) / k;
        sum += k % 2 ? -term : term;
    }
    return sum;
}

int32_t RoundQ30ToQ15(int64_t value) {
    return int32_t((value + (1 << 14)) >> 15);
}

Wave MakeSine() {
    const int64_t piQ30 = 3373259426; // pi * 2^30
    const int quarter = waveSize / 4;
    Wave wave{};
    for (int i = 0; i <= waveSize; i++) {
        int within = i % quarter, part = (i / quarter) % 4;
        int fromZero = part % 2 ? quarter - within : within;
        int64_t value = SineSeries(piQ30 * fromZero / (2 * quarter));
        wave[size_t(i)] = RoundQ30ToQ15(part >= 2 ? -value : value);
    }
    return wave;
}

// 2^(-i/1024) in Q15 for i = 0 .. 1024.
std::array<int32_t, 1025> MakeHalving() {
    const int64_t ln2Q30 = 744261118;
    std::array<int32_t, 1025> curve{};
    for (int i = 0; i <= 1024; i++)
        curve[size_t(i)] = RoundQ30ToQ15(ExpSeries(ln2Q30 * i / 1024));
    return curve;
}

// A cycle of the harmonics given in thousandths of the fundamental, its peak scaled to 30000.
Wave MakeWave(const Wave& sine, const std::vector<int>& harmonics) {
    std::vector<int64_t> sum(waveSize, 0);
    int64_t peak = 1;
    for (int i = 0; i < waveSize; i++) {
        for (size_t h = 0; h < harmonics.size(); h++)
            sum[size_t(i)] += int64_t(harmonics[h]) * sine[(size_t(i) * (h + 1)) % waveSize];
        peak = std::max(peak, sum[size_t(i)] < 0 ? -sum[size_t(i)] : sum[size_t(i)]);
    }
    Wave wave{};
    for (int i = 0; i < waveSize; i++)
        wave[size_t(i)] = int32_t(sum[size_t(i)] * 30000 / peak);
    wave[waveSize] = wave[0];
    return wave;
}

enum class Kind { Tonal, Electric, Kick, Snare, Clap, Hat, Ride };

// An instrument as written down: times in milliseconds (decays as half-lives), levels in
// thousandths.
struct Sound {
    Kind kind;
    std::vector<int> bright, soft; // harmonics at the note's start and once it has settled
    int attack, decay, sustain, release, brightness;
    int vibrato, vibratoRate, vibratoDelay; // thousandths of the pitch, hundredths of a Hz
    int tremolo, detune, breath;            // thousandths, cents, thousandths
    int level, pan;                         // pan from -100 (left) to 100 (right)
    bool echo;
    int length; // how long a drum sounds
};

using K = Kind;

// Indexed by DemoInstrument.
const Sound sounds[] = {
    // BrightLead: a reedy lead that mellows as it is held
    {K::Tonal,
     {1000, 420, 520, 200, 300, 110, 180, 60, 100, 40, 60, 25},
     {1000, 300, 180, 70, 50, 20},
     14,
     700,
     650,
     90,
     220,
     4,
     530,
     260,
     0,
     0,
     0,
     480,
     0,
     true,
     0},
    // Flute: breathy, with a late vibrato
    {K::Tonal,
     {1000, 240, 110, 40, 15},
     {1000, 140, 40},
     60,
     1500,
     780,
     140,
     350,
     5,
     500,
     220,
     60,
     0,
     50,
     520,
     8,
     true,
     0},
    // Vibes: a struck bar, its overtone at four times the pitch, and the motor's tremolo
    {K::Tonal,
     {1000, 0, 0, 380, 0, 0, 0, 0, 0, 90},
     {1000, 0, 0, 60},
     3,
     650,
     0,
     260,
     140,
     0,
     560,
     0,
     220,
     0,
     0,
     600,
     -10,
     false,
     0},
    // SawLead: two slightly detuned saws
    {K::Tonal,
     {1000, 500, 333, 250, 200, 167, 143, 125, 111, 100, 91, 83},
     {1000, 420, 220, 120, 60, 30, 15},
     8,
     900,
     700,
     110,
     320,
     4,
     550,
     300,
     0,
     7,
     0,
     470,
     0,
     true,
     0},
    // Piano: an electric piano, a tone whose brightness fades (frequency modulation)
    {K::Electric, {}, {}, 2, 800, 120, 180, 180, 0, 0, 0, 0, 0, 0, 260, -18, false, 0},
    // Pad: a slow, wide string section
    {K::Tonal,
     {1000, 480, 320, 220, 160, 120, 90, 70, 55, 42, 32, 25, 18, 12},
     {1000, 380, 160, 70, 30},
     380,
     5000,
     720,
     600,
     1800,
     0,
     0,
     0,
     0,
     9,
     0,
     200,
     0,
     false,
     0},
    // Pluck: a short bright string for the arpeggios
    {K::Tonal,
     {1000, 720, 520, 380, 270, 190, 130, 90, 60, 40, 25, 15},
     {1000, 220, 60},
     2,
     160,
     0,
     60,
     70,
     0,
     0,
     0,
     0,
     0,
     0,
     300,
     28,
     true,
     0},
    // Bass: a synthesiser bass with a bright start
    {K::Tonal,
     {1000, 620, 420, 300, 200, 130, 85, 55, 35, 20},
     {1000, 260, 70},
     5,
     300,
     520,
     45,
     90,
     0,
     0,
     0,
     0,
     0,
     0,
     480,
     0,
     false,
     0},
    // RoundBass: a plucked, rounder bass
    {K::Tonal,
     {1000, 450, 200, 90, 45, 20},
     {1000, 160, 35},
     7,
     480,
     220,
     70,
     70,
     0,
     0,
     0,
     0,
     0,
     0,
     560,
     0,
     false,
     0},
    {K::Kick, {}, {}, 1, 90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 700, 0, false, 380},
    {K::Snare, {}, {}, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 480, 6, false, 260},
    {K::Clap, {}, {}, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 480, -6, false, 320},
    {K::Hat, {}, {}, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 420, 22, false, 90},    // ClosedHat
    {K::Hat, {}, {}, 0, 90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 330, 22, false, 420},   // OpenHat
    {K::Hat, {}, {}, 10, 22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 380, -25, false, 160}, // Shaker
    {K::Ride, {}, {}, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, -30, false, 1400},
};
static_assert(sizeof(sounds) / sizeof(sounds[0]) == size_t(DemoInstrument::Count),
              "a sound for every instrument");

// An instrument ready to play: times in samples, decays as rates of 2^32 / half-life.
struct Voice {
    Kind kind;
    const Wave* bright;
    const Wave* soft;
    uint32_t attack, release, length;
    uint32_t decayRate, brightRate;
    int32_t sustain, tremolo, breath, vibrato, vibratoRate;
    uint32_t vibratoDelay;
    uint64_t lfoIncrement;
    int detune;
    int32_t level, left, right;
    bool echo;
};

uint32_t RateForHalfLife(int ms) {
    return ms > 0 ? uint32_t((uint64_t(1) << 32) / std::max<uint32_t>(1, Milliseconds(ms))) : 0;
}

int32_t Thousandths(int value) {
    return int32_t(int64_t(value) * one / 1000);
}

struct Instruments {
    Wave sine;
    std::array<int32_t, 1025> halving;
    std::vector<Wave> waves;
    std::vector<Voice> voices;

    Instruments() : sine(MakeSine()), halving(MakeHalving()) {
        const size_t count = sizeof(sounds) / sizeof(sounds[0]);
        waves.reserve(2 * count);
        for (const Sound& s : sounds) {
            waves.push_back(MakeWave(sine, s.bright.empty() ? std::vector<int>{1000} : s.bright));
            waves.push_back(MakeWave(sine, s.soft.empty() ? std::vector<int>{1000} : s.soft));
        }
        for (size_t i = 0; i < count; i++)
            voices.push_back(MakeVoice(sounds[i], &waves[2 * i], &waves[2 * i + 1]));
    }

    Voice MakeVoice(const Sound& s, const Wave* bright, const Wave* soft) const {
        Voice v{};
        v.kind = s.kind, v.bright = bright, v.soft = soft;
        v.attack = Milliseconds(s.attack),
        v.release = std::max<uint32_t>(1, Milliseconds(s.release));
        v.length = Milliseconds(s.length);
        v.decayRate = RateForHalfLife(s.decay), v.brightRate = RateForHalfLife(s.brightness);
        v.sustain = Thousandths(s.sustain), v.tremolo = Thousandths(s.tremolo);
        v.breath = Thousandths(s.breath);
        v.vibrato = s.vibrato, v.vibratoRate = s.vibratoRate;
        v.vibratoDelay = Milliseconds(s.vibratoDelay);
        v.lfoIncrement = (uint64_t(s.vibratoRate) << phaseBits) / (100u * DemoDisc::sampleRate);
        v.detune = s.detune;
        v.level = Thousandths(s.level);
        // Equal power: the two sides are the sine and cosine of the pan angle.
        uint64_t angle = quarterCycle * uint64_t(s.pan + 100) / 200;
        v.right = MulQ15(v.level, SineAt(angle)),
        v.left = MulQ15(v.level, SineAt(quarterCycle - angle));
        v.echo = s.echo;
        return v;
    }

    int32_t Lookup(const Wave& wave, uint64_t phase) const {
        const int shift = phaseBits - waveBits;
        size_t index = size_t(phase >> shift) & (waveSize - 1);
        int32_t fraction = int32_t((phase >> (shift - 15)) & (one - 1));
        int32_t a = wave[index], b = wave[index + 1];
        return a + MulQ15(b - a, fraction);
    }

    int32_t SineAt(uint64_t phase) const { return Lookup(sine, phase); }

    // 2^(-dt / half-life) in Q15, the rate being 2^32 / half-life.
    int32_t Halving(uint32_t dt, uint32_t rate) const {
        uint64_t halves = (uint64_t(dt) * rate) >> 16; // half-lives in Q16
        uint64_t whole = halves >> 16;
        if (whole >= 16) return 0;
        uint32_t fraction = uint32_t(halves & 0xFFFF), index = fraction >> 6;
        int32_t a = halving[index], b = halving[index + 1];
        return (a + (((b - a) * int32_t(fraction & 63)) >> 6)) >> whole;
    }
};

const Instruments& Synth() {
    static const Instruments instruments;
    return instruments;
}

// A fixed sequence of white noise, -32768 .. 32767, as a function of its position.
int32_t Noise(uint32_t k) {
    uint32_t h = k * 0x9E3779B1u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return int32_t(h >> 16) - 32768;
}

// A note ready to play: times in samples from the track's start.
struct PlayedNote {
    uint64_t start;
    uint32_t length; // until the key is let go
    uint32_t span;   // until it is silent
    uint64_t increment, detuned;
    int32_t gain; // velocity and the instrument's level, Q15
    uint32_t seed;
    uint8_t instrument;
};

struct PlayedTrack {
    const char* name;
    uint64_t samples;
    uint32_t longestSpan;
    uint32_t echoDelay;
    std::vector<PlayedNote> notes;  // by start
    std::vector<PlayedNote> echoed; // the notes of instruments that echo, by start
};

// The rise over the attack and the fall over the release, around a decay to the sustain level.
int32_t Envelope(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    int32_t level = v.sustain + MulQ15(one - v.sustain, synth.Halving(dt, v.decayRate));
    if (dt < v.attack) level = int32_t(int64_t(level) * dt / v.attack);
    if (dt >= n.length) {
        uint32_t after = dt - n.length;
        if (after >= v.release) return 0;
        level = int32_t(int64_t(level) * (v.release - after) / v.release);
    }
    return level;
}

// A player's vibrato: it comes in after a while, swinging the pitch by `vibrato` thousandths.
int64_t VibratoOffset(const Instruments& synth, const Voice& v, uint64_t increment, uint32_t dt) {
    if (v.vibrato == 0 || dt < v.vibratoDelay) return 0;
    const uint32_t ramp = std::max<uint32_t>(v.vibratoDelay, 1); // as long as it waited
    uint32_t into = dt - v.vibratoDelay;
    int32_t depth = into >= ramp ? one : int32_t((int64_t(into) << 15) / ramp);
    // The phase swing of a frequency swing of vibrato/1000 at the vibrato's rate.
    int64_t swing = int64_t(increment) * v.vibrato * (DemoDisc::sampleRate / 10) / v.vibratoRate;
    return swing * MulQ15(synth.SineAt(v.lfoIncrement * dt), depth) / one;
}

int32_t TonalSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    int64_t vibrato = VibratoOffset(synth, v, n.increment, dt);
    uint64_t phase = n.increment * dt + uint64_t(vibrato);
    int32_t bright = synth.Lookup(*v.bright, phase), soft = synth.Lookup(*v.soft, phase);
    if (v.detune) {
        uint64_t second = n.detuned * dt + uint64_t(vibrato);
        bright = (bright + synth.Lookup(*v.bright, second)) / 2;
        soft = (soft + synth.Lookup(*v.soft, second)) / 2;
    }
    int32_t tone = soft + MulQ15(bright - soft, synth.Halving(dt, v.brightRate));
    if (v.breath) {
        uint32_t k = n.seed + dt;
        int32_t air = (Noise(k) + Noise(k - 1) + Noise(k - 2) + Noise(k - 3)) / 4;
        tone += MulQ15(air, v.breath);
    }
    int32_t level = Envelope(synth, v, n, dt);
    if (v.tremolo) {
        int32_t wobble = (synth.SineAt(v.lfoIncrement * dt) + one) / 2;
        level = MulQ15(level, one - MulQ15(v.tremolo, wobble));
    }
    return MulQ15(tone, level);
}

// A sine whose phase is swung by a sine of the same pitch, less and less: bright at the
// strike, round as it rings.
int32_t ElectricSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    const int32_t deepest = Thousandths(260), shallowest = Thousandths(40); // of a cycle
    uint64_t phase = n.increment * dt;
    int32_t depth = shallowest + MulQ15(deepest - shallowest, synth.Halving(dt, v.brightRate));
    int64_t swing = int64_t(synth.SineAt(phase)) * depth * 1024; // Q30 cycles to the phase's 2^40
    return MulQ15(synth.SineAt(phase + uint64_t(swing)), Envelope(synth, v, n, dt));
}

// Drums start within a fraction of a millisecond and end with a short ramp, never a step.
int32_t DrumShape(const Instruments& synth, const Voice& v, uint32_t dt, uint32_t rate) {
    const uint32_t rise = std::max<uint32_t>(v.attack, 13), fall = Milliseconds(20);
    int32_t level = synth.Halving(dt, rate);
    if (dt < rise) level = int32_t(int64_t(level) * dt / rise);
    uint32_t left = v.length - std::min(dt, v.length);
    if (left < fall) level = int32_t(int64_t(level) * left / fall);
    return level;
}

// A sine falling from 150 to 48 Hz: the phase is the integral of the falling frequency.
int32_t KickSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    static const uint64_t low = IncrementForHz(48), drop = IncrementForHz(150) - low;
    static const uint32_t sweepHalfLife = Milliseconds(20), sweepRate = RateForHalfLife(20);
    // The falling part integrates to half-life / ln 2 times the drop.
    static const uint64_t sweep = drop * sweepHalfLife * 100000 / 69315;
    uint64_t phase = low * dt + (sweep * uint64_t(one - synth.Halving(dt, sweepRate)) >> 15);
    int32_t body = synth.SineAt(phase);
    int32_t click = dt < Milliseconds(3) ? (Noise(n.seed + dt) - Noise(n.seed + dt - 1)) / 6 : 0;
    return MulQ15(body + click, DrumShape(synth, v, dt, v.decayRate));
}

int32_t SnareSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    static const uint64_t low = IncrementForHz(185), high = IncrementForHz(330);
    static const uint32_t toneRate = RateForHalfLife(35);
    int32_t tone = (synth.SineAt(low * dt) + synth.SineAt(high * dt) / 2) / 2;
    uint32_t k = n.seed + dt;
    int32_t rattle = (Noise(k) + (Noise(k) - Noise(k - 1)) / 2) / 2;
    int32_t mix = MulQ15(tone, synth.Halving(dt, toneRate)) + MulQ15(rattle, Thousandths(900));
    return MulQ15(mix, DrumShape(synth, v, dt, v.decayRate));
}

// Hands clapped a few times in quick succession, then the room.
int32_t ClapSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    static const uint32_t gap = Milliseconds(10), burstRate = RateForHalfLife(3);
    int32_t level = 0;
    for (uint32_t burst = 0; burst < 3; burst++) {
        if (dt >= burst * gap) level += synth.Halving(dt - burst * gap, burstRate);
    }
    if (dt >= 3 * gap) level += synth.Halving(dt - 3 * gap, v.decayRate) * 3 / 4;
    level = std::min(level, one);
    uint32_t k = n.seed + dt;
    return MulQ15(MulQ15((Noise(k) - Noise(k - 2)) / 2, level), DrumShape(synth, v, dt, 0));
}

// Noise with its low frequencies taken away by a second difference.
int32_t HatSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    uint32_t k = n.seed + dt;
    int32_t hiss = (Noise(k) - 2 * Noise(k - 1) + Noise(k - 2)) / 3;
    return MulQ15(hiss, DrumShape(synth, v, dt, v.decayRate));
}

// A ring of inharmonic partials from two sines at a ratio no whole numbers make, over hiss.
int32_t RideSample(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    static const uint64_t carrier = IncrementForHz(3120), modulator = IncrementForHz(4470);
    static const uint32_t pingRate = RateForHalfLife(45);
    int64_t swing = int64_t(synth.SineAt(modulator * dt)) * Thousandths(1300) * 1024;
    int32_t metal = synth.SineAt(carrier * dt + uint64_t(swing));
    uint32_t k = n.seed + dt;
    int32_t hiss = (Noise(k) - Noise(k - 1)) / 4;
    int32_t level = MulQ15(Thousandths(600), synth.Halving(dt, pingRate)) +
                    MulQ15(Thousandths(400), DrumShape(synth, v, dt, v.decayRate));
    return MulQ15(MulQ15(metal + hiss, level), DrumShape(synth, v, dt, 0));
}

int32_t SampleOf(const Instruments& synth, const Voice& v, const PlayedNote& n, uint32_t dt) {
    switch (v.kind) {
    case Kind::Tonal: return TonalSample(synth, v, n, dt);
    case Kind::Electric: return ElectricSample(synth, v, n, dt);
    case Kind::Kick: return KickSample(synth, v, n, dt);
    case Kind::Snare: return SnareSample(synth, v, n, dt);
    case Kind::Clap: return ClapSample(synth, v, n, dt);
    case Kind::Hat: return HatSample(synth, v, n, dt);
    case Kind::Ride: return RideSample(synth, v, n, dt);
    }
    return 0;
}

// Velocity to loudness: soft notes are quieter, but not so quiet that they vanish.
int32_t GainForVelocity(int velocity) {
    return int32_t(int64_t(velocity) * (velocity + 127) * one / (2 * 127 * 127));
}

uint64_t SampleAtTick(uint64_t tick, int tempo) {
    // 44100 samples a second, 60 s a minute, twelve ticks a beat.
    return tick * 220500u / uint64_t(tempo);
}

PlayedTrack Prepare(const DemoScore& score) {
    const Instruments& synth = Synth();
    PlayedTrack track{score.Title(), 0, 0, 0, {}, {}};
    for (const DemoNote& note : score.Notes()) {
        const Voice& v = synth.voices[size_t(note.instrument)];
        PlayedNote played{};
        played.start = SampleAtTick(note.start, score.Tempo());
        played.length =
            uint32_t(SampleAtTick(note.start + note.length, score.Tempo()) - played.start);
        bool drum = v.kind != Kind::Tonal && v.kind != Kind::Electric;
        played.span = drum ? v.length : played.length + v.release;
        played.increment = IncrementForPitch(note.pitch);
        played.detuned = played.increment + played.increment * uint64_t(v.detune) / 1731; // cents
        played.gain = GainForVelocity(note.velocity);
        played.seed = uint32_t(played.start) * 2654435761u;
        played.instrument = uint8_t(note.instrument);
        track.longestSpan = std::max(track.longestSpan, played.span);
        track.notes.push_back(played);
        if (v.echo) track.echoed.push_back(played);
    }
    uint64_t end = SampleAtTick(score.LengthTicks(), score.Tempo()) + tailSamples;
    track.samples = (end + DemoDisc::samplesPerFrame - 1) / DemoDisc::samplesPerFrame *
                    DemoDisc::samplesPerFrame;
    track.echoDelay = uint32_t(SampleAtTick(9, score.Tempo())); // a dotted eighth
    return track;
}

// The delayed copies of the echoing instruments: the first to the left, the second to the right.
struct Tap {
    int delays;
    int32_t left, right;
};
const Tap taps[] = {{1, Thousandths(300), Thousandths(110)},
                    {2, Thousandths(80), Thousandths(200)}};

// Adds the part of every note of `notes` heard in [from, from + count) to mix, with the
// sides' gains `left` and `right` applied on top of the note's own, `delay` samples late.
uint64_t MixNotes(const std::vector<PlayedNote>& notes, uint32_t longestSpan, int64_t from,
                  size_t count, int64_t delay, const int32_t* left, const int32_t* right,
                  int32_t* mix) {
    const Instruments& synth = Synth();
    const int64_t begin = from - delay, end = begin + int64_t(count);
    const int64_t earliest = begin - int64_t(longestSpan);
    auto first =
        std::lower_bound(notes.begin(), notes.end(), earliest,
                         [](const PlayedNote& n, int64_t at) { return int64_t(n.start) < at; });
    uint64_t work = 0;
    for (auto n = first; n != notes.end() && int64_t(n->start) < end; ++n) {
        work++;
        const int64_t start = int64_t(n->start);
        if (start + n->span <= begin) continue;
        const Voice& v = synth.voices[n->instrument];
        const int32_t gainLeft = MulQ15(MulQ15(n->gain, v.left), left ? *left : one);
        const int32_t gainRight = MulQ15(MulQ15(n->gain, v.right), right ? *right : one);
        const uint32_t dtFrom = uint32_t(std::max(begin, start) - start);
        const uint32_t dtTo = uint32_t(std::min(end, start + n->span) - start);
        int32_t* out = mix + 2 * (start + dtFrom - begin);
        for (uint32_t dt = dtFrom; dt < dtTo; dt++, out += 2) {
            int32_t s = SampleOf(synth, v, *n, dt);
            out[0] += MulQ15(s, gainLeft);
            out[1] += MulQ15(s, gainRight);
        }
        work += dtTo - dtFrom;
    }
    return work;
}

// The whole mix a little below the instruments' sum, for headroom, and the closing fade,
// falling as the square of the time left.
int32_t MasterGain(uint64_t at, uint64_t samples) {
    const int32_t master = Thousandths(780);
    uint64_t left = samples - std::min(at, samples);
    if (left >= fadeSamples) return master;
    int32_t linear = int32_t((left << 15) / fadeSamples);
    return MulQ15(master, MulQ15(linear, linear));
}

// Loud peaks are bent smoothly towards full scale instead of clipping.
int16_t Limit(int64_t value) {
    const int64_t knee = 24576, room = 32767 - knee;
    int64_t size = std::min<int64_t>(value < 0 ? -value : value, int64_t(1) << 40);
    if (size > knee) size = knee + (size - knee) * room / (size - knee + room);
    return int16_t(value < 0 ? -size : size);
}

} // namespace

struct DemoDisc::Tracks {
    std::vector<PlayedTrack> list;
};

DemoDisc::DemoDisc() {
    auto tracks = std::make_shared<Tracks>();
    for (int track = 1; track <= DemoScore::TrackCount(); track++)
        tracks->list.push_back(Prepare(DemoScore::Compose(track)));
    tracks_ = tracks;
}

int DemoDisc::TrackCount() const {
    return int(tracks_->list.size());
}

uint32_t DemoDisc::TrackFrames(int track) const {
    if (track < 1 || track > TrackCount()) return 0;
    return uint32_t(tracks_->list[size_t(track - 1)].samples / samplesPerFrame);
}

const char* DemoDisc::Artist() const {
    return "Lumivoxen Ensemble";
}

const char* DemoDisc::Album() const {
    return "Small Hours";
}

const char* DemoDisc::TrackName(int track) const {
    if (track < 1 || track > TrackCount()) return "";
    return tracks_->list[size_t(track - 1)].name;
}

void DemoDisc::Render(int track, uint64_t firstSample, int16_t* interleavedStereo,
                      size_t sampleCount) const {
    std::fill(interleavedStereo, interleavedStereo + 2 * sampleCount, int16_t(0));
    if (track < 1 || track > TrackCount()) return;
    const PlayedTrack& t = tracks_->list[size_t(track - 1)];
    if (firstSample >= t.samples) return;
    const size_t audible = size_t(std::min<uint64_t>(sampleCount, t.samples - firstSample));
    std::vector<int32_t> mix(2 * blockSamples);
    for (size_t done = 0; done < audible; done += blockSamples) {
        const size_t count = std::min(blockSamples, audible - done);
        const int64_t from = int64_t(firstSample + done);
        std::fill(mix.begin(), mix.end(), 0);
        work_ += MixNotes(t.notes, t.longestSpan, from, count, 0, nullptr, nullptr, mix.data());
        for (const Tap& tap : taps) {
            work_ += MixNotes(t.echoed, t.longestSpan, from, count,
                              int64_t(tap.delays) * t.echoDelay, &tap.left, &tap.right, mix.data());
        }
        int16_t* out = interleavedStereo + 2 * done;
        for (size_t i = 0; i < count; i++) {
            int32_t gain = MasterGain(uint64_t(from) + i, t.samples);
            out[2 * i] = Limit(int64_t(mix[2 * i]) * gain >> 15);
            out[2 * i + 1] = Limit(int64_t(mix[2 * i + 1]) * gain >> 15);
        }
    }
}

void DemoDisc::ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const {
    std::int64_t trackStart = 0;
    for (int track = 1; track <= TrackCount() && count > 0; track++) {
        const std::int64_t trackEnd = trackStart + TrackFrames(track);
        if (firstFrame < trackEnd) {
            const std::int64_t from = std::max(firstFrame, trackStart);
            const int silent = int(std::min<std::int64_t>(from - firstFrame, count));
            std::fill(samples, samples + 2 * samplesPerFrame * silent, int16_t(0));
            const int frames = int(std::min<std::int64_t>(trackEnd - from, count - silent));
            int16_t* out = samples + 2 * samplesPerFrame * silent;
            Render(track, uint64_t(from - trackStart) * samplesPerFrame, out,
                   size_t(frames) * samplesPerFrame);
            samples = out + 2 * samplesPerFrame * frames;
            firstFrame = from + frames;
            count -= silent + frames;
        }
        trackStart = trackEnd;
    }
    std::fill(samples, samples + 2 * samplesPerFrame * std::max(count, 0), int16_t(0));
}
