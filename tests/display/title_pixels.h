// The title area as it must look, rendered here independently of the
// plug-in, and the comparison of a capture with it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "emulated_host.h"
#include "scratch_plugin.h"

namespace display_test {

constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF black = RGB(0, 0, 0);

struct TitleLook {
    std::string text;                 // the whole display text, separator included
    std::wstring wideText;            // when set, the text as a Unicode player's title (drawn with the wide calls)
    int fontSize = 8;
    int bold = 0;
    std::string face = "MS Sans Serif";
    bool doubled = false;
    int lineHeight = 12;
    int offset = 0;                   // strip column at the view's left edge
    bool wrap = false;                // past the strip's end the view goes on at column 0
    COLORREF textColour = green;
    COLORREF background = black;
    COLORREF shadowColour = black;
    int shadow = 0;
};

// The double-size font of plugin.ini's defaults (14 points, bold).
TitleLook DoubleSizeLook(const std::string& text);

// The width in pixels of `text` in the look's font.
int TextWidth(const TitleLook& look, const std::string& text);
int TextWidth(const TitleLook& look, const std::wstring& text);
// A text exactly `width` pixels wide in the look's font, or "".
std::string TextOfWidth(const TitleLook& look, int width);

// The view (153 or 306 wide, lineHeight high) as the look describes it.
host::Image ExpectedTitle(const TitleLook& look);

// The view's part of the main window in `capture`.
host::Image TitleArea(const host::Image& capture, const TitleLook& look);

// Compares the title area of the main window with the look. On failure both
// pictures are saved as PNG beside the scratch folder, named after `tag`.
::testing::AssertionResult ShowsTitle(const testing_support::PluginRun& run, const TitleLook& look,
                                      const std::string& tag);

// plugin.ini holding only these keys of the plug-in's section.
void WriteSettings(const testing_support::PluginRun& run,
                   const std::vector<std::pair<std::string, std::string>>& keys);

bool SameImage(const host::Image& a, const host::Image& b);

// A smooth title: each channel of each pixel lies between the `background`,
// shadow and `textColours` pictures' (within 2), some edge pixel lies
// strictly between them, and the middle of every stroke (where the
// platform's own anti-aliased drawing covers a pixel and its eight
// neighbours whole) is exactly the
// text colour; `middles` says that the text must have such pixels.
::testing::AssertionResult ShowsSmoothTitle(const testing_support::PluginRun& run, const TitleLook& look,
                                            const host::Image& background, const host::Image& textColours,
                                            bool middles, const std::string& tag);

// Every character of `text` has a glyph in the look's face: without that,
// the plug-in's boxes and the expected boxes would compare equal.
bool FaceHasGlyphs(const TitleLook& look, const std::wstring& text);

}  // namespace display_test
