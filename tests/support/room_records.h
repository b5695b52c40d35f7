// What the white-box tests share to set the rooms' records.
#pragma once

#include "settings/settings.h"
#include "settings/skin_overrides.h"
#include "ui/config_dialog.h"

// The stored, pending and effective settings all become `settings`.
inline void UseSettings(const SettingsSet& settings) {
    SettingsStoreForTest().storedSettings = settings;
    ConfigDialogForTest().pendingSettings = settings;
    SkinOverridesForTest().effectiveSettings = settings;
}
