// Shared helpers of the white-box settings tests: a field-by-field comparison
// of settings records and a fixture that puts the module state back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "surfaces/surfaces.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "room_records.h"

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
                       1, RGB(0x12, 0x34, 0x56), RGB(0xab, 0xcd, 0xef), RGB(0xff, 0x80, 0x00), 1};
}

// Keeps the module state a test touches and puts it back afterwards, so
// tests do not leak into each other.
class SettingsState : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {SettingsStoreForTest(), ConfigDialogForTest().pendingSettings, SkinOverridesForTest(),
                  FontsForTest(), HostContractForTest(), WindowModesForTest()};
        HostContractForTest().mainWindow = nullptr;
        HostContractForTest().playlistWindow = nullptr;
        WindowModesForTest().playlistShaded = 0;
        FontsForTest().logPixelsY = 96;
        UseSettings(defaultSettings);
    }
    void TearDown() override {
        SettingsStoreForTest() = saved_.stored;
        ConfigDialogForTest().pendingSettings = saved_.pending;
        SkinOverridesForTest() = saved_.effective;
        FontsForTest() = saved_.fonts;
        HostContractForTest() = saved_.host;
        WindowModesForTest() = saved_.modes;
    }

private:
    struct Saved {
        SettingsStore stored;
        SettingsSet pending;
        SkinOverrides effective;
        FontsState fonts;
        HostContract host;
        WindowModes modes;
    } saved_{};
};

}  // namespace settings_tests
