// The browser sends the game no signals: there is nothing to take over or give back.
#include "platform/Signals.h"

SignalActions takeSignals() {
    return {};
}

void giveBackSignals(const SignalActions&) {}
