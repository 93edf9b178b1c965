// The signals the game takes over while it runs, so that every way of stopping it keeps the
// scores.
#include "shell/Signals.h"

#include <cerrno>
#include <cstddef>
#include <iterator>

namespace {

constexpr int kTakenSignals[] = {SIGHUP, SIGQUIT, SIGPIPE};
static_assert(std::size(kTakenSignals) == std::tuple_size_v<SignalActions>);

// Passes the signal on as SIGTERM, which SDL turns into a quit request. Copying SDL's own
// handler would not do: SDL 2 (under the SDL 1.2 compatibility library) ignores in it every
// signal but SIGINT and SIGTERM.
void terminateInOrder(int) {
    const int savedErrno = errno;
    raise(SIGTERM);
    errno = savedErrno;
}

}  // namespace

SignalActions takeSignals() {
    struct sigaction sdl {};
    sigaction(SIGTERM, nullptr, &sdl);
    const bool sdlHandles = sdl.sa_handler != SIG_DFL && sdl.sa_handler != SIG_IGN;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction forward {};
    forward.sa_handler = terminateInOrder;
    forward.sa_flags = SA_RESTART;
    SignalActions before{};
    for (std::size_t i = 0; i < before.size(); ++i) {
        sigaction(kTakenSignals[i], nullptr, &before[i]);
        if (kTakenSignals[i] == SIGPIPE) {
            sigaction(SIGPIPE, &ignore, nullptr);
        } else if (sdlHandles && before[i].sa_handler != SIG_IGN) {
            sigaction(kTakenSignals[i], &forward, nullptr);
        }
    }
    return before;
}

void giveBackSignals(const SignalActions& before) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        sigaction(kTakenSignals[i], &before[i], nullptr);
    }
}
