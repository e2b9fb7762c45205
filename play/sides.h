// Which sides the engine plays.
#pragma once

inline bool EngineWhite = false; // the engine plays White
inline bool EngineBlack = false; // the engine plays Black
