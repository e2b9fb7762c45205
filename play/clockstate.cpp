#include "play/clockstate.h"

ClockStatus Clock;
