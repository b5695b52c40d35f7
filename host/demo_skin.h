// The demo's skins, drawn by code: a player face (main.bmp), an equalizer
// (eqmain.bmp, for the emulated player's own look), a text bitmap
// whose sampled rows make a colour gradient (text.bmp), playlist colours
// (pledit.txt) and, for some looks, the plug-in's per-skin settings
// (scrivane.txt).
#pragma once

#include <windows.h>

#include <string>

#include "image.h"

namespace host {

struct SkinPalette {
    const char* name;          // shown on the face's title bar
    COLORREF bodyTop, bodyBottom;   // the face's vertical gradient
    COLORREF accent;           // edges, knobs, button glyphs
    COLORREF panelTop, panelBottom; // the display panels (clock and title)
    COLORREF label;            // small print on the face
    COLORREF gradient[6];      // text colours, top line to bottom line
    COLORREF textBackground;   // the text bitmap's background colour
    const char* playlistText;  // pledit.txt [Text] Normal, RRGGBB
    const char* playlistBack;  // pledit.txt [Text] NormalBG, RRGGBB
};

extern const SkinPalette duskPalette;   // navy and violet, a sunset text gradient
extern const SkinPalette jadePalette;   // deep green, a mint text gradient

// Writes main.bmp, eqmain.bmp, text.bmp and pledit.txt of `palette` into `folder`, and
// scrivane.txt with `overrides` (INI text) when that is not empty.
bool WriteDemoSkin(const std::string& folder, const SkinPalette& palette, const std::string& overrides = "");

constexpr COLORREF captionBandColour = RGB(0x1C, 0x1C, 0x22);

// A strip of `width` pixels showing the player's `caption` (ANSI bytes), to
// put under a picture so it tells what the plug-in was given.
Image CaptionBand(const std::string& caption, int width);
// The same for a Unicode player's caption, as the window itself stores it.
Image CaptionBand(const std::wstring& caption, int width);

}  // namespace host
