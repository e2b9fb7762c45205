// Start-up, the main loop and shut-down of veldran.
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks the program to start with.
struct CommandLineRequest {
    enum class Kind { Empty, Fen, PositionFile, GameFile };
    Kind kind = Kind::Empty;
    QString text; // the FEN, or the path, without surrounding quotes
};

// The command line as one text: the arguments joined by single spaces.
QString JoinArguments(const QStringList& arguments);
// "/S fen", "-s fen", "/F file", "-F file"; a path ending in ".fen" is a position file too;
// anything else non-empty is a PGN path.
CommandLineRequest ParseCommandLine(const QString& commandLine);

// True when another copy of the program already runs. The first copy holds a lock until it ends.
bool DetectSecondInstance();

// Starts the game the command line asks for: the position of "/S" or of the "/F" file's first
// line, the first game of a PGN file, or with an empty line and "AutoSave" on the automatic copy.
void StartFromCommandLine(const CommandLineRequest& request);

// One pass of the polling loop: an engine line if one waits, otherwise the periodic tick; the tick
// also runs after a line once TickIntervalDuringOutput has passed since it last ran.
void MainLoopPass();
// The passes, until Running is false.
void MainLoop();
// The last steps once the main window has closed: clocks stopped, settings saved, sound and
// music stopped, the opening table released.
void FinishProgram();
