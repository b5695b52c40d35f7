// The skin's scrivane.txt laid over the stored settings, and the rebuild of
// fonts and brushes that follows.
#pragma once

void ApplySkinOverrides();
