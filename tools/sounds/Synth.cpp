#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace synth {
namespace {

constexpr double kLn2 = 0.693147180559945309417;
// Below this the start or end of a voice is a step the ear hears as a click.
constexpr double kShortestFade = 0.001;

// e to the x for 0 <= x < 1, by its series.
double expSeries(double x) {
    double sum = 1, term = 1;
    for (int i = 1; i < 24; ++i) {
        term = term * x / i;
        sum += term;
    }
    return sum;
}

double fraction(double x) {
    return x - std::floor(x);
}

// A triangle over one period, p from 0 to 1: from 0 up to 1, down to -1 and back to 0.
double triangle(double p) {
    return p < 0.25 ? 4 * p : p < 0.75 ? 2 - 4 * p : 4 * p - 4;
}

double level(const Envelope& e, double hold, double t) {
    const auto held = [&e](double u) {
        if (u < e.attack) {
            return u / e.attack;
        }
        if (u < e.attack + e.decay) {
            return 1 - (1 - e.sustain) * (u - e.attack) / e.decay;
        }
        return e.sustain;
    };
    return t < hold ? held(t) : held(hold) * (1 - (t - hold) / e.release);
}

long samplesOf(double seconds) {
    return std::lround(seconds * kSampleRate);
}

// Adds one voice into the mix from its first sample on.
void addVoice(const Voice& v, std::vector<double>& mix) {
    const long first = samplesOf(v.start), count = samplesOf(v.hold + v.envelope.release);
    double phase = 0;
    // A pulse with no constant part whatever its duty, so that its envelope does not thump: the
    // narrower side at full height, the wider one just far enough below zero to balance it.
    const double widest = std::max(v.duty, 1 - v.duty);
    // The noise: a 15-bit shift register fed back from its two lowest bits, from the same seed
    // every time.
    unsigned bits = 1;
    for (long i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double pitch = v.slide * std::min(t, v.hold) / v.hold;
        if (!v.arpeggio.empty()) {
            pitch += v.arpeggio[static_cast<std::size_t>(t * v.arpeggioRate) % v.arpeggio.size()];
        }
        pitch += v.vibratoDepth * triangle(fraction(t * v.vibratoRate));
        const double out = v.wave == Wave::Square ? (phase < v.duty ? 1 - v.duty : -v.duty) / widest
                           : v.wave == Wave::Triangle ? triangle(phase)
                                                      : ((bits & 1) != 0 ? 1 : -1);
        mix[first + i] += v.volume * level(v.envelope, v.hold, t) * out;
        for (phase += v.hz * semitones(pitch) / kSampleRate; phase >= 1; phase -= 1) {
            bits = (bits >> 1) | (((bits ^ (bits >> 1)) & 1) << 14);
        }
    }
}

}  // namespace

double semitones(double n) {
    const double octaves = n / 12, whole = std::floor(octaves);
    return std::ldexp(expSeries((octaves - whole) * kLn2), static_cast<int>(whole));
}

double note(const std::string& name) {
    const std::string letters = "C D EF G A B";  // at their semitones above C
    const std::size_t letter = name.empty() ? std::string::npos : letters.find(name[0]);
    std::size_t at = 1;
    int shift = 0;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
        shift = name[at++] == '#' ? 1 : -1;
    }
    if (letter == std::string::npos || name[0] == ' ' || at + 1 != name.size() || name[at] < '0' ||
        name[at] > '9') {
        throw std::invalid_argument("not a note: \"" + name + "\"");
    }
    const int fromA4 = static_cast<int>(letter) + shift - 9 + 12 * (name[at] - '4');
    return 440 * semitones(fromA4);
}

std::vector<Voice> melody(const Voice& pattern, double step, const std::string& line) {
    std::vector<Voice> voices;
    std::istringstream words(line);
    double at = pattern.start;
    for (std::string word; words >> word;) {
        const std::size_t star = word.find('*');
        const int steps = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
        const std::string name = word.substr(0, star);
        if (name != ".") {
            Voice v = pattern;
            v.start = at;
            v.hold = pattern.hold + (steps - 1) * step;
            v.hz = name == "x" ? pattern.hz : note(name);
            voices.push_back(v);
        }
        at += steps * step;
    }
    return voices;
}

std::vector<std::int16_t> render(const std::vector<Voice>& voices, double seconds) {
    long natural = 0;
    for (const Voice& v : voices) {
        if (v.envelope.attack < kShortestFade || v.envelope.release < kShortestFade ||
            v.hold <= 0 || v.start < 0) {
            throw std::invalid_argument("a voice would click: no fade in or out");
        }
        natural = std::max(natural, samplesOf(v.start) + samplesOf(v.hold + v.envelope.release));
    }
    const long length = seconds > 0 ? samplesOf(seconds) : natural;
    if (natural > length) {
        throw std::range_error("a voice sounds past the end");
    }
    std::vector<double> mix(length);
    for (const Voice& v : voices) {
        addVoice(v, mix);
    }
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    for (const double m : mix) {
        const long s = std::lround(m * 32767);
        if (s >= 32767 || s <= -32767) {
            throw std::range_error("the mix reaches full scale");
        }
        samples.push_back(static_cast<std::int16_t>(s));
    }
    return samples;
}

}  // namespace synth
