// The host's answers to WM_USER requests, including the unsafe ones: a
// skin folder longer than the caller's buffer and playlist indexes out of range.
#include <gtest/gtest.h>

#include <cstring>

#include "emulated_host.h"

namespace {

LRESULT Ask(const host::EmulatedHost& h, WPARAM wParam, LPARAM code) {
    return SendMessageA(h.Main(), WM_USER, wParam, code);
}

}  // namespace

TEST(HostRequests, AnswerFromTheHostsFieldsAndAreLogged) {
    host::HostOptions options;
    options.version = 0x2004;
    host::EmulatedHost h(options);
    h.trackLengthSeconds = 61;
    h.playlist = {{"one"}, {"two"}, {"", true}};
    h.playlistPosition = 1;
    const struct {
        WPARAM wParam;
        LPARAM code;
        LRESULT answer;
    } cases[] = {
        {0, 0, 0x2004}, {1, 105, 61}, {0, 105, 0}, {0, 124, 3}, {0, 125, 1},
        {2, 212, 0},         // an entry without a title
        {3, 212, 0},         // one past the end
        {WPARAM(-1), 212, 0},  // an index that reads as negative
        {0, 9999, 0},        // unknown codes answer 0
    };
    h.requestLog.clear();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Ask(h, c.wParam, c.code), c.answer);
    }
    ASSERT_EQ(h.requestLog.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(h.requestLog[i], cases[i].code);

    const auto* first = reinterpret_cast<const char*>(Ask(h, 0, 212));
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "one");
    EXPECT_EQ(reinterpret_cast<const char*>(Ask(h, 0, 212)), first) << "stable until the playlist changes";
    EXPECT_STREQ(reinterpret_cast<const char*>(Ask(h, 1, 212)), "two");
}

TEST(HostRequests, SkinFolderIsCopiedWithinTheCallersBuffer) {
    host::EmulatedHost h;
    const struct {
        size_t length;
        size_t expected;
    } cases[] = {{0, 0}, {20, 20}, {259, 259}, {260, 259}, {1000, 259}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        h.skinFolder = "C:\\" + std::string(c.length > 3 ? c.length - 3 : 0, 's');
        h.skinFolder.resize(c.length);
        char buffer[400];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(Ask(h, reinterpret_cast<WPARAM>(buffer), 201), reinterpret_cast<LRESULT>(buffer));
        EXPECT_EQ(std::strlen(buffer), c.expected);
        EXPECT_EQ(std::string(buffer, c.expected), h.skinFolder.substr(0, c.expected));
        for (size_t i = 260; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], '#') << "wrote past 260 bytes at " << i;
    }
    EXPECT_EQ(Ask(h, 0, 201), 0) << "a null buffer is left alone";
}

// The modern player answers 1 to what it does not know, and both playlist
// title requests write into one buffer that the next request overwrites.
TEST(HostRequests, TheModernPlayerAnswersWideTitlesFromOneBuffer) {
    host::EmulatedHost h(host::ModernPlayer());
    h.playlist = {{"one"}, {"", false, L"\u4e8c"}};
    EXPECT_EQ(Ask(h, 0, 0), 0x5092);
    EXPECT_EQ(Ask(h, 0, 9999), 1);
    EXPECT_EQ(Ask(h, 5, 213), 0) << "out of range";
    const auto* wide = reinterpret_cast<const wchar_t*>(Ask(h, 1, 213));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::wstring(wide), L"\u4e8c");
    const auto* ansi = reinterpret_cast<const char*>(Ask(h, 0, 212));
    EXPECT_EQ(static_cast<const void*>(ansi), static_cast<const void*>(wide)) << "one buffer for both";
    EXPECT_STREQ(ansi, "one");
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(Ask(h, 0, 213))), L"one");
}
