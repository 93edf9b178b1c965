// Entry of dwindle_bench: timings by default, or a job named by the first argument.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Modes.h"

namespace {
int usage() {
    std::fprintf(stderr,
                 "usage: dwindle_bench [benchmark flags]\n"
                 "       dwindle_bench instructions play|floor|blits|copy LEVEL tick|plain N\n"
                 "       dwindle_bench play N\n"
                 "       dwindle_bench sound N\n"
                 "       dwindle_bench startup N\n"
                 "       dwindle_bench shot LEVEL FILE.bmp\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        return runTimings(argc, argv);
    }
    const char* job = argv[1];
    if (std::strcmp(job, "instructions") == 0 && argc == 6) {
        return runInstructionJob(argv[2], std::atoi(argv[3]), argv[4], std::atoi(argv[5]));
    }
    if (std::strcmp(job, "play") == 0 && argc == 3) {
        return runPlayJob(std::atoi(argv[2]));
    }
    if (std::strcmp(job, "sound") == 0 && argc == 3) {
        return runSoundJob(std::atoi(argv[2]));
    }
    if (std::strcmp(job, "startup") == 0 && argc == 3) {
        return runStartupJob(std::atoi(argv[2]));
    }
    if (std::strcmp(job, "shot") == 0 && argc == 4) {
        return runShotJob(std::atoi(argv[2]), argv[3]);
    }
    return usage();
}
