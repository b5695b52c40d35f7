#include "message_log.h"

#include <algorithm>

namespace {
MessageLog* current = nullptr;
}

MessageLog::MessageLog(HWND window, std::vector<UINT> messages)
    : window_(window), messages_(std::move(messages)) {
    current = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

MessageLog::~MessageLog() {
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

LRESULT CALLBACK MessageLog::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (current && code >= 0 && sent->hwnd == current->window_ &&
        std::find(current->messages_.begin(), current->messages_.end(), sent->message) != current->messages_.end()) {
        LoggedMessage entry{sent->message, sent->wParam, sent->lParam, {}, {}};
        // The hook sees WM_SETTEXT's text in the form the sender used; a wide
        // text is told by its first character's zero high byte, so tests of it
        // start their captions with an ASCII character.
        if (sent->message == WM_SETTEXT && sent->lParam) {
            const auto* bytes = reinterpret_cast<const char*>(sent->lParam);
            if (bytes[0] && !bytes[1])
                entry.wideText = reinterpret_cast<const wchar_t*>(sent->lParam);
            else
                entry.text = bytes;
        }
        current->entries_.push_back(entry);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
