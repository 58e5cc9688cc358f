#include "demo/DemoScore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using I = DemoInstrument;

// Words between blanks; a bar line is a word of its own even where no blank sets it off.
std::vector<std::string> Tokens(const char* text) {
    std::vector<std::string> tokens;
    std::string token;
    for (const char* c = text;; c++) {
        if (*c && *c != ' ' && *c != '|') {
            token += *c;
            continue;
        }
        if (!token.empty()) tokens.push_back(token);
        token.clear();
        if (*c == '|') tokens.push_back("|");
        if (!*c) return tokens;
    }
}

// "F#5/4" gives "F#5" and 4; a token without a duration gives 0.
int SplitDuration(const std::string& token, std::string& name) {
    size_t slash = token.find('/');
    name = token.substr(0, slash);
    return slash == std::string::npos ? 0 : std::atoi(token.c_str() + slash + 1);
}

// The pitch class of a note letter and its sharps and flats; -1 for no letter.
int ParsePitchClass(const char*& text) {
    static const int classes[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (*text < 'A' || *text > 'G') return -1;
    int pitchClass = classes[*text++ - 'A'];
    for (; *text == '#' || *text == 'b'; text++)
        pitchClass += *text == '#' ? 1 : -1;
    return (pitchClass + 12) % 12;
}

// A note name with its octave, "Bb4"; -1 when it is not one.
int ParsePitch(const std::string& name) {
    const char* text = name.c_str();
    int pitchClass = ParsePitchClass(text);
    if (pitchClass < 0 || *text < '0' || *text > '9' || text[1]) return -1;
    return 12 * (*text - '0' + 1) + pitchClass;
}

int ClampVelocity(int velocity) {
    return std::min(127, std::max(1, velocity));
}

// Players lean on the first beat of a bar and lighten the notes between the beats.
int MetricVelocity(int sixteenth, int sixteenthsPerBar, int velocity) {
    if (sixteenth % sixteenthsPerBar == 0) return ClampVelocity(velocity + 6);
    if (sixteenth % 4 != 0) return ClampVelocity(velocity - 5);
    return ClampVelocity(velocity);
}

// A small fixed spread so that repeated hits of a drum are not all alike.
int Spread(int sixteenth, int instrument) {
    uint32_t h = uint32_t(sixteenth) * 2654435761u + uint32_t(instrument) * 40503u;
    h ^= h >> 15;
    return int(h % 11) - 5;
}

// The pitch of a pitch class in the octave from low up.
int PlaceFrom(int pitchClass, int low) {
    return low + ((pitchClass - low) % 12 + 12) % 12;
}

// The pitch of a pitch class nearest to `near` within [low, high].
int PlaceNear(int pitchClass, int near, int low, int high) {
    int best = PlaceFrom(pitchClass, low);
    for (int pitch = best; pitch <= high; pitch += 12) {
        if (std::abs(pitch - near) < std::abs(best - near)) best = pitch;
    }
    return best;
}

// ---- The pieces ----
// Each melody note on a strong beat is a tone of the chord under it; the others pass or lean
// into the next chord tone by a step.

DemoScore FirstLight() {
    DemoScore s("First Light", "D major", 104, 4, false);
    s.SetChords("D A Bm G "           // 1 introduction
                "D A Bm G D A G A "   // 5 verse
                "G A F#m Bm G A D D " // 13 chorus
                "D A Bm G D A G A "   // 21 verse
                "G A F#m Bm G A D D " // 29 chorus
                "G A D D");           // 37 ending
    const char* verse = "r/2 F#5/2 A5/2 B5/4 A5/2 F#5/4 | E5/6 C#5/2 E5/4 A4/4 |"
                        "r/2 F#5/2 B5/2 C#6/4 B5/2 F#5/4 | G5/6 F#5/2 E5/4 D5/4 |"
                        "r/2 F#5/2 A5/2 D6/4 C#6/2 A5/4 | B5/4 A5/2 E5/2 C#6/8 |"
                        "r/2 B5/2 D6/2 E6/4 D6/2 B5/4 | A5/4 G5/2 F#5/2 E5/8";
    const char* verseRising = "r/2 F#5/2 A5/2 B5/4 A5/2 F#5/4 | E5/6 C#5/2 E5/4 A4/4 |"
                              "r/2 F#5/2 B5/2 C#6/4 B5/2 F#5/4 | G5/4 A5/4 B5/4 D6/4 |"
                              "r/2 F#5/2 A5/2 D6/4 C#6/2 A5/4 | B5/4 A5/2 E5/2 C#6/8 |"
                              "r/2 B5/2 D6/2 E6/4 D6/2 B5/4 | A5/4 B5/2 C#6/2 E6/8";
    const char* chorus = "B5/6 A5/2 G5/4 D6/4 | C#6/6 B5/2 A5/4 E5/4 | F#5/4 A5/4 C#6/4 E6/4 |"
                         "D6/8 C#6/4 B5/4 | B5/6 A5/2 G5/4 D6/4 | E6/6 D6/2 C#6/4 A5/4 |"
                         "D6/12 A5/4 | F#5/4 E5/4 D5/8";
    s.Melody(I::BrightLead, 5, verse, 90);
    s.Melody(I::BrightLead, 13, chorus, 102);
    s.Melody(I::BrightLead, 21, verseRising, 94);
    s.Melody(I::BrightLead, 29, chorus, 108);
    s.Melody(I::BrightLead, 37, "B5/8 D6/8 | C#6/8 E5/8 | D5/16 | r/16", 92);

    s.Chords(I::Pad, 1, 4, "x/16", 54, 58);
    s.Chords(I::Pad, 5, 8, "x/16", 54, 66);
    s.Chords(I::Pad, 13, 8, "x/16", 54, 80);
    s.Chords(I::Pad, 21, 8, "x/16", 54, 68);
    s.Chords(I::Pad, 29, 12, "x/16", 54, 82);
    s.Arpeggio(I::Pluck, 1, 4, "0 1 2 3 4 3 2 1", 2, 62, 62);
    s.Arpeggio(I::Pluck, 5, 32, "0 1 2 3 4 3 2 1", 2, 62, 50);
    s.Arpeggio(I::Pluck, 37, 3, "0 1 2 3 4 3 2 1", 2, 62, 44);
    s.Chords(I::Piano, 5, 8, "x/6 x/6 x/4", 62, 64);
    s.Chords(I::Piano, 13, 8, "x/3 x/3 x/2 x/4 x/4", 62, 74);
    s.Chords(I::Piano, 21, 8, "x/6 x/6 x/4", 62, 66);
    s.Chords(I::Piano, 29, 8, "x/3 x/3 x/2 x/4 x/4", 62, 76);
    s.Chords(I::Piano, 37, 4, "x/16", 62, 70);

    s.Bass(I::Bass, 3, 2, "1/6 1/2 r/8", 33, 76);
    s.Bass(I::Bass, 5, 8, "1/3 1/3 1/2 1/2 5/2 8/2 5/2", 33, 92);
    s.Bass(I::Bass, 13, 8, "1/2 1/2 8/2 1/2 5/2 1/2 8/2 5/2", 33, 100);
    s.Bass(I::Bass, 21, 8, "1/3 1/3 1/2 1/2 5/2 8/2 5/2", 33, 94);
    s.Bass(I::Bass, 29, 8, "1/2 1/2 8/2 1/2 5/2 1/2 8/2 5/2", 33, 102);
    s.Bass(I::Bass, 37, 3, "1/4 1/4 5/4 1/4", 33, 88);
    s.Bass(I::Bass, 40, 1, "1/16", 33, 86);

    s.Drums(I::ClosedHat, 1, 4, "..x...x...x...x.", 58);
    s.Drums(I::Kick, 3, 2, "x.......x.......", 84);
    s.Drums(I::Kick, 5, 8, "x.....x.x.......", 104);
    s.Drums(I::Snare, 5, 8, "....x.......x...", 86);
    s.Drums(I::ClosedHat, 5, 8, "x.x.x.x.x.x.x.x.", 62);
    s.Drums(I::Kick, 13, 8, "x...x...x...x...", 108);
    s.Drums(I::Clap, 13, 8, "....x.......x...", 90);
    s.Drums(I::Snare, 13, 8, "....x.......x...", 70);
    s.Drums(I::ClosedHat, 13, 8, "xox.xox.xox.xox.", 64);
    s.Drums(I::OpenHat, 13, 8, "...x...x...x...x", 50);
    s.Drums(I::Kick, 21, 8, "x.....x.x.......", 104);
    s.Drums(I::Snare, 21, 7, "....x.......x...", 88);
    s.Drums(I::Snare, 28, 1, "....x.......xxXX", 86);
    s.Drums(I::ClosedHat, 21, 8, "x.x.x.x.x.x.x.x.", 64);
    s.Drums(I::Kick, 29, 8, "x...x...x...x...", 110);
    s.Drums(I::Clap, 29, 8, "....x.......x...", 92);
    s.Drums(I::Snare, 29, 8, "....x.......x...", 72);
    s.Drums(I::ClosedHat, 29, 8, "xox.xox.xox.xox.", 66);
    s.Drums(I::OpenHat, 29, 8, "...x...x...x...x", 52);
    s.Drums(I::Kick, 37, 3, "x.......x.......", 92);
    s.Drums(I::ClosedHat, 37, 3, "..x...x...x...x.", 54);
    s.Drums(I::Kick, 40, 1, "x...............", 96);
    s.Drums(I::OpenHat, 40, 1, "x...............", 70);
    s.Finish();
    return s;
}

DemoScore AutumnLetter() {
    DemoScore s("Autumn Letter", "A minor", 80, 3, false);
    s.SetChords("Am F Dm E "           // 1 introduction
                "Am Dm G C F Dm E E "  // 5 theme
                "Am Dm G C F Dm E Am " // 13 theme again
                "F G Em Am Dm G C E "  // 21 middle
                "Am Dm G C F Dm E Am " // 29 theme
                "F E Am Am");          // 37 ending
    const char* first = "E5/8 D5/2 C5/2 | D5/8 F5/2 A5/2 | G5/6 F5/2 D5/4 | E5/12 |"
                        "F5/4 A5/4 C6/4 | D6/6 C6/2 A5/4 | B5/4 G#5/4 E5/4 | G#5/8 B5/4";
    const char* answer = "A5/8 G5/2 E5/2 | F5/8 E5/2 D5/2 | B4/4 D5/4 G5/4 | E5/6 D5/2 C5/4 |"
                         "A5/6 G5/2 F5/4 | D5/4 F5/4 A5/4 | B5/6 A5/2 G#5/4 | A5/12";
    const char* middle = "C6/6 A5/2 F5/4 | D6/6 B5/2 G5/4 | E6/8 B5/4 | C6/6 B5/2 A5/4 |"
                         "F5/4 A5/4 D6/4 | D6/6 C6/2 B5/4 | C6/4 G5/4 E5/4 | B5/8 G#5/4";
    s.Melody(I::Flute, 5, first, 84);
    s.Melody(I::Flute, 13, answer, 90);
    s.Melody(I::Flute, 21, middle, 98);
    s.Melody(I::Flute, 29, answer, 94);
    s.Melody(I::Flute, 37, "C6/6 B5/2 A5/4 | B5/8 G#5/4 | A5/12 | r/12", 84);

    s.Arpeggio(I::Piano, 1, 4, "0 1 2 3 2 1", 2, 57, 60);
    s.Chords(I::Piano, 5, 32, "r/4 x/4 x/4", 57, 54);
    s.Arpeggio(I::Piano, 37, 3, "0 1 2 3 2 1", 2, 57, 56);
    s.Chords(I::Piano, 40, 1, "x/12", 57, 58);
    s.Chords(I::Pad, 1, 4, "x/12", 52, 50);
    s.Chords(I::Pad, 5, 8, "x/12", 52, 58);
    s.Chords(I::Pad, 13, 8, "x/12", 52, 66);
    s.Chords(I::Pad, 21, 8, "x/12", 52, 76);
    s.Chords(I::Pad, 29, 8, "x/12", 52, 70);
    s.Chords(I::Pad, 37, 4, "x/12", 52, 60);
    s.Arpeggio(I::Pluck, 21, 8, "0 1 2 3 4 5", 2, 64, 46);

    s.Bass(I::RoundBass, 1, 4, "1/12", 40, 66);
    s.Bass(I::RoundBass, 5, 32, "1/8 5/4", 40, 84);
    s.Bass(I::RoundBass, 37, 4, "1/12", 40, 78);

    s.Drums(I::Kick, 13, 8, "x...........", 64);
    s.Drums(I::Shaker, 13, 8, "x.o.x.o.x.o.", 46);
    s.Drums(I::Kick, 21, 16, "x.......o...", 70);
    s.Drums(I::Snare, 21, 16, "....o...o...", 58);
    s.Drums(I::Shaker, 21, 16, "x.o.x.o.x.o.", 52);
    s.Drums(I::Kick, 37, 2, "x...........", 60);
    s.Drums(I::Shaker, 37, 2, "x.o.x.o.x.o.", 42);
    s.Finish();
    return s;
}

DemoScore CornerCafe() {
    DemoScore s("Corner Cafe", "B flat major", 96, 4, true);
    s.SetChords("Cm7 F7 Bbmaj7 F7 "                           // 1 introduction
                "Bbmaj7 Gm7 Cm7 F7 Bbmaj7 Gm7 Cm7,F7 Bbmaj7 " // 5 tune
                "Bbmaj7 Gm7 Cm7 F7 Bbmaj7 Gm7 Cm7,F7 Bbmaj7 " // 13 tune, varied
                "Ebmaj7 Dm7 Cm7 F7 Ebmaj7 Dm7,G7 Cm7 F7 "     // 21 bridge
                "Bbmaj7 Gm7 Cm7 F7 Bbmaj7 Gm7 Cm7,F7 Bbmaj7 " // 29 tune
                "Cm7 F7 Bbmaj7 Bbmaj7");                      // 37 ending
    const char* tune = "D5/2 F5/2 A5/4 G5/2 F5/2 D5/4 | Bb5/6 A5/2 G5/4 r/4 |"
                       "r/2 G5/2 Bb5/2 C6/2 Eb6/4 D6/2 C6/2 | A5/6 F5/2 Eb5/4 C5/4 |"
                       "D5/2 F5/2 A5/4 Bb5/2 A5/2 F5/4 | G5/4 Bb5/4 D6/6 r/2 |"
                       "C6/4 Bb5/4 A5/4 F5/4 | Bb5/8 r/8";
    const char* varied = "F5/2 A5/2 D6/4 C6/2 A5/2 F5/4 | G5/2 Bb5/2 D6/4 F6/4 D6/4 |"
                         "Eb6/6 D6/2 C6/2 Bb5/2 G5/4 | A5/2 C6/2 Eb6/4 D6/2 C6/2 A5/4 |"
                         "Bb5/6 A5/2 F5/4 D5/4 | G5/2 A5/2 Bb5/4 D6/8 |"
                         "Eb6/4 C6/4 C6/2 A5/2 F5/4 | D6/12 r/4";
    const char* bridge = "G5/4 Bb5/4 D6/6 C6/2 | A5/8 F5/4 D5/4 | Eb5/4 G5/4 Bb5/4 D6/4 |"
                         "C6/6 A5/2 F5/4 Eb5/4 | G5/2 Bb5/2 D6/4 Eb6/4 D6/2 Bb5/2 |"
                         "A5/4 F5/4 B5/4 G5/4 | C6/6 Bb5/2 G5/4 Eb5/4 | Eb6/4 C6/4 A5/4 Eb5/4";
    s.Melody(I::Vibes, 5, tune, 92);
    s.Melody(I::Vibes, 13, varied, 98);
    s.Melody(I::Vibes, 21, bridge, 102);
    s.Melody(I::Vibes, 29, tune, 96);
    s.Melody(I::Vibes, 37, "Eb6/6 D6/2 C6/4 Bb5/4 | A5/6 C6/2 Eb6/8 | D6/16 | r/16", 90);

    // The comping answers the tune: the first beat and the push before the third, then the
    // second beat and the push before the fourth.
    s.Chords(I::Piano, 1, 38, "x/6 x/2 r/8 r/4 x/2 r/4 x/6", 57, 62);
    s.Chords(I::Piano, 39, 2, "x/16", 57, 60);
    s.Chords(I::Pad, 21, 8, "x/16", 55, 52);
    s.Chords(I::Pad, 37, 4, "x/16", 55, 50);

    s.Bass(I::RoundBass, 1, 4, "1/8 5/8", 34, 80);
    s.WalkingBass(I::RoundBass, 5, 35, 34, 88);
    s.Bass(I::RoundBass, 40, 1, "1/16", 34, 84);

    s.Drums(I::Ride, 1, 39, "x...x.x.x...x.x.", 58);
    s.Drums(I::ClosedHat, 1, 39, "....x.......x...", 52);
    s.Drums(I::Kick, 5, 32, "x.......o.......", 58);
    s.Drums(I::Snare, 5, 32, "..........o.....o.....o.......o.", 54);
    s.Drums(I::Snare, 20, 1, "........x..x.xxX", 60);
    s.Drums(I::Kick, 37, 3, "x.......o.......", 52);
    s.Drums(I::Ride, 40, 1, "x...............", 60);
    s.Drums(I::Kick, 40, 1, "x...............", 62);
    s.Finish();
    return s;
}

DemoScore NightDrive() {
    DemoScore s("Night Drive", "E minor", 120, 4, false);
    const char* theme = "Em C G D Em C G D ";
    std::string chords;
    chords += theme;                  // 1 introduction
    chords += theme;                  // 9 theme
    chords += "Am C G D Am C B7 B7 "; // 17 climb
    chords += theme;                  // 25 theme, higher
    chords += "C D Em Em ";           // 33 pause
    chords += theme;                  // 37 theme
    chords += "C D Em Em";            // 45 ending
    s.SetChords(chords.c_str());
    const char* low = "B4/3 E5/3 G5/2 B5/4 A5/2 G5/2 | E5/3 G5/3 C6/2 B5/4 G5/4 |"
                      "D5/3 G5/3 B5/2 D6/4 B5/2 A5/2 | A5/6 F#5/2 D5/8 |"
                      "B4/3 E5/3 G5/2 B5/4 E6/4 | E6/3 D6/3 C6/2 G5/8 |"
                      "B5/3 A5/3 G5/2 D5/4 G5/4 | F#5/6 A5/2 D6/8";
    const char* climb = "C6/4 B5/4 A5/4 E5/4 | G5/4 E5/4 G5/4 C6/4 | B5/8 D6/4 B5/4 |"
                        "A5/12 F#5/4 | E6/4 C6/4 A5/4 C6/4 | G5/8 E5/4 G5/4 |"
                        "F#5/4 A5/4 D#6/4 B5/4 | F#5/4 D#5/4 B4/8";
    const char* high = "E5/3 G5/3 B5/2 E6/4 D6/2 B5/2 | C6/3 B5/3 G5/2 E5/4 G5/4 |"
                       "B5/3 D6/3 G6/2 F#6/4 D6/4 | A5/6 D6/2 F#6/8 |"
                       "G6/3 F#6/3 E6/2 B5/4 E6/4 | E6/3 G6/3 E6/2 C6/8 |"
                       "D6/3 C6/3 B5/2 G5/4 B5/4 | A5/4 F#5/4 D5/8";
    s.Melody(I::SawLead, 9, low, 94);
    s.Melody(I::SawLead, 17, climb, 100);
    s.Melody(I::SawLead, 25, high, 104);
    s.Melody(I::SawLead, 37, low, 102);
    s.Melody(I::SawLead, 45, "G5/8 E5/8 | F#5/8 D5/8 | E5/16 | r/16", 90);

    s.Chords(I::Pad, 1, 8, "x/16", 52, 58);
    s.Chords(I::Pad, 9, 8, "x/16", 52, 68);
    s.Chords(I::Pad, 17, 8, "x/16", 52, 78);
    s.Chords(I::Pad, 25, 8, "x/16", 52, 80);
    s.Chords(I::Pad, 33, 4, "x/16", 52, 62);
    s.Chords(I::Pad, 37, 8, "x/16", 52, 80);
    s.Chords(I::Pad, 45, 4, "x/16", 52, 64);
    s.Arpeggio(I::Pluck, 1, 8, "0 1 2 3 1 2 3 4", 1, 64, 56);
    s.Arpeggio(I::Pluck, 9, 24, "0 1 2 3 1 2 3 4", 1, 64, 46);
    s.Arpeggio(I::Pluck, 33, 4, "0 1 2 3 1 2 3 4", 1, 64, 60);
    s.Arpeggio(I::Pluck, 37, 11, "0 1 2 3 1 2 3 4", 1, 64, 46);

    s.Bass(I::Bass, 5, 4, "1/4 1/4 1/4 1/4", 33, 80);
    s.Bass(I::Bass, 9, 24, "1/2 1/2 8/2 1/2 1/2 1/2 8/2 1/2", 33, 96);
    s.Bass(I::Bass, 33, 4, "1/16", 33, 76);
    s.Bass(I::Bass, 37, 8, "1/2 1/2 8/2 1/2 1/2 1/2 8/2 1/2", 33, 98);
    s.Bass(I::Bass, 45, 4, "1/16", 33, 80);

    s.Drums(I::ClosedHat, 1, 8, "..x...x...x...x.", 60);
    s.Drums(I::Kick, 5, 4, "x...x...x...x...", 96);
    for (int bar : {9, 17, 25, 37}) {
        s.Drums(I::Kick, bar, 8, "x...x...x...x...", 110);
        s.Drums(I::Clap, bar, 8, "....x.......x...", 94);
        s.Drums(I::Snare, bar, 7, "....x.......x...", 68);
        s.Drums(I::ClosedHat, bar, 8, "xo.oxo.oxo.oxo.o", 68);
        s.Drums(I::OpenHat, bar, 8, "..x...x...x...x.", 54);
    }
    for (int bar : {16, 24, 32})
        s.Drums(I::Snare, bar, 1, "....x...x.x.xxXX", 84);
    s.Drums(I::Snare, 44, 1, "....x.......x...", 68);
    s.Drums(I::ClosedHat, 33, 4, "..x...x...x...x.", 52);
    s.Drums(I::Kick, 36, 1, "x...x...x.x.xxxx", 90);
    s.Drums(I::Kick, 45, 3, "x...x...x...x...", 94);
    s.Drums(I::ClosedHat, 45, 3, "..x...x...x...x.", 54);
    s.Drums(I::Kick, 48, 1, "x...............", 100);
    s.Drums(I::OpenHat, 48, 1, "x...............", 66);
    s.Finish();
    return s;
}

} // namespace

