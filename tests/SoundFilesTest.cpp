// The sounds the generator writes at build time (tools/sounds): WAV files in the one format the
// game loads, the effects short, clean, below full scale and unlike one another, each piece of
// music a quiet loop of whole bars; and another run writes the same bytes.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "sound/Sounds.h"
#include "support/WorkFolder.h"

namespace {

constexpr int kRate = 22050;
constexpr int kFullScale = 32767;
// How every file must read: 16-bit signed little-endian mono PCM at 22050 Hz, its header
// giving its size.
const std::string kFormat = "16-bit LE, 1 channel, 22050 Hz";
// No effect blares: each is at most -9 dBFS RMS.
constexpr double kLoudestRms = 0.355;
// A first or last sample further from silence than this clicks.
constexpr int kClick = kFullScale / 100;
// All the sounds together, so that the browser's site stays under 1.5 MB.
constexpr std::uintmax_t kMostBytes = 800000;
// Two effects a player tells apart differ by this ratio in length, or in pitch in some quarter
// (about four semitones).
constexpr double kApart = 1.25;

// How long an effect may ring: the hop, heard on nearly every move, shortest.
constexpr int kShortestMs = 10, kLongestMs = 999, kLongestHopMs = 90;

// A sound file as the game's SDL reads it.
struct Sound {
    std::string format;  // what SDL makes of it, and whether its header gives the file's size
    std::vector<std::int16_t> samples;
    int peak = 0;
    double rms = 0;  // of full scale

    explicit Sound(const std::string& file) {
        if (file.find(".ogg") != std::string::npos) {
            decode(file);
        } else {
            load(file);
        }
        double squares = 0;
        for (const int s : samples) {
            peak = std::max(peak, std::abs(s));
            squares += static_cast<double>(s) * s;
        }
        rms = std::sqrt(squares / std::max<std::size_t>(samples.size(), 1)) / kFullScale;
    }
    void load(const std::string& file) {
        const std::string bytes = WorkFolder::read(DWINDLE_SOUNDS_DIR "/" + file);
        SDL_AudioSpec header;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1,
                            &header, &buffer, &length)) {
            format = SDL_GetError();
            return;
        }
        // The RIFF chunk's size, which SDL does not read, little-endian as on every machine
        // the game is built for.
        std::uint32_t riff = 0;
        std::memcpy(&riff, bytes.data() + 4, 4);
        format = (header.format == AUDIO_S16LSB ? "16-bit LE, " : "other, ") +
                 std::to_string(header.channels) + " channel, " + std::to_string(header.freq) +
                 " Hz" +
                 (riff + 8 == bytes.size() && length + 44 == bytes.size() ? "" : ", wrong sizes");
        const auto* first = reinterpret_cast<const std::int16_t*>(buffer);
        samples.assign(first, first + length / 2);
        SDL_FreeWAV(buffer);
    }
    // The music, as the game's mixer decodes it for its device at 22050 Hz mono.
    void decode(const std::string& file) {
        SDL_InitSubSystem(SDL_INIT_AUDIO);
        Mix_OpenAudio(kRate, AUDIO_S16SYS, 1, 512);
        Mix_Chunk* chunk = Mix_LoadWAV((DWINDLE_SOUNDS_DIR "/" + file).c_str());
        format = chunk != nullptr ? kFormat : Mix_GetError();
        if (chunk != nullptr) {
            const auto* first = reinterpret_cast<const std::int16_t*>(chunk->abuf);
            samples.assign(first, first + chunk->alen / 2);
            Mix_FreeChunk(chunk);
        }
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    int ms() const { return static_cast<int>(samples.size() * 1000 / kRate); }
    bool cleanEnds() const {
        return peak > 0 && std::abs(samples.front()) <= kClick &&
               std::abs(samples.back()) <= kClick;
    }
    // The length, then how often each quarter crosses zero, a second: twice the pitch of a
    // plain voice, with no need for a Fourier transform.
    std::vector<double> fingerprint() const {
        const auto quarter = static_cast<std::ptrdiff_t>(samples.size() / 4);
        std::vector<double> print{static_cast<double>(samples.size())};
        for (auto from = samples.begin(); print.size() < 5; from += quarter) {
            int crossings = 0, sign = 0;
            for (auto s = from; s != from + quarter; ++s) {
                crossings += *s != 0 && sign != 0 && (*s > 0) != (sign > 0);
                sign = *s != 0 ? *s : sign;
            }
            print.push_back(static_cast<double>(crossings) * kRate / quarter);
        }
        return print;
    }
};

