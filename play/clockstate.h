// Clock state of a timed game and the running flags the main loop's tick looks at. Index 0 is
// White, 1 Black.
#pragma once

#include <array>

// The largest time a clock can show or count: 08:00:00.
constexpr int MaxClockSeconds = 28800;
// The time of day starts again from 0 after this many seconds.
constexpr double SecondsPerDay = 86400.0;

struct ClockStatus {
    bool ClockRunning = false; // the clock of the side to move counts down
    bool DemoRunning = false;  // the demonstration replay steps through the game

    std::array<int, 2> TimeLeft{};    // seconds; 0 once the side's flag has fallen
    std::array<int, 2> TimeElapsed{}; // seconds the side's clock has run, capped
    std::array<int, 2> MovesLeft{};   // moves to make in the current period ("Make")
    std::array<bool, 2> FlagFallen{}; // the side ran out of time; its clock stays still

    double LastTickTime = -1; // time of day the main loop's tick last ran; -1 not yet

    void reset() { *this = ClockStatus{}; }
};

extern ClockStatus Clock;
