#include "shell/appstate.h"

AppState App;
