// The skin's scrivane.txt laid over the stored settings.
#pragma once

#include "settings/settings.h"

constexpr char overrideFileName[] = "\\scrivane.txt";

// --- State owned by the skin overrides -------------------------------------------
extern SettingsSet effectiveSettings;  // stored settings overlaid by the skin; drawing reads this

// effectiveSettings := storedSettings, until a skin is read.
void UseStoredSettings();
// effectiveSettings := storedSettings overlaid with the current skin's scrivane.txt.
void ReadSkinOverrides();
