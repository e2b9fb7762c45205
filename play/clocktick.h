// The periodic tick of the main loop.
#pragma once

// Runs, in order: the clock second, the demonstration step, the engine's turn and the music
// loop; then processes pending window events and sleeps 1 ms.
void ClockTick();
// Lets the window system handle what is pending without sleeping.
void ProcessEvents();

// Whether the voice has finished speaking; the demonstration and the engine's turn wait for it.
bool SpeechIdle();

// The engine's turn: while the engine is idle, starts the search for its move when it plays
// the side to move, or the analysis when the thinking window is open and it plays neither side.
void EngineTurn();
