// Opening table internals shared by the library and the build tool that writes ECO.TXT.
#pragma once

#include <string>

#include "kessrin.h"

// Table key of a position: the four-field FEN with the en-passant field kept only when an
// en-passant capture is legal, so that move orders reaching the same position share one key.
std::string EcoPositionKey(const RulesBoard& board);