// Each effect short, audible, clean at both ends, below full scale and not blaring, and every two
// a player can tell apart; the name entry's ticks, which a held key repeats, under the hop.
TEST(SoundFiles, EachEffectIsShortCleanBelowFullScaleAndUnlikeTheOthers) {
    std::vector<std::vector<double>> prints;
    for (int i = 0; i < kEffectCount; ++i) {
        const char* file = kEffectFiles[i];
        const int longestMs = static_cast<Effect>(i) == Effect::Hop ? kLongestHopMs : kLongestMs;
        const Sound sound(file);
        EXPECT_EQ(kFormat, sound.format) << file;
        EXPECT_TRUE(kShortestMs <= sound.ms() && sound.ms() <= longestMs)
            << file << ": " << sound.ms() << " ms";
        // 60 to 80 % of full scale is the aim; none may reach it.
        EXPECT_TRUE(kFullScale / 2 < sound.peak && sound.peak < kFullScale)
            << file << ": peak " << sound.peak;
        EXPECT_LE(sound.rms, kLoudestRms) << file;
        ASSERT_TRUE(sound.cleanEnds()) << file;
        prints.push_back(sound.fingerprint());
    }
    for (const char* tick : {"letter.wav", "cursor.wav"}) {
        EXPECT_LE(Sound(tick).rms, Sound("hop.wav").rms) << tick;
    }
    for (std::size_t a = 0; a < prints.size(); ++a) {
        for (std::size_t b = a + 1; b < prints.size(); ++b) {
            double apart = 1;
            for (std::size_t i = 0; i < prints[a].size(); ++i) {
                const double x = prints[a][i] + 1, y = prints[b][i] + 1;  // neither 0
                apart = std::max({apart, x / y, y / x});
            }
            EXPECT_GE(apart, kApart) << kEffectFiles[a] << " and " << kEffectFiles[b];
        }
    }
}

// The game plays each piece of music over and over under the effects: whole bars of 4/4 at some
// tempo between 100 and 240 beats a minute, 4 to 40 seconds, from near silence to near silence so
// that the loop does not click (the encoding leaves a little noise), and at most two thirds as
// loud as the quietest effect.
TEST(SoundFiles, EachPieceOfMusicIsAQuietLoopOfWholeBars) {
    for (const char* file : kMusicFiles) {
        const Sound music(file);
        ASSERT_EQ(kFormat, music.format) << file;
        bool wholeBars = false;
        for (int beatsAMinute = 100; beatsAMinute <= 240; ++beatsAMinute) {
            const int bar = kRate * 60 * 4 / beatsAMinute;
            wholeBars = wholeBars ||
                        (kRate * 60 * 4 % beatsAMinute == 0 && music.samples.size() % bar == 0);
        }
        EXPECT_TRUE(wholeBars) << file << ": " << music.samples.size() << " samples";
        EXPECT_TRUE(4000 <= music.ms() && music.ms() <= 40000) << file << ": " << music.ms();
        EXPECT_LE(std::abs(music.samples.front() - music.samples.back()), 2 * kClick) << file;
        EXPECT_TRUE(kFullScale / 5 < music.peak && music.peak < kFullScale * 45 / 100)
            << file << ": peak " << music.peak;
        for (const char* effect : kEffectFiles) {
            EXPECT_LE(music.peak * 3, Sound(effect).peak * 2) << file << " over " << effect;
        }
    }
}

TEST(SoundFiles, AnotherRunWritesTheSameBytes) {
    const WorkFolder folder(false);
    EXPECT_EQ(0, std::system("'" DWINDLE_SOUNDMAKER "' ."));
    std::uintmax_t files = 0, bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string file = entry.path().filename().string();
        ++files;
        bytes += entry.file_size();
        EXPECT_TRUE(folder.read(file) == WorkFolder::read(DWINDLE_SOUNDS_DIR "/" + file)) << file;
    }
    EXPECT_EQ(static_cast<std::uintmax_t>(kEffectCount + kMusicCount), files);
    EXPECT_LE(bytes, kMostBytes);
}

}  // namespace
