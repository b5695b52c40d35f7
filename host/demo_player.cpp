// The demo player's playlist, looks and plug-in set-up.
#include "demo_player.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "plugin_folder.h"
#include "skin_files.h"

namespace demo {

namespace {

// Settings beside the DLL: smooth scrolling (2 px every 2 ticks of 25 ms), the
// playlist line on, ice-blue text on the panel's night blue, and the line as
// tall as the font, so descenders (g, p, y) are not cut at the fixed 12 pixels.
constexpr char pluginIni[] =
    "[Qelvar Scrivane II]\r\n"
    "ScrollRate=2\r\nScrollPixel=2\r\nPE_Scrivane=1\r\nAutoAdjust=1\r\n"
    "TextColor=a8e6ff\r\nBkColor=0a0c1c\r\nShadowColor=000000\r\n";
constexpr char chineseFonts[] =
    "[Option]\r\nAutoAdjust=1\r\nTextColor=c8fae6\r\nBkColor=04100d\r\n"
    "[Font]\r\nFontFace=AR PL UMing TW\r\nFontSize=9\r\n"
    "DS_FontFace=AR PL UMing TW\r\nDS_FontSize=18\r\nDS_FontBold=0\r\n"
    "PE_FontFace=AR PL UMing TW\r\nPE_FontSize=8\r\n";
// An italic TrueType face at both sizes, where one-bit edges show their steps.
constexpr char italicOptions[] =
    "[Option]\r\nAutoAdjust=1\r\nShadow=1\r\nTextColor=ffe08a\r\nBkColor=3a3e78\r\nShadowColor=0a0a18\r\n";
constexpr char italicFonts[] =
    "[Font]\r\nFontFace=DejaVu Sans\r\nFontSize=9\r\nFontItalic=1\r\n"
    "DS_FontFace=DejaVu Sans\r\nDS_FontSize=18\r\nDS_FontItalic=1\r\n";

constexpr char section[] = "Qelvar Scrivane II";

// The user's own plugin.ini, read once the demo is asked to lay it over its own.
struct UserSettings {
    std::string file;
    std::vector<std::pair<std::string, std::string>> keys;
};
UserSettings userSettings;

}  // namespace

bool LayUserSettings(const std::string& file) {
    std::vector<char> text(32768);
    const DWORD length =
        GetPrivateProfileSectionA(section, text.data(), static_cast<DWORD>(text.size()), file.c_str());
    userSettings = UserSettings{file, {}};
    for (const char* line = text.data(); line < text.data() + length && *line; line += std::strlen(line) + 1) {
        const char* equals = std::strchr(line, '=');
        if (equals) userSettings.keys.emplace_back(std::string(line, equals), std::string(equals + 1));
    }
    if (userSettings.keys.empty()) std::fprintf(stderr, "%s has no [%s] keys to lay over the demo's\n", file.c_str(), section);
    return !userSettings.keys.empty();
}

const std::vector<Look>& Looks() {
    static const std::vector<Look> looks = {
        {"dusk", &host::duskPalette, "", "Dusk, settings from plugin.ini"},
        {"dusk-shadow", &host::duskPalette,
         "[Option]\r\nShadow=2\r\nAutoAdjust=1\r\nTextColor=ffe08a\r\nBkColor=3a3e78\r\nShadowColor=0a0a18\r\n"
         "[Font]\r\nFontBold=1\r\n",
         "Dusk, bold amber text with a 2-pixel shadow"},
        {"dusk-skin-colours", &host::duskPalette, "[Option]\r\nUseSkinColor=1\r\n",
         "Dusk, text coloured by the skin's text.bmp gradient"},
        {"dusk-transparent", &host::duskPalette,
         "[Option]\r\nTransparent=1\r\nUseSkinColor=1\r\nShadow=1\r\nAutoAdjust=1\r\n",
         "Dusk, transparent over the skin's title panel"},
        {"dusk-western", &host::duskPalette, "[Font]\r\nFontFace=DejaVu Sans\r\nFontSize=9\r\n",
         "Dusk, DejaVu Sans for Cyrillic and Greek titles"},
        {"jade-chinese", &host::jadePalette, chineseFonts, "Jade, AR PL UMing TW fonts for Big5 titles"},
        {"jade-back-and-forth", &host::jadePalette, std::string(chineseFonts) + "[Plugin]\r\nScrollType=1\r\n",
         "Jade, Chinese fonts, back-and-forth scrolling"},
        {"dusk-italic", &host::duskPalette, std::string(italicOptions) + italicFonts, "Dusk, DejaVu Sans italic with a shadow, one-bit edges"},
        {"dusk-italic-smooth", &host::duskPalette, std::string(italicOptions) + "Smooth=1\r\n" + italicFonts,
         "Dusk, the same with smooth edges"},
        {"dusk-smooth", &host::duskPalette, "[Option]\r\nSmooth=1\r\n", "Dusk, smooth edges"},
    };
    return looks;
}

std::string SkinFolder(const std::string& folder, const char* look) {
    return folder + "\\skins\\" + look;
}

std::string PrepareRun(const std::string& folder, const std::string& moreSettings) {
    bool skins = host::MakeFolder(folder);
    for (const Look& look : Looks())
        skins = skins && host::WriteDemoSkin(SkinFolder(folder, look.folder), *look.palette, look.overrides);
    if (!skins) {
        std::fprintf(stderr, "cannot write the skins into %s\\skins\n", folder.c_str());
        return "";
    }
    // A private copy with its own plugin.ini, so nothing lands beside the build.
    const std::string dll = host::PreparePluginFolder(folder + "\\plugin", std::string(pluginIni) + moreSettings);
    if (dll.empty()) {
        std::fprintf(stderr, "cannot install gen_qlv.dll into %s\\plugin\n", folder.c_str());
        return "";
    }
    // Read before this write, so the user's file may even be this very one.
    const std::string ini = folder + "\\plugin\\plugin.ini";
    for (const auto& [key, value] : userSettings.keys)
        WritePrivateProfileStringA(section, key.c_str(), value.c_str(), ini.c_str());
    if (!userSettings.keys.empty())
        std::printf("settings: the demo's plugin.ini with %u keys of %s laid over it\n",
                    static_cast<unsigned>(userSettings.keys.size()), userSettings.file.c_str());
    return dll;
}

bool StartPlugin(host::EmulatedHost& player, const std::string& dll, const std::string& firstSkin) {
    for (const Track& track : tracks) player.playlist.push_back({track.title});
    player.skinFolder = firstSkin;
    if (!player.Load(dll)) {
        std::fprintf(stderr, "cannot load %s\n", dll.c_str());
        return false;
    }
    const int refused = player.Init();
    if (refused) std::fprintf(stderr, "the plug-in refused the host (init returned %d)\n", refused);
    return refused == 0;
}

// Play and stop as the player's buttons do them; a pause changes the caption alone.
void Play(host::EmulatedHost& player, int track, host::PlayState state) {
    player.playlistPosition = track;
    player.trackLengthSeconds = tracks[track].seconds;
    if (state == host::PlayState::Paused)
        player.SetSong(tracks[track].title, state);
    else
        player.SendCommand(state == host::PlayState::Playing ? host::playCommand : host::stopCommand);
    InvalidateRect(player.Playlist(), nullptr, FALSE);   // the current entry moves
}

}  // namespace demo
