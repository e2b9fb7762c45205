// Test helpers for code that needs a running Qt application and a program folder.
#pragma once

#include <QString>

// Whether the test program opens windows, set by its main: the logic's test programs run on a
// QCoreApplication, so anything there that needs a widget fails at once.
extern const bool TestProgramShowsWindows;

// Creates the one application object of the test program on first use: a QApplication
// (offscreen) for the window tests, a QCoreApplication for the others.
void ensureApplication();
// The built program folder, ending in "/", from the test environment.
QString testProgramFolder();