int DemoScore::TrackCount() {
    return 4;
}

DemoScore DemoScore::Compose(int track) {
    switch (track) {
    case 1: return FirstLight();
    case 2: return AutumnLetter();
    case 3: return CornerCafe();
    case 4: return NightDrive();
    default: return DemoScore("", "", 120, 4, false);
    }
}

DemoScore::DemoScore(const char* title, const char* key, int tempo, int beatsPerBar, bool swing)
    : title_(title), key_(key), tempo_(tempo), beatsPerBar_(beatsPerBar), swing_(swing) {
}

uint32_t DemoScore::LengthTicks() const {
    return Tick(Bars() * SixteenthsPerBar());
}

const std::string& DemoScore::ChordText(int bar) const {
    static const std::string none;
    return bar >= 1 && bar <= Bars() ? bars_[size_t(bar - 1)] : none;
}

std::string DemoScore::NoteName(int pitch) {
    static const char* const names[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};
    return names[pitch % 12] + std::to_string(pitch / 12 - 1);
}

// Swing plays each pair of eighths long and short, two thirds and one third of the beat.
uint32_t DemoScore::Tick(int sixteenth) const {
    static const int straight[] = {0, 3, 6, 9}, swung[] = {0, 4, 8, 10};
    const int* within = swing_ ? swung : straight;
    return uint32_t(sixteenth / 4) * ticksPerBeat + uint32_t(within[sixteenth % 4]);
}

