// soundmaker OUTDIR: writes every sound of the game into OUTDIR as a WAV file, the same bytes on
// every run.
#include <cstdio>
#include <exception>
#include <string>

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
        for (const Sound& sound : gameSounds()) {
            try {
                if (!writeWav(dir + "/" + sound.file, synth::render(sound.voices, sound.seconds))) {
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
