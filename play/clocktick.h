// The periodic tick of the main loop.
#pragma once

#include <functional>

// Runs, in order: the clock second, the demonstration step, the engine's turn and the music
// loop; then processes pending window events and sleeps 1 ms.
void ClockTick();
// Lets the window system handle what is pending without sleeping.
void ProcessEvents();

// The demonstration replay's step, run by every tick (it checks DemoRunning itself). The game
// controller installs it; until then the tick has no demonstration step.
void setDemoStep(std::function<void()> step);

// Whether the voice has finished speaking; the spoken-move part installs its test. Until then
// the voice is always idle.
void setSpeechIdleSource(std::function<bool()> source);
bool SpeechIdle();

// The engine's turn: while the engine is idle, starts the search for its move when it plays
// the side to move, or the analysis when the thinking window is open and it plays neither side.
void EngineTurn();
