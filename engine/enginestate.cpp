#include "engine/enginestate.h"

EngineStatus Engine;
