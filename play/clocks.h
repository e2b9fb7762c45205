// Game clocks: reset, start and stop under the current time control, the charge after each
// move, the one-second countdown with the flag fall, and the clock labels of the main window.
#pragma once

#include <QString>

// Seconds (0 or more) as hh:mm:ss; 3725 gives "01:02:05".
QString FormatClock(int seconds);

// Refreshes one side's clock labels: side 0 White, 1 Black, -1 the side to move in the live game
// (EndSide). White's clock is in the lower set unless the board is flipped.
void ShowClock(int side);

// Step of a game reset: full time and a fresh period for both, no elapsed time, flags up,
// clocks stopped and the Level command released; both clocks are shown.
void ResetClocks();

// Restarts both clocks from the full time under the current time control and shows them; they
// run only when Level is 0 and the computer plays a side. Elapsed times are kept.
void ApplyLevel();

// Step of recording a move, run for the mover (EndSide before it changes): the increment, or
// the count towards the next period, then the mover's clock is shown.
void ChargeMove();

// Stops the clocks of a timed game and releases the Level command's tick and toolbar button.
void StopClocks();

// Ticks or releases the Level command (menu tick and pressed toolbar button together).
void SetLevelCommandTicked(bool ticked);
// The Level command: stops running clocks, otherwise opens the level dialog.
void mnEngineLevel_Click();

// The clock part of the main loop's tick: counts at most one second for the side to move and
// lets its flag fall when its time is used up (once, with a message and the result).
void ClockSecond();
