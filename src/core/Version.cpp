#include "core/Version.h"

// QUORIX_VERSION comes from the build (PROJECT_VERSION), for this file only.
const char QuorixVersion[] = QUORIX_VERSION;
