// plugin.ini through the real DLL: what a first start writes, what survives
// a start and a shut-down, and files that are broken, locked or out of reach.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "dialog_driver.h"
#include "emulated_host.h"
#include "import_counter.h"
#include "ini_text.h"
#include "scratch_plugin.h"
#include "skin_files.h"

using settings_tests::Describe;
using settings_tests::KeyValues;
using settings_tests::SectionLines;
using testing_support::PluginRun;
using testing_support::ScratchPlugin;

namespace {

constexpr char section[] = "Qelvar Scrivane II";
constexpr const char* allKeys[] = {
    "Enabled",     "Scroll",      "ScrollRate",  "ScrollPixel",   "ScrollType", "Transparent", "UseSkinColor",
    "AutoAdjust",  "Shadow",      "FontSize",    "FontBold",      "FontItalic", "FontFace",    "DS_FontSize",
    "DS_FontBold", "DS_FontItalic", "DS_FontFace", "PE_FontSize", "PE_FontBold", "PE_FontItalic",
    "PE_FontFace", "PE_Scrivane", "TextColor",   "BkColor",       "ShadowColor", "Smooth",
};

// Start, a few frames, and shut-down, which writes plugin.ini.
void StartAndQuit(PluginRun& run) {
    ASSERT_EQ(run.Start(), 0);
    run.host->Tick(5);
    run.host->Quit();
}

TEST(SettingsStore, AFirstStartWritesEveryKeyInWriteOrderWithItsDefault) {
    const KeyValues expected = {
        {"Enabled", "1"},     {"Scroll", "1"},          {"ScrollRate", "8"},     {"ScrollPixel", "4"},
        {"ScrollType", "2"},  {"Transparent", "0"},     {"UseSkinColor", "0"},   {"AutoAdjust", "0"},
        {"Shadow", "0"},      {"PE_Scrivane", "0"},     {"FontFace", "MS Sans Serif"},
        {"FontSize", "8"},    {"FontBold", "0"},        {"FontItalic", "0"},
        {"DS_FontFace", "MS Sans Serif"}, {"DS_FontSize", "14"}, {"DS_FontBold", "1"}, {"DS_FontItalic", "0"},
        {"PE_FontFace", "MS Sans Serif"}, {"PE_FontSize", "8"},  {"PE_FontBold", "0"}, {"PE_FontItalic", "0"},
        {"TextColor", "00ff00"}, {"BkColor", "000000"}, {"ShadowColor", "000000"}, {"Smooth", "0"},
    };
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->Tick(5);
    EXPECT_FALSE(run.scratch.IniExists()) << "loading must not create the file";
    run.host->Quit();
    const KeyValues written = SectionLines(run.scratch.ReadIni(), section);
    EXPECT_EQ(written, expected) << "written:\n" << Describe(written);
}

// Every key with a value other than its default, in a scrambled order, among
// other sections and a key this plug-in does not know: all of it survives.
TEST(SettingsStore, EveryKeyAndEveryOtherSectionSurviveAStartAndAShutDown) {
    const KeyValues values = {
        {"ShadowColor", "0a0b0c"}, {"FontFace", "Arial"},     {"Enabled", "0"},      {"ScrollRate", "24"},
        {"Scroll", "0"},           {"ScrollPixel", "100"},    {"ScrollType", "1"},   {"Transparent", "1"},
        {"UseSkinColor", "1"},     {"AutoAdjust", "1"},       {"Shadow", "3"},       {"FontSize", "-7"},
        {"FontBold", "1"},         {"FontItalic", "1"},       {"DS_FontSize", "20"}, {"DS_FontBold", "0"},
        {"DS_FontItalic", "1"},    {"DS_FontFace", "Courier New"}, {"PE_FontSize", "10"},
        {"PE_FontBold", "1"},      {"PE_FontItalic", "1"},    {"PE_FontFace", "Tahoma"}, {"PE_Scrivane", "1"},
        {"TextColor", "ff8000"},   {"BkColor", "123abc"},     {"Smooth", "1"},
    };
    std::string file = "[Before]\r\nalpha = 1\r\nbeta=two words\r\n\r\n[" + std::string(section) + "]\r\n";
    for (const auto& [key, value] : values) file += key + "=" + value + "\r\n";
    file += "Unknown=keep me\r\n[After]\r\ngamma=3\r\nEnabled=9\r\n";
    PluginRun run;
    run.scratch.WriteIni(file);
    StartAndQuit(run);
    for (const auto& [key, value] : values) EXPECT_EQ(run.scratch.IniValue(key), value) << key;
    EXPECT_EQ(run.scratch.IniValue("Unknown"), "keep me");
    EXPECT_EQ(run.scratch.IniValue("alpha", "Before"), "1");
    EXPECT_EQ(run.scratch.IniValue("beta", "Before"), "two words");
    EXPECT_EQ(run.scratch.IniValue("gamma", "After"), "3");
    EXPECT_EQ(run.scratch.IniValue("Enabled", "After"), "9");
    EXPECT_EQ(SectionLines(run.scratch.ReadIni(), "After").size(), 2u);
}

// Colours are read in either case, from their last six characters, and
// written back as six lower-case digits.
TEST(SettingsStore, ColourTextsAreReadLeniently) {
    struct Case {
        const char* text;
        const char* written;
    };
    const std::vector<Case> cases = {
        {"ff8000", "ff8000"}, {"FF8000", "ff8000"},   {"#00FF00", "00ff00"},
        {"FF", "0000ff"},     {"GG00GG", "000000"},   {"", "000000"},
        {"123456789abcdef", "456789"},   // only nine characters are read
        {"  c0c0c0  ", "c0c0c0"},        {"-1", "000001"},
    };
    const char* keys[] = {"TextColor", "BkColor", "ShadowColor"};
    for (size_t first = 0; first < cases.size(); first += 3) {
        PluginRun run({}, std::to_string(first));
        std::string file = "[" + std::string(section) + "]\r\n";
        for (size_t i = 0; i < 3 && first + i < cases.size(); ++i)
            file += std::string(keys[i]) + "=" + cases[first + i].text + "\r\n";
        run.scratch.WriteIni(file);
        StartAndQuit(run);
        for (size_t i = 0; i < 3 && first + i < cases.size(); ++i)
            EXPECT_EQ(run.scratch.IniValue(keys[i]), cases[first + i].written) << cases[first + i].text;
    }
}

// Broken files never crash the host and never cost a setting that could be read.
TEST(SettingsStore, HostileFilesKeepWhatIsReadable) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    const std::string longFace(300, 'F');
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"binary junk", junk},
        {"junk around the section", junk.substr(0, 900) + "\r\n[" + section + "]\r\nScrollType=1\r\nFontSize=12\r\n" +
                                        junk.substr(900)},
        {"bad values",
         std::string("[") + section + "]\r\nEnabled=yes\r\nScroll=\r\nScrollRate=abc\r\n"
         "ScrollPixel=99999999999999999999\r\nShadow=-2147483649\r\nFontItalic=\x01\x02\r\n"
         "FontFace=" + longFace + "\r\nDS_FontFace=\r\nTextColor=" + std::string(400, 'e') +
         "\r\nno equals sign here\r\n[unclosed\r\n=nokey\r\nScrollType=1\r\nFontSize=12\r\n"},
        {"section missing", "[Other]\r\nScrollType=1\r\nFontSize=12\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PluginRun run({}, c.name);
        run.scratch.WriteIni(c.file);
        ASSERT_EQ(run.Start(), 0);
        run.host->Tick(50);
        run.host->RepaintWhole();
        run.host->Tick(5);
        run.host->Quit();
        for (const char* key : allKeys) {
            ASSERT_TRUE(run.scratch.IniHasKey(key)) << key;
            const std::string value = run.scratch.IniValue(key);
            EXPECT_LE(value.size(), std::string(key).find("Face") != std::string::npos ? 31u : 11u) << key;
        }
        if (c.file.find("[" + std::string(section) + "]") != std::string::npos) {
            EXPECT_EQ(run.scratch.IniValue("ScrollType"), "1");
            EXPECT_EQ(run.scratch.IniValue("FontSize"), "12");
        } else {
            EXPECT_EQ(run.scratch.IniValue("ScrollType"), "2");
            EXPECT_EQ(run.scratch.IniValue("FontSize"), "8");
        }
        if (std::string(c.name) == "bad values") {
            EXPECT_EQ(run.scratch.IniValue("FontFace"), longFace.substr(0, 31));
            EXPECT_EQ(run.scratch.IniValue("DS_FontFace"), "");
            EXPECT_EQ(run.scratch.IniValue("TextColor"), "eeeeee");
        }
        if (std::string(c.name) == "section missing") {
            EXPECT_EQ(run.scratch.IniValue("FontSize", "Other"), "12");
        }
    }
}

