// The main window's commands and controls connected to the logic's handlers, and the program
// from start-up to shut-down.
#pragma once

#include <QStringList>

class frmMain;

// Save, Save As and View Text, enabled; Save follows Modified.
void ConnectSaveCommands(frmMain& form);
// Load Engine, Stop / Move Now and About UCI Engine.
void ConnectEngineCommands(frmMain& form);
// New game, the demonstration, the handicaps and the engine's sides.
void ConnectGameCommands(frmMain& form);
void ConnectSideCommands(frmMain& form);
// Every menu command, toolbar button and control of the main window.
void ConnectAllCommands(frmMain& form);

// Everything from start-up to shut-down; returns the process exit status.
int RunProgram(const QStringList& arguments);
