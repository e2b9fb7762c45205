// Running state of the clocks and of the demonstration replay, both advanced by the main loop's
// tick.
#pragma once

struct ClockStatus {
    bool ClockRunning = false; // the clock of the side to move counts down
    bool DemoRunning = false;  // the demonstration replay steps through the game

    void reset() { *this = ClockStatus{}; }
};

extern ClockStatus Clock;
