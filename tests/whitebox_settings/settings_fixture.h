// Shared helpers of the white-box settings tests: a field-by-field comparison
// of settings records and a fixture that puts the module state back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
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
                  {}, HostContractForTest(), WindowModesForTest()};
        for (int i = 0; i < fontRecordCount; ++i) saved_.fonts.records[i] = *FontRecords()[i];
        saved_.fonts.logPixelsY = FontsForTest().logPixelsY;
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
        for (int i = 0; i < fontRecordCount; ++i) *FontRecords()[i] = saved_.fonts.records[i];
        FontsForTest().logPixelsY = saved_.fonts.logPixelsY;
        HostContractForTest() = saved_.host;
        WindowModesForTest() = saved_.modes;
    }

private:
    // The fonts room's record but its fonts, which the surfaces make and release.
    static constexpr int fontRecordCount = 6;
    static std::array<LOGFONTA*, fontRecordCount> FontRecords() {
        FontsState& f = FontsForTest();
        return {&f.normal.record, &f.doubleSize.record, &f.playlist.record,
                &f.userNormal,    &f.userDoubleSize,    &f.userPlaylist};
    }
    struct Saved {
        SettingsStore stored;
        SettingsSet pending;
        SkinOverrides effective;
        struct {
            LOGFONTA records[fontRecordCount];
            int logPixelsY;
        } fonts;
        HostContract host;
        WindowModes modes;
    } saved_{};
};

}  // namespace settings_tests
