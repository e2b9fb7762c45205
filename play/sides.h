// Which sides the engine plays.
#pragma once

inline bool EngineWhite = false; // the engine plays White
inline bool EngineBlack = false; // the engine plays Black
// In the "Alternation" role the engine takes White in the next game; flips at each use, not
// stored between runs.
inline bool AlternateWhite = false;
