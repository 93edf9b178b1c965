// Synth: the voices of the sound generator (square, triangle, noise), their envelopes and
// pitch movements, and their mix into 16-bit samples at 22050 Hz.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int kSampleRate = 22050;

enum class Wave { Square, Triangle, Noise };

// Seconds, and the sustain level as a share of the voice's volume. The level rises from 0 over
// the attack, falls to the sustain over the decay, stays there while the note is held and falls
// to 0 over the release, from wherever it was when the hold ended.
struct Envelope {
    double attack = 0.002, decay = 0, sustain = 1, release = 0.01;
};

// One note, slide or burst of noise. For noise, hz is the rate at which its shift register
// steps: higher is hissier, lower is rougher.
struct Voice {
    Wave wave = Wave::Square;
    double start = 0;     // seconds into the sound
    double hold = 0.1;    // seconds the note is held; its release follows
    double hz = 440;      // the pitch at the start
    double slide = 0;     // semitones the pitch moves over the hold, evenly in pitch
    double volume = 0.5;  // of full scale, at the envelope's peak
    Envelope envelope;
    double duty = 0.5;               // square: the share of each period spent high
    double vibratoDepth = 0;         // semitones either way
    double vibratoRate = 0;          // Hz
    std::vector<int> arpeggio = {};  // semitones added in turn, one a step...
    double arpeggioRate = 0;         // ...at this many steps a second
};

// 2 to the power n / 12: the frequency ratio of n semitones, with + - * / alone, so that every
// machine rounds every step alike and writes the same bytes.
double semitones(double n);
// The frequency of a note named like "A4" (440 Hz), "C#5" or "Bb3".
double note(const std::string& name);
// A line of notes for one voice, `step` seconds each from pattern.start on: note names, "x" the
// pattern's own pitch (a drum), "." a rest, and "*N" after any of them for N steps. Each note is
// `pattern` at its pitch, held for pattern.hold plus its extra steps.
std::vector<Voice> melody(const Voice& pattern, double step, const std::string& line);

// The voices mixed, `seconds` long (0: until the last has faded). Throws std::range_error when
// the mix would reach full scale (clipping is designed out, not clamped) or a voice would sound
// past the end, and std::invalid_argument for a voice that would start or end with a click.
std::vector<std::int16_t> render(const std::vector<Voice>& voices, double seconds = 0);

}  // namespace synth
