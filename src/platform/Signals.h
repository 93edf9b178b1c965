// The signals the game takes over while it runs, so that every way of stopping it keeps the
// scores.
#pragma once

#include <signal.h>

#include <array>

using SignalActions = std::array<struct sigaction, 4>;

// SIGHUP (the terminal that started the game closed) and SIGQUIT end the game in order, as
// SIGTERM does, so that its scores are kept; SIGQUIT would otherwise end it at once through
// SDL's crash handler. SIGPIPE is ignored. A signal that whoever started the game ignores
// stays ignored; SIGTERM among them is blocked instead, so that SDL takes it over all the same
// and SIGHUP and SIGQUIT can still pass through it. Called before SDL starts; returns what the
// four did before.
SignalActions takeSignals();
// Gives the four back what they did before: done before SDL shuts down and before the
// hand-over, as an ignored signal would stay ignored in the program started in the game's
// place.
void giveBackSignals(const SignalActions& before);
