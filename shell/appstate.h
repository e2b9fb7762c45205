// Process-wide state of the application shell.
#pragma once

#include <QString>

struct AppState {
    bool Running = false;        // the main loop runs; cleared when the main window unloads
    QString ProgramFolder;       // folder of the running executable, ending in "/"
    bool SecondInstance = false; // another copy was already running at start
    int CpuCount = 1;
};

extern AppState App;