void DemoScore::SetChords(const char* bars) {
    static const struct {
        const char* suffix;
        std::vector<int> intervals;
    } qualities[] = {{"", {0, 4, 7}},         {"m", {0, 3, 7}},      {"7", {0, 4, 7, 10}},
                     {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}}, {"dim", {0, 3, 6}},
                     {"sus4", {0, 5, 7}},     {"6", {0, 4, 7, 9}},   {"m6", {0, 3, 7, 9}}};
    for (const std::string& bar : Tokens(bars)) {
        bars_.push_back(bar);
        chords_.emplace_back();
        size_t from = 0;
        while (from <= bar.size()) {
            size_t comma = std::min(bar.find(',', from), bar.size());
            std::string symbol = bar.substr(from, comma - from);
            from = comma + 1;
            const char* text = symbol.c_str();
            Chord chord{ParsePitchClass(text), {}};
            for (const auto& quality : qualities) {
                if (std::strcmp(text, quality.suffix) == 0) chord.intervals = quality.intervals;
            }
            if (chord.root < 0 || chord.intervals.empty()) {
                faults_++;
                chord = Chord{0, {0, 4, 7}};
            }
            chords_.back().push_back(chord);
        }
    }
}

const DemoScore::Chord& DemoScore::ChordAt(int sixteenth) const {
    static const Chord silence{0, {0, 4, 7}};
    if (chords_.empty()) return silence;
    size_t bar = std::min(size_t(sixteenth / SixteenthsPerBar()), chords_.size() - 1);
    const std::vector<Chord>& inBar = chords_[bar];
    size_t index = size_t(sixteenth % SixteenthsPerBar()) * inBar.size() / SixteenthsPerBar();
    return inBar[index];
}

