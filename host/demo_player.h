// The demo player's programme, shared by its scenes and its live mode: the
// playlist, the looks (skin folders with the plug-in's settings for each),
// and the plug-in installed and started in a folder of the run's own.
#pragma once

#include <string>
#include <vector>

#include "demo_skin.h"
#include "emulated_host.h"

namespace demo {

struct Track {
    const char* title;   // bytes in code page 950 where not plain ASCII
    int seconds;
};

// Traditional Chinese titles as Big5 bytes (made once with iconv -t BIG5),
// since the player hands the plug-in its ANSI caption.
inline constexpr Track tracks[] = {
    {"Ostara Vale - Lanterns", 245},
    {"Hollow Pines - Amber", 192},
    {"The Quiet Cartographers - Every Road We Never Took (Slow Night Version)", 431},
    // 許願池的秋天 ("Autumn at the wishing pool"); the first character's second byte is 0x5C, a backslash
    {"\xb3\x5c\xc4\x40\xa6\xc0\xaa\xba\xac\xee\xa4\xd1", 214},
    // 夜雨 - 城市的燈火 ("Night rain - lights of the city")
    {"\xa9\x5d\xab\x42 - \xab\xb0\xa5\xab\xaa\xba\xbf\x4f\xa4\xf5", 263},
    // 青鳥樂團 - 我們在雨中慢慢走回那條熟悉的老街，直到天亮
    // ("Bluebird Band - We walk slowly back through the rain to the old street we know, until dawn")
    {"\xab\x43\xb3\xbe\xbc\xd6\xb9\xce - \xa7\xda\xad\xcc\xa6\x62\xab\x42\xa4\xa4\xba\x43\xba\x43\xa8\xab\xa6\x5e"
     "\xa8\xba\xb1\xf8\xbc\xf4\xb1\x78\xaa\xba\xa6\xd1\xb5\xf3\xa1\x41\xaa\xbd\xa8\xec\xa4\xd1\xab\x47",
     338},
};
constexpr int trackCount = static_cast<int>(sizeof tracks / sizeof tracks[0]);
constexpr int longTrack = 2, chineseTrack = 3, chineseLongTrack = 5;

// Each look is a skin folder: the bitmaps of a palette, and the plug-in's
// settings for that skin in its scrivane.txt.
struct Look {
    const char* folder;
    const host::SkinPalette* palette;
    std::string overrides;
    const char* about;
};

const std::vector<Look>& Looks();

std::string SkinFolder(const std::string& folder, const char* look);   // <folder>\skins\<look>
// Every look under <folder>\skins and the plug-in in <folder>\plugin, with the
// demo's plugin.ini, `moreSettings` after it, and the user's own settings (see
// LayUserSettings) over both: the plug-in's path, or "" (said on the error
// output) on failure.
std::string PrepareRun(const std::string& folder, const std::string& moreSettings = "");
// The plug-in's section of the user's own plugin.ini `file` is laid over the
// demo's settings in every later PrepareRun. The file is only read. False
// (said on the error output) when it holds no such section.
bool LayUserSettings(const std::string& file);
// The playlist and the first skin given to the player, the plug-in loaded and started.
bool StartPlugin(host::EmulatedHost& player, const std::string& dll, const std::string& firstSkin);
// The player moves to `track` in `state`: its length, the playlist's current
// entry, and play or stop sent to it as its buttons send them.
void Play(host::EmulatedHost& player, int track, host::PlayState state = host::PlayState::Playing);

}  // namespace demo
