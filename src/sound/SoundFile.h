// A sound file read as hostile input: a regular file of bounded size whose header is checked
// before SDL converts it, whole or as it plays.
#pragma once

#include <SDL/SDL_mixer.h>

#include <string>

#include "platform/SoundDecoding.h"

// The sound in the file at path, or null, and silent: for a missing file without a word, for
// anything else with one line on standard error. Only a regular file is opened, and without
// blocking (a FIFO, a device or a folder is no sound); a file over 4 MB is not read. A WAV file's
// header must give PCM of 8 or 16 bits, 1 or 2 channels and 1 to 96000 Hz, with chunks inside the
// file; an .ogg file must begin as an Ogg stream, which the mixer's Vorbis decoder then checks.
Mix_Chunk* loadSoundFile(const std::string& path);
// The music in the file at path, read and checked as a sound is, then opened to be streamed
// from its bytes; stream.music stays null, and silent, as loadSoundFile's chunk does.
void loadMusicFile(const std::string& path, Stream& stream);
