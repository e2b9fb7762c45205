// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) end the program through its
// own closing steps rather than the default of dying on the spot.
#pragma once

#include <functional>

// The handler only writes to a pipe; onSignal runs from the event loop that reads it, whichever
// loop runs at the time (the main loop or a modal dialog's).
void InstallQuitSignals(std::function<void()> onSignal);
