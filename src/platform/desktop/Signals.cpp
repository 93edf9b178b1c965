// The signals the game takes over while it runs, so that every way of stopping it keeps the
// scores.
#include "platform/Signals.h"

#include <cerrno>
#include <cstddef>
#include <iterator>

namespace {

constexpr int kTakenSignals[] = {SIGHUP, SIGQUIT, SIGPIPE, SIGTERM};
static_assert(std::size(kTakenSignals) == std::tuple_size_v<SignalActions>);
constexpr std::size_t kHangUp = 0, kQuit = 1, kTermination = 3;

void blockTermination(int how) {
    sigset_t termination;
    sigemptyset(&termination);
    sigaddset(&termination, SIGTERM);
    sigprocmask(how, &termination, nullptr);
}

// Passes the signal on as SIGTERM, which SDL turns into a quit request, letting it through
// should it be blocked. Copying SDL's own handler would not do: SDL 2 (under the SDL 1.2
// compatibility library) ignores in it every signal but SIGINT and SIGTERM.
void terminateInOrder(int) {
    const int savedErrno = errno;
    raise(SIGTERM);
    blockTermination(SIG_UNBLOCK);
    errno = savedErrno;
}

bool ignored(const struct sigaction& action) {
    return action.sa_handler == SIG_IGN;
}

}  // namespace

SignalActions takeSignals() {
    SignalActions before{};
    for (std::size_t i = 0; i < before.size(); ++i) {
        sigaction(kTakenSignals[i], nullptr, &before[i]);
    }
    struct sigaction action {};
    if (ignored(before[kTermination])) {
        blockTermination(SIG_BLOCK);
        action.sa_handler = SIG_DFL;  // for SDL to find and take over
        sigaction(SIGTERM, &action, nullptr);
    }
    action.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &action, nullptr);
    action.sa_handler = terminateInOrder;
    action.sa_flags = SA_RESTART;
    for (const std::size_t i : {kHangUp, kQuit}) {
        if (!ignored(before[i])) {
            sigaction(kTakenSignals[i], &action, nullptr);
        }
    }
    return before;
}

void giveBackSignals(const SignalActions& before) {
    // Ignoring SIGTERM again throws away any that waited while it was blocked.
    for (std::size_t i = 0; i < before.size(); ++i) {
        sigaction(kTakenSignals[i], &before[i], nullptr);
    }
    if (ignored(before[kTermination])) {
        blockTermination(SIG_UNBLOCK);
    }
}
