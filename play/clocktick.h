// The periodic tick of the main loop.
#pragma once

// Runs, in order: the clock second, the demonstration step, the engine's turn and the music
// loop; then processes pending window events and sleeps 1 ms, or, when nothing runs that needs
// the tick, waits up to IdleWaitMs for a window event or engine output.
void ClockTick();
// Seconds since the tick last ran; very large before its first run.
double SecondsSinceLastTick();
// True when no search, analysis, clock, demonstration, voice or music needs the 1 ms tick.
bool LoopIdle();

// Longest a stream of engine lines may hold the tick back.
constexpr double TickIntervalDuringOutput = 0.05;
// Longest idle wait; a window event or engine output ends it at once.
constexpr int IdleWaitMs = 100;
// Lets the window system handle what is pending without sleeping.
void ProcessEvents();

// Whether the voice has finished speaking; the demonstration and the engine's turn wait for it.
bool SpeechIdle();

// The engine's turn: while the engine is idle, starts the search for its move when it plays
// the side to move, or the analysis when the thinking window is open and it plays neither side.
void EngineTurn();
