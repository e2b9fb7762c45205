// The engine commands of the main window: which stay enabled with or without an engine, and the
// handlers of Load Engine, Stop / Move Now and About UCI Engine.
#pragma once

#include <QString>

// Enables the engine commands when loaded, resets the engine's sides and pondering, closes the
// thinking window and, without an engine, stops the clocks.
void UpdateEngineControls(bool loaded);
// The open-file dialog for an engine executable; "" when cancelled.
QString ChooseEngineFile(const QString& title);
// The file dialog, then the check that the chosen file is a program; "" when cancelled or not
// an engine file (the user is told).
QString ChooseEngineProgram(const QString& title);

// "Load &Engine...": a chosen engine file becomes the main engine.
void mnEngineLoad_Click();
// "S&top / Move Now": ends the running search (its best move counts).
void mnEngineStop_Click();
// "About UCI &Engine".
void mnHelpEngine_Click();
