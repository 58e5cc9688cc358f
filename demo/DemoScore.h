#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The instruments of the demo disc. Drums have a fixed sound length; the others follow the
// note's length and then fade.
enum class DemoInstrument : uint8_t {
    BrightLead,
    Flute,
    Vibes,
    SawLead,
    Piano,
    Pad,
    Pluck,
    Bass,
    RoundBass,
    Kick,
    Snare,
    Clap,
    ClosedHat,
    OpenHat,
    Shaker,
    Ride,
    Count
};

// Times in ticks of a twelfth of a beat: sixteenths and swung eighths both fall on ticks.
struct DemoNote {
    uint32_t start;
    uint32_t length;
    DemoInstrument instrument;
    uint8_t pitch;    // MIDI numbering: 60 is middle C, 69 the A of 440 Hz; unused by drums
    uint8_t velocity; // 1 .. 127
};

// One piece of the demo disc as notes. A piece is written as chord symbols per bar, melody
// lines in note names with durations in sixteenths, bass and accompaniment patterns that
// follow the chords, and drum patterns; Compose() writes out the pieces we ship.
class DemoScore {
public:
    static const int ticksPerBeat = 12;

    static int TrackCount();
    // The piece for a 1-based track; an empty score for any other number.
    static DemoScore Compose(int track);

    DemoScore(const char* title, const char* key, int tempo, int beatsPerBar, bool swing);

    const char* Title() const { return title_; }
    const char* Key() const { return key_; }
    int Tempo() const { return tempo_; } // beats per minute
    int BeatsPerBar() const { return beatsPerBar_; }
    int Bars() const { return int(bars_.size()); }
    uint32_t LengthTicks() const;
    const std::vector<DemoNote>& Notes() const { return notes_; }
    // The bar's chord symbols as written, e.g. "Cm7,F7" for two chords of two beats.
    const std::string& ChordText(int bar) const; // 1-based
    // Bar lines and pattern lengths off the bar boundaries, and unreadable notes and chords.
    int Faults() const { return faults_; }

    static std::string NoteName(int pitch); // e.g. "F#4"

    // The tools the pieces are written with. Bars are counted from 1. Patterns cover whole
    // bars and repeat for the given number of bars; `low` is the lowest pitch an accompaniment
    // may use, each chord tone taking the one place it has in the octave from there.

    // One chord symbol per bar, separated by blanks; two in a bar joined by a comma.
    void SetChords(const char* bars);
    // Notes such as "F#5/4" (a quarter) and rests "r/2"; "|" marks a bar line.
    void Melody(DemoInstrument instrument, int bar, const char* line, int velocity);
    // Degrees of the chord sounding at each note: 1, 3, 5, 7 and 8 (the octave), or r.
    void Bass(DemoInstrument instrument, int bar, int bars, const char* pattern, int low,
              int velocity);
    // The whole chord at every "x", for the duration written beside it.
    void Chords(DemoInstrument instrument, int bar, int bars, const char* rhythm, int low,
                int velocity);
    // Chord tones by number (0 the lowest, counting on into the octaves above), one every
    // `step` sixteenths.
    void Arpeggio(DemoInstrument instrument, int bar, int bars, const char* steps, int step,
                  int low, int velocity);
    // Quarter notes from root to fifth and a half step into the next chord's root.
    void WalkingBass(DemoInstrument instrument, int bar, int bars, int low, int velocity);
    // One character per sixteenth: x a hit, X an accent, o a ghost note, . nothing.
    void Drums(DemoInstrument instrument, int bar, int bars, const char* pattern, int velocity);

    // Puts the notes in order of their start; the pieces call it when written out.
    void Finish();

private:
    struct Chord {
        int root;                   // pitch class, 0 for C
        std::vector<int> intervals; // from the root, the root's 0 first
    };

    int SixteenthsPerBar() const { return beatsPerBar_ * 4; }
    uint32_t Tick(int sixteenth) const;
    const Chord& ChordAt(int sixteenth) const;
    std::vector<int> Voicing(const Chord& chord, int low) const;
    void Add(DemoInstrument instrument, int from, int to, int pitch, int velocity);
    void CheckBarLine(int sixteenth);
    void CheckWholeBars(int sixteenths);

    const char* title_;
    const char* key_;
    int tempo_;
    int beatsPerBar_;
    bool swing_;
    std::vector<std::string> bars_;          // the chord text of every bar
    std::vector<std::vector<Chord>> chords_; // the chords of every bar
    std::vector<DemoNote> notes_;
    int faults_ = 0;
};
