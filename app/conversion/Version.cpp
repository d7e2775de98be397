#include "app/conversion/Version.h"

const char* const kProgramVersion = OBRAZOR_VERSION;
