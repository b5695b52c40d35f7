// The configuration dialog driven as a user drives it, judged by what it
// shows and by what Apply and OK leave in plugin.ini.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "import_counter.h"
#include "skin_files.h"

namespace {

using namespace ui_test;
using Action = std::function<void(HWND)>;

constexpr char section[] = "[Qelvar Scrivane II]\r\n";

std::string IniWith(const std::string& lines) {
    return section + lines;
}

Action ClickOn(int id) {
    return [id](HWND d) { Click(d, id); };
}
Action ChooseItem(int list, int index) {
    return [=](HWND d) { Choose(d, list, index); };
}
Action SendNotification(int id, int code) {
    return [=](HWND d) { Notify(d, id, code); };
}
Action TypeScrollPixel(const char* text) {
    return [text](HWND d) { SetDlgItemTextA(d, 1024, text); };
}

// A face name longer than a font record holds is shown cut, never overrun.
TEST(ConfigDialog, OpensOnTheStoredSettingsWithApplyDisabled) {
    const std::string longFace = "Face Name Far Longer Than Any Font Record Holds";
    ConfigRun config(IniWith("Enabled=0\r\nTransparent=1\r\nAutoAdjust=1\r\nScrollRate=4\r\nScrollType=1\r\n"
                             "Shadow=3\r\nScrollPixel=7\r\nFontFace=Tahoma\r\nFontSize=12\r\n"
                             "DS_FontFace=" + longFace + "\r\n"));
    const HWND d = config.dialog;
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(Enabled(d, 1018));
    struct Box { int id; bool checked; };
    for (Box b : {Box{1000, false}, Box{1021, true}, Box{1025, true}, Box{1026, false}, Box{1030, true},
                  Box{1043, false}})
        EXPECT_EQ(Checked(d, b.id), b.checked) << b.id;
    EXPECT_EQ(SendDlgItemMessageA(d, 1023, CB_GETCURSEL, 0, 0), 5);   // "Faster"
    EXPECT_EQ(SendDlgItemMessageA(d, 1039, CB_GETCURSEL, 0, 0), 0);   // "Winamp 1.x"
    EXPECT_EQ(SendDlgItemMessageA(d, 1040, CB_GETCURSEL, 0, 0), 3);   // "Hard"
    EXPECT_EQ(SendDlgItemMessageA(d, 1023, CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(Text(d, 1024), "7");
    EXPECT_EQ(Text(d, 1011), "Tahoma 12pt.");
    EXPECT_EQ(Text(d, 1012), longFace.substr(0, 31) + " 14pt.");
    EXPECT_EQ(Text(d, 1042), "MS Sans Serif  8pt.");
}

// A rate the list does not offer shows no selection and survives OK.
TEST(ConfigDialog, UnlistedScrollRateIsKeptByOk) {
    ConfigRun config(IniWith("ScrollRate=10\r\n"));
    ASSERT_NE(config.dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(config.dialog, 1023, CB_GETCURSEL, 0, 0), CB_ERR);
    Click(config.dialog, 1);
    EXPECT_EQ(FindDialog(config.Host(), configMarker), nullptr);
    EXPECT_EQ(config.Ini("ScrollRate"), "10");
}

// Each row acts on the open dialog, then Apply's command is sent whether or
// not the button is enabled, so rejected notifications show that they
// recorded nothing.
TEST(ConfigDialog, EachControlEnablesApplyAndCommitsItsKey) {
    struct Case {
        const char* what;
        Action act;
        bool enablesApply;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"enabled box", ClickOn(1000), true, "Enabled", "0"},
        {"scroll box", ClickOn(1021), true, "Scroll", "0"},
        {"transparent box", ClickOn(1025), true, "Transparent", "1"},
        {"skin colour box", ClickOn(1026), true, "UseSkinColor", "1"},
        {"auto adjust box", ClickOn(1030), true, "AutoAdjust", "1"},
        {"playlist font box", ClickOn(1043), true, "PE_Scrivane", "1"},
        {"smooth edges box", ClickOn(1046), true, "Smooth", "1"},
        {"slowest", ChooseItem(1023, 0), true, "ScrollRate", "24"},
        {"fastest", ChooseItem(1023, 6), true, "ScrollRate", "2"},
        {"back and forth", ChooseItem(1039, 0), true, "ScrollType", "1"},
        {"medium shadow", ChooseItem(1040, 2), true, "Shadow", "2"},
        {"selection change only",
         [](HWND d) {
             SendDlgItemMessageA(d, 1023, CB_SETCURSEL, 3, 0);
             Notify(d, 1023, CBN_SELCHANGE);
         },
         false, "ScrollRate", "2"},
        {"list opened", SendNotification(1040, CBN_DROPDOWN), false, "Shadow", "2"},
        {"typing without focus", TypeScrollPixel("9"), false, "ScrollPixel", "9"},
        {"focus into the step",
         [](HWND d) {
             SetFocus(GetDlgItem(d, 1));
             SetFocus(GetDlgItem(d, 1024));
         },
         true, "ScrollPixel", "9"},
        {"empty step", TypeScrollPixel(""), false, "ScrollPixel", "1"},
        {"step above the limit", TypeScrollPixel("75"), false, "ScrollPixel", "50"},
        {"swatch double click", SendNotification(1033, STN_DBLCLK), false, "TextColor", "00ff00"},
        {"unknown command", SendNotification(1099, BN_CLICKED), false, "Enabled", "0"},
    };
    ConfigRun config;
    const HWND d = config.dialog;
    ASSERT_NE(d, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.act(d);
        EXPECT_EQ(Enabled(d, 1018), c.enablesApply);
        Notify(d, 1018, BN_CLICKED);
        EXPECT_FALSE(Enabled(d, 1018));
        EXPECT_EQ(config.Ini(c.key), c.value);
    }
}

TEST(ConfigDialog, SkinColourBoxDisablesOnlyTheSkinColouredSwatches) {
    for (bool skin : {false, true}) {
        ConfigRun config(IniWith(skin ? "UseSkinColor=1\r\n" : "UseSkinColor=0\r\n"), {}, skin ? "skin" : "own");
        const HWND d = config.dialog;
        ASSERT_NE(d, nullptr);
        for (bool useSkin : {skin, !skin, skin}) {
            for (int id : {1033, 1034, 1037, 1038}) EXPECT_EQ(Enabled(d, id), !useSkin) << id;
            EXPECT_TRUE(Enabled(d, 1041));
            Click(d, 1026);
        }
    }
}

// The font chooser is found and answered by the host's modal handler.
struct FontAnswer {
    const char* face;   // null: cancel
    const char* size;
    bool bold;
};

void AnswerFontChooser(host::EmulatedHost& host, FontAnswer answer, std::string* openedOn = nullptr) {
    host.modalHandler = [=](HWND chooser) {
        char face[64] = "", size[16] = "";
        GetDlgItemTextA(chooser, 1136, face, sizeof face);
        GetDlgItemTextA(chooser, 1138, size, sizeof size);
        if (openedOn) *openedOn = std::string(face) + " " + size;
        if (!answer.face) {
            PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        const struct { int id; const char* text; } choices[] = {{1136, answer.face}, {1138, answer.size}};
        for (const auto& choice : choices) {
            SendDlgItemMessageA(chooser, choice.id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(choice.text));
            Notify(chooser, choice.id, CBN_SELCHANGE);
        }
        const auto styles = SendDlgItemMessageA(chooser, 1137, CB_GETCOUNT, 0, 0);
        SendDlgItemMessageA(chooser, 1137, CB_SETCURSEL, answer.bold ? styles - 1 : 0, 0);
        Notify(chooser, 1137, CBN_SELCHANGE);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    };
}

// A choice is shown at once; a later cancelled chooser puts back the
// pending choice, not the stored font, and leaves Apply as it was.
TEST(ConfigDialog, FontChooserChoiceAndCancel) {
    ConfigRun config;
    const HWND d = config.dialog;
    ASSERT_NE(d, nullptr);
    std::string openedOn;
    AnswerFontChooser(config.Host(), {nullptr, nullptr, false}, &openedOn);
    Click(d, 1044);
    EXPECT_EQ(openedOn, "MS Sans Serif 8");
    EXPECT_EQ(Text(d, 1042), "MS Sans Serif  8pt.");
    EXPECT_FALSE(Enabled(d, 1018));

    AnswerFontChooser(config.Host(), {"Tahoma", "12", true});
    Click(d, 1013);
    EXPECT_EQ(Text(d, 1011), "Tahoma 12pt.");
    EXPECT_TRUE(Enabled(d, 1018));
    Notify(d, 1018, BN_CLICKED);
    AnswerFontChooser(config.Host(), {nullptr, nullptr, false}, &openedOn);
    Click(d, 1013);
    EXPECT_EQ(openedOn, "Tahoma 12");
    EXPECT_EQ(Text(d, 1011), "Tahoma 12pt.");
    EXPECT_FALSE(Enabled(d, 1018));
    Click(d, 1);
    EXPECT_EQ(config.Ini("FontFace"), "Tahoma");
    EXPECT_EQ(config.Ini("FontSize"), "12");
    EXPECT_EQ(config.Ini("FontBold"), "1");
    EXPECT_EQ(config.Ini("PE_FontFace"), "MS Sans Serif");
    EXPECT_EQ(config.Ini("PE_FontSize"), "8");
}

// A skin's [Font] section is that skin's look, never the user's choice: OK
// and Apply commit the fonts stored or picked in the dialog, whatever skin is
// drawn meanwhile, and the title keeps the skin's font after the commit.
TEST(ConfigDialog, ASkinsFontsAreNeverCommittedAsTheUsers) {
    using Step = std::function<void(testing_support::PluginRun&, HWND&)>;
    const Step skinIn = [](testing_support::PluginRun& run, HWND&) {
        run.host->SwitchSkin(run.scratch.Folder() + "\\skins\\font");
    };
    const Step click = [](testing_support::PluginRun&, HWND& d) { Click(d, 1021); };
    const Step apply = [](testing_support::PluginRun&, HWND& d) { Click(d, 1018); };
    const Step reopen = [](testing_support::PluginRun& run, HWND& d) {
        Click(d, 2);
        run.host->SwitchSkin(run.scratch.Folder() + "\\skins\\font");
        run.host->Config();
        d = FindDialog(*run.host, configMarker);
    };
    const Step pickDoubleSize = [](testing_support::PluginRun& run, HWND& d) {
        AnswerFontChooser(*run.host, {"Tahoma", "16", false});
        Click(d, 1014);
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* doubleFace;
        const char* doubleSize;
    };
    const Case cases[] = {
        {"skin in use, apply then ok", {reopen, click, apply}, "Arial", "14"},
        {"skin switched in the open dialog", {skinIn}, "Arial", "14"},
        {"second apply", {skinIn, click, apply, click, apply}, "Arial", "14"},
        {"font picked under the skin", {skinIn, pickDoubleSize, apply}, "Tahoma", "16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::PluginRun run({}, c.name);
        run.scratch.WriteIni(IniWith("Scroll=0\r\nScrollRate=1\r\nFontFace=Arial\r\nFontSize=10\r\n"
                                     "DS_FontFace=Arial\r\nDS_FontSize=14\r\n"));
        host::WriteTextFile(run.scratch.SkinFolder("font") + "\\scrivane.txt",
                            "[Font]\nFontFace=Tahoma\nFontSize=20\nDS_FontFace=Tahoma\nDS_FontSize=30\n");
        const std::string plain = run.scratch.SkinFolder("plain");
        ASSERT_EQ(run.Start(), 0);
        run.host->SetSong("Whose font");
        run.host->SwitchSkin(plain);
        run.host->Config();
        HWND d = FindDialog(*run.host, configMarker);
        ASSERT_NE(d, nullptr);
        for (const Step& step : c.steps) step(run, d);
        ASSERT_NE(d, nullptr);
        Click(d, 1);
        const struct { const char* key; const char* value; } expected[] = {
            {"FontFace", "Arial"}, {"FontSize", "10"}, {"DS_FontFace", c.doubleFace}, {"DS_FontSize", c.doubleSize}};
        for (const auto& e : expected) EXPECT_EQ(run.scratch.IniValue(e.key), e.value) << e.key;
        run.host->Tick(2);
        const host::Image skinLook = run.host->CaptureMain().Crop(112, 24, 153, 12);
        run.host->SwitchSkin(plain);
        run.host->Tick(2);
        const host::Image userLook = run.host->CaptureMain().Crop(112, 24, 153, 12);
        EXPECT_NE(skinLook.pixels, userLook.pixels) << "the title left the skin's font at the commit";
    }
}

COLORREF SwatchColour(HWND dialog, int id) {
    const host::Image picture = host::EmulatedHost::CaptureWindow(GetDlgItem(dialog, id));
    return picture.width > 8 ? picture.At(picture.width / 2, picture.height / 2) : CLR_INVALID;
}

// The chooser opens expanded on the pending colour. Even a cancelled chooser
// counts as a change, but it must not take the colour it was showing.
TEST(ConfigDialog, ColourChooserChoiceAndCancel) {
    ConfigRun config(IniWith("BkColor=102030\r\n"));
    const HWND d = config.dialog;
    ASSERT_NE(d, nullptr);
    config.Host().PumpMessages();
    EXPECT_EQ(SwatchColour(d, 1034), RGB(0x10, 0x20, 0x30));
    struct Case {
        int swatch;
        bool confirm;
        const char* key;
        const char* value;
        COLORREF shown;
    };
    for (const Case& c : {Case{1033, false, "TextColor", "00ff00", RGB(0, 255, 0)},
                          Case{1034, true, "BkColor", "ff8000", RGB(255, 128, 0)}}) {
        SCOPED_TRACE(c.key);
        std::string openedOn;
        config.Host().modalHandler = [&](HWND chooser) {
            for (int id : {706, 707, 708}) openedOn += std::to_string(GetDlgItemInt(chooser, id, nullptr, FALSE)) + " ";
            SetDlgItemTextA(chooser, 706, "255");
            SetDlgItemTextA(chooser, 707, "128");
            SetDlgItemTextA(chooser, 708, "0");
            PostMessageA(chooser, WM_COMMAND, c.confirm ? IDOK : IDCANCEL, 0);
        };
        Notify(d, c.swatch, STN_CLICKED);
        EXPECT_EQ(openedOn, c.swatch == 1033 ? "0 255 0 " : "16 32 48 ");
        EXPECT_TRUE(Enabled(d, 1018));
        config.Host().PumpMessages();
        EXPECT_EQ(SwatchColour(d, c.swatch), c.shown);
        Notify(d, 1018, BN_CLICKED);
        EXPECT_EQ(config.Ini(c.key), c.value);
    }
}

TEST(ConfigDialog, CancelKeepsWhatApplyCommitted) {
    ConfigRun config;
    ASSERT_NE(config.dialog, nullptr);
    Click(config.dialog, 1000);
    Click(config.dialog, 1018);
    Click(config.dialog, 1021);
    Choose(config.dialog, 1040, 1);
    Click(config.dialog, 2);
    EXPECT_EQ(FindDialog(config.Host(), configMarker), nullptr);
    EXPECT_EQ(config.Ini("Enabled"), "0");
    EXPECT_EQ(config.Ini("Scroll"), "1");
    EXPECT_EQ(config.Ini("Shadow"), "0");
    config.Host().Config();
    const HWND reopened = FindDialog(config.Host(), configMarker);
    ASSERT_NE(reopened, nullptr);
    EXPECT_FALSE(Checked(reopened, 1000));
    EXPECT_TRUE(Checked(reopened, 1021));
    EXPECT_EQ(SendDlgItemMessageA(reopened, 1040, CB_GETCURSEL, 0, 0), 0);
    Click(reopened, 1);
    EXPECT_EQ(config.Ini("Scroll"), "1");
    EXPECT_EQ(config.Ini("Shadow"), "0");
}

// Windows Help is not part of current Windows: Help opens the page shipped
// beside the module in the user's browser, in the dialog's language or else
// in English, and asks Windows Help for its finder only when no page is
// there. Quit tells Windows Help to close either way. Both calls are recorded
// at the imports, never made.
TEST(ConfigDialog, HelpOpensThePageBesideTheModule) {
    struct Case {
        const char* what;
        std::vector<int> removed;   // pages by language
        int opened;                 // the page by language, or -1 for the help file
    };
    for (const Case& c : {Case{"all pages", {}, ExpectedLanguage()}, Case{"no Chinese page", {1, 2}, 0},
                          Case{"no page", {0, 1, 2}, -1}}) {
        SCOPED_TRACE(c.what);
        ConfigRun config("", host::ModernPlayer(), std::to_string(c.removed.size()));
        ASSERT_NE(config.dialog, nullptr);
        const testing_support::ScratchPlugin& scratch = config.run.scratch;
        for (int page : c.removed) ASSERT_TRUE(DeleteFileA(scratch.HelpPagePath(page).c_str()));
        host::AttachImportCounter(config.Host().Module());
        Click(config.dialog, 1036);
        config.Host().Quit();
        const std::string helpFile = scratch.Folder() + "\\Scrivane.HLP";
        const std::vector<std::string> expected = {
            c.opened >= 0 ? "ShellExecuteA (null) " + scratch.HelpPagePath(c.opened) : "WinHelpA 11 " + helpFile,   // HELP_FINDER
            "WinHelpA 2 " + helpFile,                                                                              // HELP_QUIT
        };
        EXPECT_EQ(host::OutsideCalls(), expected);
    }
}

TEST(ConfigDialog, HostBefore205OffersNoPlaylistFontButKeepsIt) {
    host::HostOptions old;
    old.version = 0x2004;
    ConfigRun config(IniWith("PE_Scrivane=1\r\n"), old);
    ASSERT_NE(config.dialog, nullptr);
    EXPECT_FALSE(Checked(config.dialog, 1043));
    EXPECT_FALSE(Enabled(config.dialog, 1043));
    EXPECT_FALSE(Enabled(config.dialog, 1044));
    EXPECT_TRUE(Enabled(config.dialog, 1013));
    Click(config.dialog, 1);
    EXPECT_EQ(config.Ini("PE_Scrivane"), "1");
}

}  // namespace