// Chords of four tones leave the root to the bass and take the ninth instead, the way
// keyboard players voice them.
std::vector<int> DemoScore::Voicing(const Chord& chord, int low) const {
    std::vector<int> intervals = chord.intervals;
    if (intervals.size() >= 4) intervals = {intervals[1], intervals[2], intervals[3], 2};
    std::vector<int> pitches;
    for (int interval : intervals)
        pitches.push_back(PlaceFrom(chord.root + interval, low));
    std::sort(pitches.begin(), pitches.end());
    return pitches;
}

void DemoScore::Add(DemoInstrument instrument, int from, int to, int pitch, int velocity) {
    if (pitch < 0 || pitch > 127 || to <= from) {
        faults_++;
        return;
    }
    uint32_t start = Tick(from);
    notes_.push_back(
        {start, Tick(to) - start, instrument, uint8_t(pitch), uint8_t(ClampVelocity(velocity))});
}

void DemoScore::CheckBarLine(int sixteenth) {
    if (sixteenth % SixteenthsPerBar() != 0) faults_++;
}

void DemoScore::CheckWholeBars(int sixteenths) {
    if (sixteenths <= 0 || sixteenths % SixteenthsPerBar() != 0) faults_++;
}

void DemoScore::Melody(DemoInstrument instrument, int bar, const char* line, int velocity) {
    int at = (bar - 1) * SixteenthsPerBar();
    std::string name;
    for (const std::string& token : Tokens(line)) {
        if (token == "|") {
            CheckBarLine(at);
            continue;
        }
        int length = SplitDuration(token, name);
        if (name != "r")
            Add(instrument, at, at + length, ParsePitch(name),
                MetricVelocity(at, SixteenthsPerBar(), velocity));
        at += std::max(length, 0);
    }
    CheckBarLine(at);
}