// A file the user locked stays exactly as it is; the plug-in runs on with
// what it read, and Apply stays on, since the file does not hold what is in force.
TEST(SettingsStore, AReadOnlyFileIsLeftAlone) {
    PluginRun run;
    const std::string file = std::string("[") + section + "]\r\nScrollRate=24\r\nTextColor=ff0000\r\n";
    run.scratch.WriteIni(file);
    SetFileAttributesA(run.scratch.IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(run.Start(), 0);
    run.host->Config();
    run.host->PumpMessages();
    const HWND dialog = ui_test::FindDialog(*run.host, ui_test::configMarker);
    ui_test::Click(dialog, 1021);
    ui_test::Click(dialog, 1018);
    EXPECT_TRUE(ui_test::Enabled(dialog, 1018));
    run.host->Quit();
    SetFileAttributesA(run.scratch.IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(run.scratch.ReadIni(), file);
}

// A plugin.ini that cannot be opened at all (here a folder of that name)
// gives the defaults and a clean run, and stays what it was.
TEST(SettingsStore, AnUnopenableFileGivesDefaultsAndACleanRun) {
    PluginRun run;
    ASSERT_TRUE(host::MakeFolder(run.scratch.IniPath()));
    StartAndQuit(run);
    const DWORD attributes = GetFileAttributesA(run.scratch.IniPath().c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A module whose folder leaves no room for "plugin.ini" in a 260-byte path
// runs on defaults and writes nothing: a cut name would be some other file.
TEST(SettingsStore, AModuleFolderTooLongForTheFileNameWritesNoFile) {
    struct Case {
        size_t folderLength;
        bool written;
    };
    // From 254 on the module path itself no longer fits 260 bytes.
    const Case cases[] = {{240, true}, {248, true}, {249, false}, {253, false}, {254, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folderLength);
        ScratchPlugin scratch(std::to_string(c.folderLength));
        std::string folder = scratch.Folder();
        while (folder.size() < c.folderLength) {
            const size_t room = c.folderLength - folder.size() - 1;
            folder += "\\" + std::string(room > 60 ? 60 : room, 'd');
        }
        ASSERT_EQ(folder.size(), c.folderLength);
        ASSERT_TRUE(host::MakeFolder(folder));
        const std::string dll = folder + "\\q.dll";   // short, so the module path itself fits
        ASSERT_TRUE(CopyFileA(scratch.DllPath().c_str(), dll.c_str(), FALSE));
        {
            host::EmulatedHost emulated;
            if (!emulated.Load(dll)) {
                ASSERT_GT(dll.size(), 259u) << "a module path that fits must load";
                std::printf("module path of %u bytes not loadable here\n", static_cast<unsigned>(dll.size()));
                continue;   // the platform refuses modules beyond its path limit
            }
            ASSERT_EQ(emulated.Init(), 0);
            emulated.Tick(5);
            emulated.Quit();
        }
        const std::vector<std::string> files = FilesIn(folder);
        const std::vector<std::string> expected =
            c.written ? std::vector<std::string>{"plugin.ini", "q.dll"} : std::vector<std::string>{"q.dll"};
        std::vector<std::string> sorted = files;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, expected);
    }
}


// The 5.x player runs "as invoker": a module under Program Files cannot
// write beside itself. Where the player names its settings folder
// (IPC_GETINIDIRECTORY), plugin.ini is in that folder's "Plugins" folder,
// which is made when missing; a name too long for the path or empty leaves
// the file beside the module, never a cut name.
TEST(SettingsStore, TheModernPlayerKeepsTheSettingsInItsOwnFolder) {
    struct Case {
        const char* name;
        size_t folderLength;   // 0: the scratch folder's own length
        const char* suffix;    // added to the name the player gives
        bool named;            // the player names a folder at all
        bool inFolder;         // plugin.ini is written there (else beside the module when not named)
    };
    // 240 + "\Plugins\plugin.ini" is 259 bytes: the longest path there is.
    const Case cases[] = {
        {"folder", 0, "", true, true},   {"backslash", 0, "\\", true, true}, {"empty", 0, "", false, false},
        {"longest", 240, "", true, true}, {"too long", 241, "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PluginRun run(host::ModernPlayer(), c.name);
        std::string folder = run.scratch.PlayerSettingsFolder();
        if (c.folderLength) {
            folder += "\\" + std::string(c.folderLength - folder.size() - 1, 'd');
            ASSERT_TRUE(host::MakeFolder(folder));
        }
        run.host->settingsFolder = c.named ? folder + c.suffix : "";
        StartAndQuit(run);
        const std::string there = folder + "\\Plugins\\plugin.ini";
        EXPECT_EQ(GetFileAttributesA(there.c_str()) != INVALID_FILE_ATTRIBUTES, c.inFolder);
        EXPECT_EQ(run.scratch.IniExists(), !c.inFolder);
        if (c.inFolder) {
            EXPECT_EQ(SectionLines(host::ReadBytes(there), section).size(), 26u);
        }
        if (c.named && !c.inFolder) {
            EXPECT_EQ(GetFileAttributesA((folder + "\\Plugins").c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
}

// Settings an earlier version kept beside the module are read from there
// while the player's folder has none, and saved into that folder; from then
// on that folder's file is the one read, and the old file stays as it was.
TEST(SettingsStore, AnUpgradeCarriesTheOldSettingsIntoThePlayersFolder) {
    ScratchPlugin scratch;
    const std::string folder = scratch.PlayerSettingsFolder();
    const std::string moved = folder + "\\Plugins\\plugin.ini";
    auto oldFile = [](const char* scrollRate) {
        return std::string("[Other]\r\nkey=value\r\n[") + section + "]\r\nScrollRate=" + scrollRate +
               "\r\nTextColor=FF8000\r\nFontFace=Arial\r\n";
    };
    // The second start finds the player's folder filled by the first, and an old file changed since.
    for (const char* oldScrollRate : {"24", "2"}) {
        SCOPED_TRACE(oldScrollRate);
        scratch.WriteIni(oldFile(oldScrollRate));
        {
            host::EmulatedHost player(host::ModernPlayer());
            player.settingsFolder = folder;
            ASSERT_TRUE(player.Load(scratch.DllPath()));
            ASSERT_EQ(player.Init(), 0);
            player.Tick(5);
            player.Quit();
        }
        EXPECT_EQ(scratch.ReadIni(), oldFile(oldScrollRate)) << "the module's folder is left alone";
        EXPECT_EQ(testing_support::IniValueAt(moved, "ScrollRate"), "24");
        EXPECT_EQ(testing_support::IniValueAt(moved, "TextColor"), "ff8000");
        EXPECT_EQ(testing_support::IniValueAt(moved, "FontFace"), "Arial");
        EXPECT_EQ(testing_support::IniValueAt(moved, "key", "Other"), "");
    }
}

// Every file under `folder` with its bytes, and every folder, by name.
std::string TreeOf(const std::string& folder) {
    std::string tree;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return tree;
    do {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..") continue;
        tree += path + (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "\\\n" + TreeOf(path)
                                                                         : "=" + host::ReadBytes(path) + "\n");
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return tree;
}

// Odd answers of the player lose nothing. A settings folder the file cannot
// be made under (too long, relative, a file, parents missing, no right to
// write) leaves the settings beside the module, read and written there at
// Apply, OK and quit, and nothing is made or written under it; forward
// slashes name the folder as backslashes do.
// A player that quits inside one of the plug-in's own requests (the wide
// playlist title, during the skin load of a resize) still gets its settings
// saved, and no drawing object outlives the quit.
TEST(SettingsStore, OddAnswersOfThePlayerLoseNothing) {
    struct Case {
        const char* name;
        std::string (*answer)(const std::string& playerFolder);   // makes what the row names
        bool inPlayerFolder;   // else beside the module
        bool quitInRequest;
    };
    const Case cases[] = {
        {"a file",
         [](const std::string& f) {
             host::WriteTextFile(f + "\\IsAFile", "not a folder");
             return f + "\\IsAFile";
         },
         false, false},
        {"parents missing", [](const std::string& f) { return f + "\\NoSuch\\Deeper\\Winamp"; }, false, false},
        // Running as root, Wine writes into read-only folders; the kernel's
        // own folders refuse everyone (access denied).
        {"refuses writes", [](const std::string&) { return std::string("Z:\\sys\\kernel"); }, false, false},
        {"244-character folder", [](const std::string& f) { return f + "\\" + std::string(243 - f.size(), 'd'); },
         false, false},
        {"516-character answer", [](const std::string&) { return "C:\\" + std::string(513, 'd'); }, false, false},
        {"relative folder", [](const std::string&) { return std::string("AppData\\Rel"); }, false, false},
        {"forward slashes",
         [](const std::string& f) {
             std::string slashed = f;
             std::replace(slashed.begin(), slashed.end(), '\\', '/');
             return slashed + "/";
         },
         true, false},
        {"quit inside request 213", [](const std::string& f) { return f; }, true, true},
    };
    const std::string kept = "[" + std::string(section) + "]\r\nScrollRate=12\r\nFontFace=Arial\r\nPE_Scrivane=1\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PluginRun run(host::ModernPlayer(), c.name);
        host::EmulatedHost& player = *run.host;
        const std::string folder = run.scratch.PlayerSettingsFolder();
        player.settingsFolder = c.answer(folder);
        player.playlist.push_back({"", true});   // 212 and 213 answer NULL
        run.scratch.WriteIni(kept);
        const std::string tree = TreeOf(folder);
        const std::string file = c.inPlayerFolder ? folder + "\\Plugins\\plugin.ini" : run.scratch.IniPath();
        host::AttachImportCounter(player.Module());
        ASSERT_EQ(run.Start(), 0);
        player.Tick(5);
        for (const auto& [box, key, button] : {std::tuple{1021, "Scroll", 1018}, {1025, "Transparent", 1}}) {
            player.Config();
            player.PumpMessages();
            const HWND dialog = ui_test::FindDialog(player, ui_test::configMarker);
            ui_test::Click(dialog, box);
            ui_test::Click(dialog, button);   // Apply, then OK
            EXPECT_EQ(testing_support::IniValueAt(file, key), box == 1021 ? "0" : "1") << key;
        }
        bool quitInside = false;
        if (c.quitInRequest) {
            player.beforeAnswer = [&](LPARAM code) {
                if (code != 213 || quitInside) return;
                quitInside = true;
                player.Quit();
            };
        }
        player.SetMainMode(host::MainMode::DoubleSize);   // 550 x 232: a skin load at the next paint
        player.PumpMessages();
        player.Tick(5);
        EXPECT_EQ(quitInside, c.quitInRequest);
        player.Quit();
        EXPECT_EQ(host::CurrentImportCounts().gdiLive, 0) << "drawing objects alive after quit";
        player.Unload();

        EXPECT_EQ(testing_support::IniValueAt(file, "ScrollRate"), "12");
        EXPECT_EQ(testing_support::IniValueAt(file, "FontFace"), "Arial");
        EXPECT_EQ(SectionLines(host::ReadBytes(file), section).size(), 26u);
        EXPECT_EQ(GetFileAttributesA("AppData"), INVALID_FILE_ATTRIBUTES) << "nothing under the current folder";
        if (!c.inPlayerFolder) {
            EXPECT_EQ(TreeOf(folder), tree) << "made or written under the player's folder";
            EXPECT_EQ(GetFileAttributesA((player.settingsFolder + "\\Plugins").c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
}

}  // namespace
