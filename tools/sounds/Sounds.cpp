// The recipes of the game's effects, as data. They peak at 60 to 80 % of full scale, the music
// (Music.cpp), which plays under them, at under 40 %: no mix adds up to more than its voices'
// volumes.
#include "Sounds.h"

#include <initializer_list>

using synth::Envelope;
using synth::melody;
using synth::note;
using synth::Voice;

namespace {

constexpr synth::Wave kSquare = synth::Wave::Square, kTriangle = synth::Wave::Triangle,
                      kNoise = synth::Wave::Noise;

std::vector<Voice> join(std::initializer_list<std::vector<Voice>> parts) {
    std::vector<Voice> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace

std::vector<Recipe> soundRecipes() {
    // Each voice: wave, start, hold, hz, slide, volume, envelope {attack, decay, sustain,
    // release}, duty; then vibrato depth and rate; then arpeggio and its rate.
    // clang-format off
    return {
        // A thin chirp an octave up, over in 70 ms: it plays on nearly every move.
        {"hop.wav", {
            {kSquare, 0, 0.045, note("E5"), 12, 0.62, {0.002, 0.035, 0.3, 0.025}, 0.125}}},
        // Two bright notes a fourth apart, the second ringing and bending up.
        {"points.wav", {
            {kSquare, 0, 0.05, note("B5"), 0, 0.66, {0.002, 0, 1, 0.005}, 0.25},
            {kSquare, 0.055, 0.05, note("E6"), 2, 0.66, {0.002, 0.1, 0.2, 0.09}, 0.25}}},
        // Two notes a semitone apart, beating sourly as they sag a fifth.
        {"penalty.wav", {
            {kSquare, 0, 0.16, note("Bb4"), -7, 0.42, {0.003, 0.05, 0.7, 0.04}, 0.5},
            {kSquare, 0, 0.16, note("B4"), -7, 0.3, {0.003, 0.05, 0.7, 0.04}, 0.25}}},
        // Up and down the C major chord, doubled an octave below.
        {"life.wav", join({
            melody({kSquare, 0, 0.035, 0, 0, 0.45, {0.002, 0.02, 0.6, 0.015}, 0.5},
                   0.05, "C6 E6 G6 E6 G6 C7*2"),
            melody({kTriangle, 0, 0.035, 0, 0, 0.28, {0.002, 0.02, 0.6, 0.015}},
                   0.05, "C5 E5 G5 E5 G5 C6*2")})},
        // A rush of noise swelling and fading over a warbling sweep two octaves up.
        {"recall.wav", {
            {kNoise, 0, 0.2, 2000, 24, 0.32, {0.12, 0, 1, 0.12}},
            {kTriangle, 0, 0.2, note("C4"), 24, 0.4, {0.02, 0, 1, 0.12}, 0.5,
             0.4, 16}}},
        // Three octaves down, wobbling as it goes and dying away: heard often, never harsh.
        {"fall.wav", {
            {kSquare, 0, 0.62, note("C6"), -36, 0.62, {0.003, 0.3, 0.3, 0.06}, 0.25,
             0.6, 14}}},
        // A burst of falling noise over a low buzz that jumps between clashing notes.
        {"capture.wav", {
            {kNoise, 0, 0.25, 3000, -24, 0.42, {0.002, 0.1, 0.6, 0.12}},
            {kSquare, 0, 0.25, note("A2"), -5, 0.32, {0.002, 0.1, 0.6, 0.12}, 0.5,
             0, 0,
             {0, 6, 1}, 40}}},
        // A scale run up to a ringing C over a rising bass.
        {"portal.wav", join({
            melody({kSquare, 0, 0.025, 0, 0, 0.45, {0.002, 0.15, 0.3, 0.01}, 0.25, 0.25, 10},
                   0.035, "C5 D5 E5 F5 G5 A5 B5 C6*5"),
            melody({kTriangle, 0, 0.025, 0, 0, 0.3, {0.002, 0.05, 0.8, 0.01}},
                   0.035, "C4*4 G4*4 C5*4")})},
        // Three slow steps down by semitones and a long, sinking, wavering last note.
        {"gameover.wav", join({
            melody({kSquare, 0, 0.12, 0, 0, 0.45, {0.005, 0.05, 0.7, 0.02}, 0.5},
                   0.14, "E5 D#5 D5"),
            {{kSquare, 0.42, 0.36, note("C#5"), -1, 0.45, {0.005, 0.05, 0.7, 0.06}, 0.5,
              0.3, 6}},
            melody({kTriangle, 0, 0.12, 0, 0, 0.28, {0.005, 0.05, 0.7, 0.02}},
                   0.14, "E4 D#4 D4"),
            {{kTriangle, 0.42, 0.36, note("C#4"), -1, 0.28, {0.005, 0.05, 0.7, 0.06}}}})},
        // Name entry: a high, thin tick for a letter, a lower, rounder tock for the cursor. Both
        // die away within a few milliseconds, under the hop, so that a held key patters.
        {"letter.wav", {
            {kSquare, 0, 0.008, note("A6"), -3, 0.6, {0.001, 0.004, 0.15, 0.006}, 0.125}}},
        {"cursor.wav", {
            {kTriangle, 0, 0.012, note("E5"), -12, 0.6, {0.001, 0.004, 0.1, 0.008}}}},
        // "Ta-daa": a short G, then a shimmering C major chord, over a bass.
        {"confirm.wav", {
            {kSquare, 0, 0.06, note("G4"), 0, 0.4, {0.002, 0, 1, 0.02}, 0.5},
            {kSquare, 0.08, 0.2, note("C5"), 0, 0.4, {0.002, 0.1, 0.6, 0.06}, 0.5,
             0, 0,
             {0, 4, 7}, 30},
            {kTriangle, 0, 0.06, note("G3"), 0, 0.3, {0.002, 0, 1, 0.02}},
            {kTriangle, 0.08, 0.2, note("C4"), 0, 0.3, {0.002, 0.1, 0.6, 0.06}}}},
        // Ready, steady, go: two short beeps and a long one an octave up.
        {"start.wav", join({
            melody({kSquare, 0, 0.035, 0, 0, 0.55, {0.002, 0.01, 0.8, 0.05}, 0.125},
                   0.05, "A5 . A5 . A6*3"),
            melody({kTriangle, 0, 0.035, 0, 0, 0.25, {0.002, 0.01, 0.8, 0.05}},
                   0.05, "A4 . A4 . A5*3")})},
    };
    // clang-format on
}
