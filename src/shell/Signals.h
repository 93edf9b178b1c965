// The signals the game takes over while it runs, so that every way of stopping it keeps the
// scores.
#pragma once

#include <signal.h>

#include <array>

using SignalActions = std::array<struct sigaction, 3>;

// SIGHUP (the terminal that started the game closed) and SIGQUIT end the game in order, as
// SIGTERM does, so that its scores are kept; SIGQUIT would otherwise end it at once through
// SDL's crash handler. SIGPIPE is ignored. A signal that whoever started the game ignores
// stays ignored. Called once SDL is up; returns what the three did before.
SignalActions takeSignals();
// Gives the three back what they did before: done before SDL shuts down and before the
// hand-over, as an ignored signal would stay ignored in the program started in the game's
// place.
void giveBackSignals(const SignalActions& before);
