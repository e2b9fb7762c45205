// Engine output: one line per poll from the engine whose output matters, the search progress in
// the status bar and thinking window, the engine's moves, resignations and draw decisions, and
// engines that die.
#pragma once

#include "kessrin/encoding.h"

#include <QString>

// Reads and handles one engine line; true when a line was handled (poll again at once), false
// when no engine is loaded, no line was waiting or the engine died.
bool PollEngine();
// The descriptor PollEngine reads next, for waiting on output; -1 when none.
int PolledEngineDescriptor();
// Shows one "info " line: current move, speed, depth and score, variation, message.
void ParseInfo(const QString& line);
// After the opponent's move was recorded while a ponder result is stored (EngineState 3): plays
// the stored answer when the move was the expected one, else drops it. Does nothing otherwise.
void PlayStoredPonderResult(MoveCode opponentMove);

// Pause before the engine's move is shown when moves are animated.
constexpr int EngineMovePauseMs = 400;
// Scores at or below this are mate scores, which never make the engine resign.
constexpr int MateScoreBound = -5000;
// Reversible plies needed before the engine offers or accepts a draw.
constexpr int DrawPliesNeeded = 16;
