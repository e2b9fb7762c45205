// State of the game files kept between operations.
#pragma once

struct FileState {
    // The automatic copy is neither rewritten nor replaced this run: a damaged copy could not be
    // kept aside, or rewriting it failed once (the user was told then, not at every move).
    bool AutosaveHeld = false;

    void reset() { *this = FileState{}; }
};

extern FileState Files;
