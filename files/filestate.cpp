#include "files/filestate.h"

FileState Files;
