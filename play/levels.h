// Levels and time controls: what the number Level (setting "Depth", Cfg.Depth) means, its
// display text and the search limits the engine is given for it.
//
// Level -1..-12: named level k = -Level, searched to depth 2k; 1..99: fixed depth in plies;
// 100: infinite (depth 100); 0: time control (Cfg.IncMode, Cfg.InitTime, Cfg.IncMove,
// Cfg.IncTime; the running clocks are in play/clocks.h).
#pragma once

#include "engine/uci.h"

#include <QString>

constexpr int LevelCount = 12;     // named levels
constexpr int LevelInfinite = 100; // the "Infinite" level
constexpr int LevelTimed = 0;      // the time-control level

// Name of named level index 0..11 ("Peabrain" .. "Overwhelming"); named level k is index k-1.
QString LevelName(int index);
// Display text of a level given as decimal text: "" for 0, "Infinite" for 100, the level's name
// for a negative value, otherwise the text followed by " Plies".
QString LevelText(const QString& text);
// The same for a level number.
QString LevelText(int level);

// The limits for the current Level; a timed game takes the running clocks, with the moves left
// of sideToMove (0 White, 1 Black).
GoLimits LevelLimits(int sideToMove);
// The limits text that follows "go" for the current Level (" depth 8", " wtime ... btime ...").
QString SearchLimits(int sideToMove);

// The information text shown when the user picks level option index 10 ("Grandmaster") or
// 11 ("Overwhelming"), or LevelInfinite for "Infinite"; "" for any other choice.
QString LevelWarning(int choice);
// Shows LevelWarning(choice) in an information box when it is not empty.
void WarnAboutLevel(int choice);
