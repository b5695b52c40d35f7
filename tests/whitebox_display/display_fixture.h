// A stand-in main window and fresh surfaces for calling the title display's
// operations directly.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "surfaces/surfaces.h"
#include "room_records.h"

namespace display_test {

// The settings every test starts from: plugin.ini's defaults.
SettingsSet DefaultSettings();

// Answers IPC_GETOUTPUTTIME with `trackSeconds`, like the player.
extern int trackSeconds;

// The mask or colour pixel at (x, y) of a surface.
COLORREF PixelAt(const Surface& surface, int x, int y);
bool MaskBit(const Surface& surface, int x, int y);

// Clears the rendered strip and draws one-pixel-wide white columns, so a
// test can tell from viewMask which strip columns a frame shows.
void MarkStripColumns(const std::vector<int>& columns);
// Columns of the top row of viewMask that are set, left to right, within `width`.
std::vector<int> SetColumns(int width);

bool IsCodePage950();

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Makes the surfaces again from `settings` (colours and fonts are taken at creation).
    void Recreate(const SettingsSet& settings);
    // Puts `caption` into the title text and runs RefreshTitle.
    void ShowCaption(const std::string& caption);
    HWND window_ = nullptr;
};

}  // namespace display_test
