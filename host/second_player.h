// A second player running at the same time as the first, as another player
// process would: a thread of its own with the player's three windows, of the
// same classes, shown where the first player's windows are not. Its
// equalizer is in double size and its playlist editor in windowshade mode,
// so a plug-in that took them for the first player's would measure and draw
// wrongly. Each window keeps a procedure of its own that paints it whole in
// secondPlayerColour.
//
// Made after an EmulatedHost, whose window classes it uses; the windows go
// on the thread's desktop of the EmulatedHost's thread, where the plug-in
// looks.
#pragma once

#include <windows.h>

namespace host {

constexpr COLORREF secondPlayerColour = RGB(0x20, 0x80, 0x20);

class SecondPlayer {
public:
    SecondPlayer();
    ~SecondPlayer();   // destroys the windows and ends the thread
    SecondPlayer(const SecondPlayer&) = delete;
    SecondPlayer& operator=(const SecondPlayer&) = delete;

    HWND Main() const { return windows_[0]; }
    HWND Equalizer() const { return windows_[1]; }
    HWND Playlist() const { return windows_[2]; }
    bool Running() const { return windows_[0] && windows_[1] && windows_[2]; }
    // Some window's procedure is no longer the one it was made with.
    bool Subclassed() const;

private:
    static DWORD WINAPI Run(void* self);

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;
    HDESK desktop_ = nullptr;
    HWND windows_[3] = {};
};

}  // namespace host
