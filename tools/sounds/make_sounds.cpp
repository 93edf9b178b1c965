// soundmaker OUTDIR: writes every sound that src/sound/SoundList.h lists into OUTDIR, from the
// recipe of that name, as a WAV file or, for a .ogg name, as Ogg Vorbis: the same bytes on
// every run.
#include <cstdio>
#include <exception>
#include <map>
#include <string>
#include <utility>

#include "Music.h"
#include "Ogg.h"
#include "Sounds.h"
#include "Synth.h"
#include "Wav.h"

namespace {
const char* const kListed[] = {
#define EFFECT(name, file) file,
#define MUSIC(name, file) file,
#include "sound/SoundList.h"
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int failures = 0;
    try {
        std::map<std::string, Recipe> recipes;
        for (Recipe& recipe : soundRecipes()) {
            recipes.emplace(recipe.file, std::move(recipe));
        }
        for (Recipe& recipe : gameMusic()) {
            recipes.emplace(recipe.file, std::move(recipe));
        }
        for (const std::string file : kListed) {
            const auto recipe = recipes.find(file);
            if (recipe == recipes.end()) {
                std::fprintf(stderr, "soundmaker: %s: listed, but no recipe makes it\n",
                             file.c_str());
                ++failures;
                continue;
            }
            try {
                const std::string path = dir + "/" + file;
                const auto samples = synth::render(recipe->second.voices, recipe->second.seconds);
                const bool ogg = file.size() > 4 && file.compare(file.size() - 4, 4, ".ogg") == 0;
                if (!(ogg ? writeOgg(path, samples) : writeWav(path, samples))) {
                    std::fprintf(stderr, "soundmaker: %s: cannot write\n", file.c_str());
                    ++failures;
                }
            } catch (const std::exception& e) {
                // A mix that would clip, or a voice that would click, names its sound here.
                std::fprintf(stderr, "soundmaker: %s: %s\n", file.c_str(), e.what());
                ++failures;
            }
            recipes.erase(recipe);
        }
        // A recipe the game would never load: a file name mistyped here or in the list.
        for (const auto& unlisted : recipes) {
            std::fprintf(stderr, "soundmaker: %s: a recipe for a sound not listed\n",
                         unlisted.first.c_str());
            ++failures;
        }
    } catch (const std::exception& e) {  // a note's name mistyped
        std::fprintf(stderr, "soundmaker: %s\n", e.what());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
