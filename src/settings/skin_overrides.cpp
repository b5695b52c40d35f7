// STUB: to be completed.
#include "settings/skin_overrides.h"
void ApplySkinOverrides() {}