void DemoScore::Bass(DemoInstrument instrument, int bar, int bars, const char* pattern, int low,
                     int velocity) {
    std::vector<std::string> tokens = Tokens(pattern);
    std::vector<int> lengths;
    std::vector<std::string> degrees;
    int cycle = 0;
    for (const std::string& token : tokens) {
        degrees.emplace_back();
        lengths.push_back(std::max(SplitDuration(token, degrees.back()), 0));
        cycle += lengths.back();
    }
    CheckWholeBars(cycle);
    if (cycle <= 0) return;
    const int end = (bar - 1 + bars) * SixteenthsPerBar();
    for (int at = (bar - 1) * SixteenthsPerBar(), k = 0; at < end;
         k = (k + 1) % int(tokens.size())) {
        const std::string& degree = degrees[size_t(k)];
        const int length = lengths[size_t(k)];
        if (degree != "r" && length > 0) {
            const Chord& chord = ChordAt(at);
            int interval = -1;
            if (degree == "1") interval = 0;
            if (degree == "3") interval = chord.intervals[1];
            if (degree == "5") interval = chord.intervals[2];
            if (degree == "7") interval = chord.intervals.size() > 3 ? chord.intervals[3] : 12;
            if (degree == "8") interval = 12;
            int pitch = interval < 0 ? -1 : PlaceFrom(chord.root, low) + interval;
            Add(instrument, at, at + length, pitch,
                MetricVelocity(at, SixteenthsPerBar(), velocity));
        }
        at += length;
    }
}

