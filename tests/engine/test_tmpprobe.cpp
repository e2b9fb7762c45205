#include "engine_session.h"
TEST_F(EngineSession, ProbeNothing) {}
