// Shared helpers of the white-box settings tests: a field-by-field comparison
// of settings records and a fixture that puts the module state back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "display/surfaces.h"
#include "plugin/host_contract.h"
#include "plugin/plugin_entry.h"
#include "plugin/window_modes.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"
#include "ui/config_dialog.h"

namespace settings_tests {

// The names of the keys whose fields differ ("" when the records agree);
// faces compare as strings, since the bytes after the terminator do not count.
inline std::string Differences(const SettingsSet& a, const SettingsSet& b) {
    std::string names;
    for (const SettingKey& key : settingsKeys) {
        const char* fieldA = reinterpret_cast<const char*>(&a) + key.field;
        const char* fieldB = reinterpret_cast<const char*>(&b) + key.field;
        const bool same = key.form == SettingForm::Face
                              ? std::string(fieldA, strnlen(fieldA, faceNameSize)) ==
                                    std::string(fieldB, strnlen(fieldB, faceNameSize))
                              : memcmp(fieldA, fieldB, 4) == 0;
        if (!same) names += std::string(names.empty() ? "" : " ") + key.name;
    }
    return names;
}

// A record in which every field differs from the defaults.
inline SettingsSet UnusualSettings() {
    return SettingsSet{0, 0, 12, 7, 1, 1, 1, 1, 3,
                       10, 1, 1, "Arial",
                       20, 0, 1, "Courier New",
                       9, 1, 1, "Times New Roman",
                       1, RGB(0x12, 0x34, 0x56), RGB(0xab, 0xcd, 0xef), RGB(0xff, 0x80, 0x00)};
}

// Keeps the module state a test touches and puts it back afterwards, so
// tests do not leak into each other.
class SettingsState : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {storedSettings, pendingSettings, effectiveSettings, FontsStateForTest(),
                  {userNormalFont, userDoubleSizeFont, userPlaylistFont},
                  mainWindow, playlistWindow, playlistShaded, pluginHeader.hDllInstance};
        mainWindow = nullptr;
        playlistWindow = nullptr;
        playlistShaded = 0;
        FontsStateForTest().logPixelsY = 96;
        storedSettings = pendingSettings = effectiveSettings = defaultSettings;
    }
    void TearDown() override {
        storedSettings = saved_.stored;
        pendingSettings = saved_.pending;
        effectiveSettings = saved_.effective;
        FontsStateForTest() = saved_.fonts;
        userNormalFont = saved_.user[0];
        userDoubleSizeFont = saved_.user[1];
        userPlaylistFont = saved_.user[2];
        mainWindow = saved_.main;
        playlistWindow = saved_.playlistWindow;
        playlistShaded = saved_.shaded;
        pluginHeader.hDllInstance = saved_.module;
    }

private:
    struct Saved {
        SettingsSet stored, pending, effective;
        FontsState fonts;
        LOGFONTA user[3];
        HWND main, playlistWindow;
        int shaded;
        HINSTANCE module;
    } saved_{};
};

}  // namespace settings_tests
