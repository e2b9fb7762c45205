// The periodic tick of the main loop.
#pragma once

// Runs the periodic duties, then processes pending window events and sleeps 1 ms.
void ClockTick();
// Lets the window system handle what is pending without sleeping.
void ProcessEvents();
