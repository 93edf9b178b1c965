// soundmaker OUTDIR: writes every sound of the game into OUTDIR, the effects and the tune as WAV
// files and the music as Ogg Vorbis, the same bytes on every run.
#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "Music.h"
#include "Ogg.h"
#include "Sounds.h"
#include "Synth.h"
#include "Wav.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int failures = 0;
    try {
        std::vector<Sound> sounds = gameSounds();
        for (Sound& piece : gameMusic()) {
            sounds.push_back(std::move(piece));
        }
        for (const Sound& sound : sounds) {
            try {
                const std::string path = dir + "/" + sound.file;
                const auto samples = synth::render(sound.voices, sound.seconds);
                const bool ogg = path.size() > 4 && path.compare(path.size() - 4, 4, ".ogg") == 0;
                if (!(ogg ? writeOgg(path, samples) : writeWav(path, samples))) {
                    std::fprintf(stderr, "soundmaker: %s: cannot write\n", sound.file.c_str());
                    ++failures;
                }
            } catch (const std::exception& e) {
                // A mix that would clip, or a voice that would click, names its sound here.
                std::fprintf(stderr, "soundmaker: %s: %s\n", sound.file.c_str(), e.what());
                ++failures;
            }
        }
    } catch (const std::exception& e) {  // a note's name mistyped
        std::fprintf(stderr, "soundmaker: %s\n", e.what());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
