// The skin's scrivane.txt laid over the stored settings, and the rebuild of
// fonts and brushes that follows.
#pragma once

constexpr char overrideFileName[] = "\\scrivane.txt";

// effectiveSettings := storedSettings overlaid with the current skin's
// scrivane.txt; then the font records, fonts and colour brushes are made
// again from it, and the playlist line and the title strip are redrawn.
void ApplySkinOverrides();
