// The second player's thread, windows and procedure.
#include "second_player.h"

#include "emulated_host.h"

namespace host {

namespace {

constexpr UINT closeMessage = WM_APP + 11;   // posted to the thread: take the windows down and end
constexpr DWORD startWaitMs = 10000;

// Clear of the first player's windows, so each reads back as its own.
struct Placement {
    const char* windowClass;
    int x, y, width, height;
};
constexpr Placement placements[3] = {
    {mainWindowClass, 0, 480, 275, 116},
    {"Winamp EQ", 300, 480, 550, 232},   // double size
    {"Winamp PE", 560, 250, 275, 14},    // windowshade mode
};

LRESULT CALLBACK SecondPlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT whole = {};
        GetClientRect(window, &whole);
        HBRUSH brush = CreateSolidBrush(secondPlayerColour);
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    if (IsWindowUnicode(window)) return DefWindowProcW(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The window's procedure as the window's own kind of call reads it.
LONG_PTR ProcedureOf(HWND window) {
    return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                   : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

void SetOwnProcedure(HWND window) {
    const auto proc = reinterpret_cast<LONG_PTR>(SecondPlayerProc);
    if (IsWindowUnicode(window))
        SetWindowLongPtrW(window, GWLP_WNDPROC, proc);
    else
        SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}

}  // namespace

SecondPlayer::SecondPlayer() {
    desktop_ = GetThreadDesktop(GetCurrentThreadId());
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    if (thread_) WaitForSingleObject(ready_, startWaitMs);
}

SecondPlayer::~SecondPlayer() {
    if (thread_) {
        PostThreadMessageA(threadId_, closeMessage, 0, 0);
        WaitForSingleObject(thread_, startWaitMs);
        CloseHandle(thread_);
    }
    if (ready_) CloseHandle(ready_);
}

bool SecondPlayer::Subclassed() const {
    for (HWND window : windows_)
        if (window && ProcedureOf(window) != reinterpret_cast<LONG_PTR>(SecondPlayerProc)) return true;
    return false;
}

DWORD WINAPI SecondPlayer::Run(void* param) {
    auto* self = static_cast<SecondPlayer*>(param);
    if (self->desktop_) SetThreadDesktop(self->desktop_);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < 3; ++i) {
        const Placement& at = placements[i];
        // The equalizer and playlist editor are owned by their main window, as in the 5.x player.
        HWND window = CreateWindowExA(0, at.windowClass, "", WS_POPUP, at.x, at.y, at.width, at.height,
                                      i ? self->windows_[0] : nullptr, nullptr, instance, nullptr);
        if (window) SetOwnProcedure(window);
        self->windows_[i] = window;
    }
    for (HWND window : self->windows_)
        if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    for (HWND window : self->windows_)
        if (window) UpdateWindow(window);
    SetEvent(self->ready_);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && msg.message == closeMessage) {
            // Whatever took a window over is put aside before the window goes.
            for (int i = 2; i >= 0; --i) {
                if (!self->windows_[i]) continue;
                SetOwnProcedure(self->windows_[i]);
                DestroyWindow(self->windows_[i]);
            }
            PostQuitMessage(0);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace host
