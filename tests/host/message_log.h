// Records the messages sent to one window, as a thread hook sees them
// (before any window procedure), for tests of what the host delivers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring wideText;   // WM_SETTEXT text when the sender passed a wide string
    std::string text;        // WM_SETTEXT text when it passed an ANSI one (or an empty one)
};

class MessageLog {
public:
    MessageLog(HWND window, std::vector<UINT> messages);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    const std::vector<LoggedMessage>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HWND window_;
    std::vector<UINT> messages_;
    std::vector<LoggedMessage> entries_;
    HHOOK hook_;
};
