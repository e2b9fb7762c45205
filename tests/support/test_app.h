// Test helpers for code that needs a running Qt application and a program folder.
#pragma once

#include <QString>

// Creates the one QApplication of the test program on first use (offscreen in tests).
void ensureApplication();
// The built program folder, ending in "/", from the test environment.
QString testProgramFolder();
