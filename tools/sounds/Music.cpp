// The music as data: three pieces in their own keys and tempos, each in sections that come back
// varied. Each sits under the effects, peaking at about a third of full scale.
#include "Music.h"

#include <sstream>
#include <string>

using synth::melody;
using synth::note;
using synth::semitones;
using synth::Voice;

namespace {

constexpr synth::Wave kSquare = synth::Wave::Square, kTriangle = synth::Wave::Triangle,
                      kNoise = synth::Wave::Noise;
// A step of a bass line that plays nothing.
constexpr int kRest = -100;

void add(std::vector<Voice>& all, const std::vector<Voice>& part) {
    all.insert(all.end(), part.begin(), part.end());
}

// The same bar of a line, n times over.
std::string times(const std::string& bar, int n) {
    std::string line;
    for (int i = 0; i < n; ++i) {
        line += bar + " ";
    }
    return line;
}

// A bar a chord ("C4 Eb4 G4"), its notes broken one a step in the order the digits give
// ("0121": root, middle, top, middle).
std::vector<Voice> broken(const Voice& pattern, double step, const std::vector<std::string>& chords,
                          const std::string& order) {
    std::string line;
    for (const std::string& chord : chords) {
        std::istringstream words(chord);
        std::vector<std::string> notes;
        for (std::string word; words >> word;) {
            notes.push_back(word);
        }
        for (const char c : order) {
            line += c == '.' ? ". " : notes.at(static_cast<std::size_t>(c - '0')) + " ";
        }
    }
    return melody(pattern, step, line);
}

// A bar a root ("A2"), each step the given semitones above it, or kRest.
std::vector<Voice> onRoots(const Voice& pattern, double step, const std::vector<std::string>& roots,
                           const std::vector<int>& bar) {
    std::vector<Voice> voices;
    double at = pattern.start;
    for (const std::string& root : roots) {
        for (const int above : bar) {
            if (above != kRest) {
                Voice v = pattern;
                v.start = at;
                v.hz = note(root) * semitones(above);
                voices.push_back(v);
            }
            at += step;
        }
    }
    return voices;
}

// The drums every piece plays, a step each: a low thump sliding down two octaves, a snare of
// falling noise, a closed hi-hat. Their volumes are a piece's own.
Voice kick(double volume) {
    return {kTriangle, 0, 0.03, 120, -24, volume, {0.001, 0.02, 0.5, 0.03}};
}
Voice snare(double volume) {
    return {kNoise, 0, 0.03, 5000, -12, volume, {0.001, 0.03, 0.3, 0.04}};
}
Voice hat(double volume) {
    return {kNoise, 0, 0.008, 14000, 0, volume, {0.001, 0.02, 0.2, 0.02}};
}

// Levels 1-5: D major at 150 beats a minute, bright and bouncing. Twenty bars of eighths (0.2 s):
// A, A again with broken chords and a cadence, B with long notes twice over, A climbing, whose
// last bar's A major leads back to the first's D. 32 s.
constexpr double kSunnyEighth = 0.2;
constexpr int kSunnyBars = 20;

std::vector<Voice> sunny() {
    const double eighth = kSunnyEighth, sixteenth = eighth / 2;
    const Voice lead{kSquare, 0, 0.14, 0, 0, 0.12, {0.003, 0.05, 0.6, 0.03}, 0.25};
    const Voice chords{kSquare, 0, 0.05, 0, 0, 0.045, {0.002, 0.02, 0.6, 0.02}, 0.125};
    const Voice bass{kTriangle, 0, 0.15, 0, 0, 0.12, {0.003, 0.05, 0.7, 0.03}};
    std::vector<Voice> all;
    add(all, melody(lead, eighth,
                    // A
                    "F#5 . A5 F#5 D5 . E5 F#5   D5 . B4 D5 F#5 . E5 D5 "
                    "B4 . D5 G5 F#5 . E5 D5   C#5 . E5 A5 G5 F#5 E5 . "
                    // A'
                    "F#5 . A5 F#5 D6 . A5 F#5   B5 . A5 F#5 D5 . F#5 B5 "
                    "G5 F#5 E5 D5 E5 . C#5 .   D5*3 . A4 . D5 . "
                    // B
                    "D5*2 B4*2 G4*2 B4 D5   E5*2 C#5*2 A4*2 C#5 E5 "
                    "F#5*2 C#5*2 A4*2 C#5 F#5   F#5*3 E5 D5*2 B4*2 "
                    // B'
                    "G5*2 D5*2 B4 D5 G5 A5   A5*2 E5*2 C#5 E5 A5 B5 "
                    "G5*2 E5*2 B4 E5 G5 F#5   E5*2 C#5 . A4 C#5 E5 . "
                    // A''
                    "F#5 A5 D6 A5 F#5 . E5 F#5   D5 F#5 B5 F#5 D5 . E5 D5 "
                    "B4 D5 G5 D5 B4 . A4 B4   C#5 E5 A5 C#6 B5 A5 G5 ."));
    const std::string d = "D4 F#4 A4", bm = "D4 F#4 B4", g = "D4 G4 B4", a = "C#4 E4 A4",
                      fsm = "C#4 F#4 A4", em = "E4 G4 B4";
    // Broken chords from the second A on; the first A is lead, bass and drums alone.
    Voice later = chords;
    later.start = 4 * 8 * eighth;
    add(all, broken(later, sixteenth, {d, bm, a, d, g, a, fsm, bm, g, a, em, a, d, bm, g, a},
                    "0121012101210121"));
    // The bass bounces root, octave and fifth in A, and drives the octave in B.
    const std::vector<int> bounce{0, kRest, 12, 0, 7, kRest, 12, 7},
        drive{0, 12, 0, 12, 0, 12, 0, 12};
    Voice b = bass;
    add(all, onRoots(b, eighth, {"D2", "B1", "G1", "A1", "D2", "B1", "A1", "D2"}, bounce));
    b.start = 8 * 8 * eighth;
    add(all, onRoots(b, eighth, {"G1", "A1", "F#2", "B1", "G1", "A1", "E2", "A1"}, drive));
    b.start = 16 * 8 * eighth;
    add(all, onRoots(b, eighth, {"D2", "B1", "G1", "A1"}, bounce));
    // Kick on 1 and 3, snare on 2 and 4 with a pick-up at the end of every fourth bar, and the
    // hi-hat on the off-beats, on every eighth in B.
    add(all, melody(kick(0.08), eighth, times("x . . . x . . .", kSunnyBars)));
    add(all,
        melody(snare(0.05), eighth, times(times(". . x . . . x .", 3) + ". . x . . . x x", 5)));
    const std::string offBeats = times(". x . x . x . x", 8), eighths = times("x x x x x x x x", 8);
    add(all, melody(hat(0.03), eighth, offBeats + eighths + times(". x . x . x . x", 4)));
    return all;
}

// Levels 6-10: E minor at 126 beats a minute, cool and syncopated, a hollow lead with a slow
// vibrato. Sixteen bars of eighths (0.238 s): A swaying between E minor and A major, A again
// turning to C and B, B brighter and higher, B again ending on B7, which leads back to E minor.
// 30.5 s.
constexpr double kCoolEighth = 60.0 / 126 / 2;
constexpr int kCoolBars = 16;

std::vector<Voice> cool() {
    const double eighth = kCoolEighth, sixteenth = eighth / 2;
    const Voice lead{kSquare, 0, 0.2, 0, 0, 0.1, {0.01, 0.08, 0.7, 0.03}, 0.5, 0.15, 5};
    const Voice chords{kSquare, 0, 0.06, 0, 0, 0.04, {0.002, 0.03, 0.5, 0.04}, 0.125};
    const Voice bass{kTriangle, 0, 0.19, 0, 0, 0.11, {0.003, 0.06, 0.7, 0.04}};
    std::vector<Voice> all;
    add(all, melody(lead, eighth,
                    // A
                    "B4*3 D5 E5*2 . D5   C#5*3 . A4*2 B4 C#5 "
                    "D5*2 B4 . G4 A4 B4 D5   E5*4 F#5*2 E5 C#5 "
                    // A'
                    "B4*3 D5 E5*2 G5 F#5   E5*2 C#5 . A4*2 . E5 "
                    "G5*3 E5 C5*2 E5 G5   F#5*3 D#5 B4*2 . . "
                    // B
                    "G5*2 E5 G5 C6*2 B5 G5   A5*2 F#5 A5 D6*2 C6 A5 "
                    "B5*3 A5 F#5*2 D5 F#5   E5*6 . . "
                    // B'
                    "A5*2 C6 B5 A5*2 E5 A5   F#5*2 A5 F#5 D5*2 . F#5 "
                    "G5 E5 C5 E5 G5 B5 C6 B5   A5 F#5 D#5 F#5 B4*3 ."));
    const std::string em7 = "E4 G4 B4 D5", a = "E4 A4 C#5 E5", c = "E4 G4 C5 E5",
                      b = "D#4 F#4 B4 D#5", d = "D4 F#4 A4 D5", bm = "D4 F#4 B4 D5",
                      em = "E4 G4 B4 E5", am = "E4 A4 C5 E5", b7 = "D#4 F#4 A4 B4";
    // Rising and falling broken chords from the second A on.
    Voice later = chords;
    later.start = 4 * 8 * eighth;
    add(all,
        broken(later, sixteenth, {em7, a, c, b, c, d, bm, em, am, d, c, b7}, "0123210123210121"));
    // The bass skips across the beat: root, root and octave, root, seventh or fifth, octave.
    const std::vector<int> skip{0, kRest, 0, 12, kRest, 0, 10, 12},
        fifth{0, kRest, 0, 12, kRest, 0, 7, 12};
    Voice low = bass;
    add(all, onRoots(low, eighth, {"E2", "A1", "E2", "A1", "E2", "A1"}, skip));
    low.start = 6 * 8 * eighth;
    add(all,
        onRoots(low, eighth, {"C2", "B1", "C2", "D2", "B1", "E2", "A1", "D2", "C2", "B1"}, fifth));
    // Kick on 1, just before 3 and on 3, snare on 2 and 4 with a pick-up every fourth bar,
    // hi-hat on the eighths, on nearly every sixteenth in B.
    const std::string kicks = "x . . . . . . x x . . . . . . . ";
    add(all, melody(kick(0.08), sixteenth, times(kicks, kCoolBars)));
    const std::string backbeat = ". . . . x . . . . . . . x . . . ";
    add(all, melody(snare(0.045), sixteenth,
                    times(times(backbeat, 3) + ". . . . x . . . . . . . x . x x", 4)));
    add(all, melody(hat(0.03), sixteenth,
                    times("x . x . x . x . x . x . x . x . ", 8) +
                        times("x x x x x x x x x x x x x x x . ", 8)));
    return all;
}

// Levels 11-15: C minor at 175 beats a minute, tense and driving over a thin pulse of chords
// broken three against four. Twenty-four bars of eighths (0.171 s): A without a tune, A with one,
// B climbing twice, C holding high notes over a bare beat, A climbing, whose last bar's G leads
// back to C minor. 32.9 s.
constexpr double kTenseEighth = 60.0 / 175 / 2;
constexpr int kTenseBars = 24;

std::vector<Voice> tense() {
    const double eighth = kTenseEighth, sixteenth = eighth / 2;
    const Voice lead{kSquare, 0, 0.13, 0, 0, 0.11, {0.003, 0.04, 0.7, 0.03}, 0.25, 0.1, 6};
    const Voice pulse{kSquare, 0, 0.05, 0, 0, 0.045, {0.002, 0.02, 0.5, 0.03}, 0.125};
    const Voice bass{kTriangle, 0, 0.13, 0, 0, 0.12, {0.003, 0.05, 0.7, 0.03}};
    std::vector<Voice> all;
    Voice tune = lead;
    tune.start = 4 * 8 * eighth;
    add(all, melody(tune, eighth,
                    // A'
                    "C5*2 . G4 C5 D5 Eb5 D5   C5*2 . G4 Eb5 D5 C5 Bb4 "
                    "Ab4*2 C5 Eb5 Ab5*2 G5 F5   G5*4 F5 Eb5 D5 B4 "
                    // B
                    "F5*2 Ab5*2 C6*2 Ab5 F5   G5*2 B5*2 D6*2 B5 G5 "
                    "C6*3 Bb5 G5*2 Eb5 G5   Ab5*3 G5 F5 Eb5 D5 C5 "
                    // B'
                    "F5*2 Ab5 F5 C5*2 F5 Ab5   G5*2 F5 Eb5 D5*2 B4 D5 "
                    "C5 Eb5 Ab5 C6 Bb5 Ab5 G5 F5   G5*3 . B4*2 D5 . "
                    // C
                    "Eb6*4 C6*4   D6*4 Bb5*4   G5*6 Bb5 Eb6   D6*4 B5*2 . . "
                    // A''
                    "C5 Eb5 G5 C6 G5 Eb5 C5 G4   Ab4 C5 Eb5 Ab5 Eb5 C5 Ab4 C5 "
                    "F5 Ab5 C6 Ab5 F5 C5 F5 Ab5   G5 B5 D6 B5 G5 F5 D5 B4"));
    const std::string cm = "C4 Eb4 G4", ab = "C4 Eb4 Ab4", g = "B3 D4 G4", fm = "C4 F4 Ab4",
                      bb = "D4 F4 Bb4", eb = "Eb4 G4 Bb4";
    add(all, broken(pulse, sixteenth, {cm, cm, ab, g, cm, cm, ab, g, fm, g,  cm, ab,
                                       fm, g,  ab, g, ab, bb, eb, g, cm, ab, fm, g},
                    "0120120120120121"));
    // The bass pumps eighths, but for C, where it only marks the bar.
    const std::vector<int> pump{0, 0, 12, 0, 0, 12, 0, 12},
        mark{0, kRest, kRest, 12, kRest, kRest, 0, kRest};
    Voice low = bass;
    add(all, onRoots(low, eighth,
                     {"C2", "C2", "Ab1", "G1", "C2", "C2", "Ab1", "G1", "F1", "G1", "C2", "Ab1",
                      "F1", "G1", "Ab1", "G1"},
                     pump));
    low.start = 16 * 8 * eighth;
    add(all, onRoots(low, eighth, {"Ab1", "Bb1", "Eb2", "G1"}, mark));
    low.start = 20 * 8 * eighth;
    add(all, onRoots(low, eighth, {"C2", "Ab1", "F1", "G1"}, pump));
    // Four on the floor with snare on 2 and 4 and the hi-hat on every sixteenth in B; in C a
    // kick a bar and the hi-hat alone.
    const std::string floor = times("x . x . x . x .", 16), bare = times("x . . . . . . .", 4);
    add(all, melody(kick(0.08), eighth, floor + bare + times("x . x . x . x .", 4)));
    const std::string backbeat = times(". . x . . . x .", 3) + ". . x . . . x x ";
    add(all,
        melody(snare(0.05), eighth, times(backbeat, 4) + times(". . . . . . . .", 4) + backbeat));
    add(all, melody(hat(0.025), sixteenth,
                    times(". . x . . . x . . . x . . . x . ", 8) +
                        times("x x x x x x x x x x x x x x x x ", 8) +
                        times(". . x . . . x . . . x . . . x . ", 8)));
    return all;
}

}  // namespace

std::vector<Recipe> gameMusic() {
    return {
        {"music1.ogg", sunny(), kSunnyBars * 8 * kSunnyEighth},
        {"music2.ogg", cool(), kCoolBars * 8 * kCoolEighth},
        {"music3.ogg", tense(), kTenseBars * 8 * kTenseEighth},
    };
}