void DemoScore::Chords(DemoInstrument instrument, int bar, int bars, const char* rhythm, int low,
                       int velocity) {
    std::vector<std::string> tokens = Tokens(rhythm);
    std::vector<std::pair<bool, int>> hits; // played, length
    int cycle = 0;
    std::string name;
    for (const std::string& token : tokens) {
        int length = std::max(SplitDuration(token, name), 0);
        if (name != "x" && name != "r") faults_++;
        hits.push_back({name == "x", length});
        cycle += length;
    }
    CheckWholeBars(cycle);
    if (cycle <= 0) return;
    const int end = (bar - 1 + bars) * SixteenthsPerBar();
    for (int at = (bar - 1) * SixteenthsPerBar(), k = 0; at < end; k = (k + 1) % int(hits.size())) {
        const auto& hit = hits[size_t(k)];
        if (hit.first) {
            for (int pitch : Voicing(ChordAt(at), low))
                Add(instrument, at, at + hit.second, pitch,
                    MetricVelocity(at, SixteenthsPerBar(), velocity));
        }
        at += hit.second;
    }
}

void DemoScore::Arpeggio(DemoInstrument instrument, int bar, int bars, const char* steps, int step,
                         int low, int velocity) {
    std::vector<int> order;
    for (const std::string& token : Tokens(steps))
        order.push_back(std::atoi(token.c_str()));
    if (order.empty() || step <= 0) {
        faults_++;
        return;
    }
    const int end = (bar - 1 + bars) * SixteenthsPerBar();
    size_t k = 0;
    for (int at = (bar - 1) * SixteenthsPerBar(); at < end; at += step, k++) {
        std::vector<int> tones = Voicing(ChordAt(at), low);
        int number = order[k % order.size()];
        int pitch = tones[size_t(number) % tones.size()] + 12 * (number / int(tones.size()));
        Add(instrument, at, at + step, pitch, MetricVelocity(at, SixteenthsPerBar(), velocity));
    }
}

