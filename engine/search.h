// Search commands: the position and "go" lines for the engine whose side is to move, stopping a
// search, and the controls that follow whether an engine is thinking.
#pragma once

#include "engine/uci.h"

// Starts a search of the shown position; the caller sets EngineState first (5 analyse, 6 own
// move, 7 ponder on PonderMove).
void StartSearch();
// Sends "stop" and waits (at most StopTimeoutSeconds) until the engine's answer moved
// EngineState on; an engine that does not answer is treated as idle.
void StopSearch();
// Stops a running search (its answer is dropped) and leaves a loaded engine idle.
void HaltEngine();
// Disables the commands that must not run during a search and enables Stop, or the reverse.
void SetThinkingControls(bool thinking);
// True when the slave engine plays the side to move of the search position.
bool SearchGoesToSlave();

// For every legal move about to be recorded: a pondering engine that guessed it gets
// "ponderhit"; any other running search is stopped and its answer dropped.
void PonderHitOrStop(MoveCode move);

constexpr double StopTimeoutSeconds = 10.0;

// The thinking window's part: append a line, empty the text, close the window.
void AppendThink(const QString& text);
void ClearThink();
void CloseThinkingWindow();

// Empties the status-bar panel "Curr", "Nps", "Pv" or "Msg", or sets its text.
void SetStatusPanel(const char* key, const QString& text);
