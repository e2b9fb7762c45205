// Analysis: the thinking window's command and closing steps, and the analysis of the shown
// position in a second copy of the program.
#pragma once

#include <QString>

// "Show &Analysis": closes the thinking window when it is open, else opens it; with the engine
// playing no side the next tick starts "go infinite" on the shown position.
void mnEngineAnalyze_Click();
// The thinking window's closing steps: an analysis ends (a search for the engine's own side goes
// on), ThinkShown is cleared and the command unticked. Does nothing when the window is closed.
void ThinkWindowUnloaded();
// "&Analyze in New Window": starts another veldran with "/S" and the shown position.
void mnPosAnalyze_Click();