// Each bar walks from its root through the chord towards the next bar's root, up or down as
// that root lies, and reaches it by a half step.
void DemoScore::WalkingBass(DemoInstrument instrument, int bar, int bars, int low, int velocity) {
    const int perBar = SixteenthsPerBar(), highestRoot = low + 14;
    auto rootOf = [&](int b, int near) {
        return PlaceNear(ChordAt((b - 1) * perBar).root, near, low, highestRoot);
    };
    int root = rootOf(bar, low + 5);
    for (int b = bar; b < bar + bars; b++) {
        const int first = (b - 1) * perBar;
        const Chord& opening = ChordAt(first);
        const Chord& closing = ChordAt(first + perBar / 2);
        const int next = rootOf(b + 1, root);
        const int octave = next >= root || root - 9 < low - 6 ? 0 : 12;
        const int fifth = root + opening.intervals[2] - octave;
        std::vector<int> line = {root, fifth};
        if (&opening == &closing) {
            line = {root, root + opening.intervals[1] - octave, fifth};
            if (octave) std::swap(line[1], line[2]);
        } else {
            line.push_back(PlaceNear(closing.root, fifth, low - 6, highestRoot + 7));
        }
        line.push_back(next > line.back() ? next - 1 : next + 1);
        for (size_t beat = 0; beat < line.size(); beat++) {
            const int at = first + int(beat) * 4;
            Add(instrument, at, at + 4, line[beat], MetricVelocity(at, perBar, velocity));
        }
        root = next;
    }
}

void DemoScore::Drums(DemoInstrument instrument, int bar, int bars, const char* pattern,
                      int velocity) {
    const int cycle = int(std::strlen(pattern));
    CheckWholeBars(cycle);
    if (cycle <= 0) return;
    const bool spread = instrument == I::ClosedHat || instrument == I::OpenHat ||
                        instrument == I::Shaker || instrument == I::Ride;
    const int first = (bar - 1) * SixteenthsPerBar(), end = first + bars * SixteenthsPerBar();
    for (int at = first; at < end; at++) {
        char hit = pattern[(at - first) % cycle];
        if (hit == '.') continue;
        int v = hit == 'X' ? velocity + 20 : hit == 'o' ? velocity * 45 / 100 : velocity;
        if (hit != 'x' && hit != 'X' && hit != 'o') faults_++;
        if (spread) v += Spread(at, int(instrument));
        Add(instrument, at, at + 1, 60, v);
    }
}

void DemoScore::Finish() {
    std::stable_sort(notes_.begin(), notes_.end(),
                     [](const DemoNote& a, const DemoNote& b) { return a.start < b.start; });
}
