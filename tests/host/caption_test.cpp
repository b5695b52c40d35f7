// The main window's caption as the player writes it: the song with the
// player's tail, in the ANSI or the wide form.
#include <gtest/gtest.h>

#include "emulated_host.h"
#include "message_log.h"

TEST(HostCaption, SongsCarryThePlayersTailForEachState) {
    host::EmulatedHost h;
    const struct {
        host::PlayState state;
        const char* caption;
    } cases[] = {
        {host::PlayState::Playing, "1. Song - Winamp"},
        {host::PlayState::Paused, "1. Song - Winamp [Paused]"},
        {host::PlayState::Stopped, "1. Song - Winamp [Stopped]"},
    };
    MessageLog log(h.Main(), {WM_SETTEXT});
    for (const auto& c : cases) {
        h.SetSong("1. Song", c.state);
        EXPECT_EQ(h.Caption(), c.caption);
        ASSERT_FALSE(log.Entries().empty());
        EXPECT_EQ(log.Entries().back().text, c.caption) << "an ANSI WM_SETTEXT";
    }
    h.SetSong("");
    EXPECT_EQ(h.Caption(), " - Winamp");
}

TEST(HostCaption, HugeCaptionsAreStoredWhole) {
    host::EmulatedHost h;
    const std::string song(70000, 'x');
    h.SetSong(song);
    EXPECT_EQ(h.Caption(), song + " - Winamp");
}

// Under code page 950 a Big5 title survives the wide form unchanged, and
// the message carries wide text, as a player built for Unicode sends it.
TEST(HostCaption, WideCaptionsConvertFromTheAnsiCodePage) {
    host::HostOptions options;
    options.wideCaptions = true;
    host::EmulatedHost h(options);
    MessageLog log(h.Main(), {WM_SETTEXT});
    const std::string big5 = GetACP() == 950 ? "A \xA4\xA4\xA4\xE5\xBA\x71" : "A caf\xE9";   // "A 中文歌" / "A café"
    h.SetSong(big5);
    EXPECT_EQ(h.Caption(), big5 + " - Winamp");
    ASSERT_EQ(log.Entries().size(), 1u);
    EXPECT_TRUE(log.Entries()[0].text.empty());
    wchar_t expected[64] = L"";
    MultiByteToWideChar(CP_ACP, 0, (big5 + " - Winamp").c_str(), -1, expected, 64);
    EXPECT_EQ(log.Entries()[0].wideText, expected);
    h.SetCaptionWide(L"Another");
    EXPECT_EQ(h.Caption(), "Another");
}

// The modern player numbers its captions, uses its language's state words,
// answers WM_GETTEXT from its own buffer and starts with its name and build.
TEST(HostCaption, TheModernPlayersCaptions) {
    host::HostOptions options = host::ModernPlayer();
    options.pausedWord = L"Angehalten";
    host::EmulatedHost h(options);
    EXPECT_TRUE(IsWindowUnicode(h.Main()));
    EXPECT_EQ(h.StoredCaption(), host::modernStartupCaption);
    h.playlistPosition = 2;
    h.SetSongWide(L"\u65e5\u672c", host::PlayState::Paused);
    const std::wstring expected = L"3. \u65e5\u672c - Winamp [Angehalten]";
    EXPECT_EQ(h.StoredCaption(), expected);
    wchar_t text[64] = L"";
    EXPECT_EQ(GetWindowTextW(h.Main(), text, 64), static_cast<int>(expected.size()));
    EXPECT_EQ(std::wstring(text), expected);
    MessageLog log(h.Main(), {WM_SETTEXT});
    h.RepeatCaption();
    ASSERT_EQ(log.Entries().size(), 1u) << "set again, unchanged";
    EXPECT_EQ(log.Entries()[0].wideText, expected);
}
