// The emulated player: the host's side of the plug-in contract, so the real
// gen_qlv.dll can be loaded, driven and watched without the player.
//
// One EmulatedHost per test. It owns three borderless pop-up windows (the
// player's windows have no frame: the client area is the whole window):
//   main window      class "Winamp v1.x", 275 x 116 (550 x 232 in double size,
//                    14 or 28 high in windowshade mode), caption "<song> - Winamp"
//   equalizer        class "Winamp EQ",  275 x 116 (550 x 232 in double size)
//   playlist editor  class "Winamp PE",  275 x 232 (14 high when shaded)
// and answers the player's requests (WM_USER with the code in lParam) from the
// fields below. The first host of a process moves its thread to a desktop of
// its own, so a search for windows by class sees this process's windows
// only, even with other test programs running at the same time; a
// SecondPlayer (second_player.h) puts another player's windows beside it.
// The host paints its own title in `hostTitleColour` on its timer 39 and on
// every paint, so a test can tell its drawing from the plug-in's; and, as the
// player does, straight onto the screen inside the message that starts it:
// at play (caption, title, then IPC_PLAYING_FILE), at stop (caption, the
// whole window, then IPC_STOPPLAYING), on its timers 38, 40 and 42 (title,
// then caption) and when a press is released. Its shaded playlist editor
// draws its line in WM_PAINT and in WM_NCACTIVATE.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "image.h"

namespace host {

constexpr char mainWindowClass[] = "Winamp v1.x";
constexpr COLORREF hostFaceColour = RGB(0x40, 0x40, 0x48);   // the host's window face
constexpr COLORREF hostTitleColour = RGB(0xFF, 0x00, 0xFF);  // the host's own title area
constexpr COLORREF hostPlaylistColour = RGB(0x00, 0x00, 0xC0); // the host's own shade line
constexpr COLORREF hostStatusColour = RGB(0xFF, 0xA0, 0x00);   // a status text ("VOLUME: 52%") in the title area
constexpr COLORREF hostTrueTypeTitleColour = RGB(0x00, 0xE0, 0xE0); // the 5.x player's TrueType title

// The player's commands that show a status text: volume up and down, forward
// and back 5 seconds, repeat and shuffle on/off (its Up, Down, Right, Left,
// R and S keys).
enum StatusCommand : int {
    volumeUpCommand = 40058,
    volumeDownCommand = 40059,
    forwardCommand = 40060,
    backCommand = 40061,
    repeatCommand = 40022,
    shuffleCommand = 40023,
};

// Play and stop (its X and V keys), to the main window; a double click in
// the playlist editor plays too.
enum TransportCommand : int {
    playCommand = 40045,
    stopCommand = 40047,
};
// The player's timers that draw its title: a pending title update (38, and
// 42 sent by its other code), and the title back a second after a status text (40).
enum TitleTimer : UINT_PTR {
    titleUpdateTimer = 38,
    statusTextTimer = 40,
    titleRedrawTimer = 42,
};

enum class MainMode { Normal, DoubleSize, Shaded, DoubleShaded, Minimised };
enum class PlayState { Playing, Paused, Stopped };

struct PlaylistEntry {
    std::string title;      // bytes in the ANSI code page
    bool nullTitle = false; // IPC_GETPLAYLISTTITLE answers a null pointer
    std::wstring wideTitle = {}; // the modern player's title; empty: `title` through the ANSI code page
};

struct HostOptions {
    int version = 0x2005;                   // IPC_GETVERSION answer
    bool withEqualizer = true;              // create the "Winamp EQ" window
    bool withPlaylist = true;               // create the "Winamp PE" window
    bool wideCaptions = false;              // set captions with SetWindowTextW
    std::string firstMenuItem = "&Winamp..."; // text of the main menu's first item
    bool liveTimers = false;                // real timers (demo); tests drive ticks by hand
    // The demo's player look: the main window's face is painted from the current
    // skin's main.bmp (doubled in double size, its top 14 rows in windowshade
    // mode) with the host's own title as the caption drawn over it, the
    // equalizer from eqmain.bmp, and the playlist editor lists the playlist in
    // the colours of pledit.txt; instead of the flat hostFaceColour,
    // hostTitleColour and hostPlaylistColour that tests tell apart.
    bool skinnedFace = false;
    // A right click on the main window opens MainMenu() with TrackPopupMenu,
    // and its "E&xit" ends the run (closeRequested), as in the player.
    bool rightClickMenu = false;
    // The 5.x player (see ModernPlayer()): Unicode windows, wide numbered
    // captions answered from the host's own buffer, translated state words,
    // unknown requests answering 1, wide playlist titles (213), its main
    // menu named by IPC_GET_HMENU (281) with its first item (About, id
    // 40041) rewritten on every WM_INITMENUPOPUP, and its settings folder
    // named by IPC_GETINIDIRECTORY (335).
    bool modernPlayer = false;
    std::wstring pausedWord = L"Paused";    // a language pack translates these two
    std::wstring stoppedWord = L"Stopped";
    // The 5.x player with its "bitmap font for the main title" off: its title
    // is drawn in a TrueType face over (111,23)-(265,36), one pixel past the
    // plug-in's area on each side (twice that in double size), in
    // hostTrueTypeTitleColour where the face is flat.
    bool trueTypeTitle = false;
};

// The options of the 5.9.2 player.
HostOptions ModernPlayer();
constexpr wchar_t modernStartupCaption[] = L"Winamp 5.9.2 Build 10042";

// The plug-in header as the host sees it (the host's own declaration).
struct PluginHeaderView {
    int version;
    const char* description;
    int (*init)();
    void (*config)();
    void (*quit)();
    HWND hwndParent;
    HINSTANCE hDllInstance;
};

struct RecordedMessageBox {
    std::string caption;
    std::string text;
    LONG style;      // window style of the box (the MB_ icon is not visible here)
    bool errorIcon = false;   // the box shows the stop-sign icon (MB_ICONERROR)
};

class EmulatedHost {
public:
    explicit EmulatedHost(HostOptions options = {});
    ~EmulatedHost();   // quits and unloads a plug-in still loaded, destroys the windows
    EmulatedHost(const EmulatedHost&) = delete;
    EmulatedHost& operator=(const EmulatedHost&) = delete;

    // --- the plug-in -----------------------------------------------------------
    bool Load(const std::string& dllPath);  // LoadLibraryA, the export, fills hwndParent and hDllInstance; again after Unload
    int Init();                             // calls init; captures the frame timer procedure
    void Config();                          // calls config
    void Quit();                            // calls quit (once)
    void Unload();                          // FreeLibrary
    PluginHeaderView* Header() const { return header_; }
    HMODULE Module() const { return module_; }

    // --- what the player answers ------------------------------------------------
    int version;                            // IPC_GETVERSION
    int trackLengthSeconds = 245;           // IPC_GETOUTPUTTIME (wParam 1)
    std::vector<PlaylistEntry> playlist;    // IPC_GETLISTLENGTH / IPC_GETPLAYLISTTITLE
    int playlistPosition = 0;               // IPC_GETLISTPOS
    std::string skinFolder;                 // IPC_GETSKIN, without a trailing backslash
    std::string settingsFolder;             // modern player: what IPC_GETINIDIRECTORY points at (ANSI)
    std::vector<LPARAM> requestLog;         // every request code received, in order
    // Empties requestLog, hostPaints, hostCommands and messageBoxes, which
    // otherwise grow with every request, paint, command and box: a long run
    // forgets them from time to time.
    void ForgetLogs();
    // Runs with each request's code before it is answered: a host that quits,
    // or quits and unloads the plug-in, while answering the plug-in's own request.
    std::function<void(LPARAM code)> beforeAnswer;

    // --- the windows ------------------------------------------------------------
    HWND Main() const { return main_; }
    HWND Equalizer() const { return equalizer_; }
    HWND Playlist() const { return playlist_; }
    // Resizes (or minimises/restores) like the player; each resize delivers
    // WM_SIZE at once and leaves the whole window to repaint at the next pump.
    void SetMainMode(MainMode mode);
    void SetEqualizerDoubleSize(bool doubled);
    void SetPlaylistSize(int width, int height);
    // Sets the caption like the player: "<song> - Winamp", "... [Paused]", "... [Stopped]";
    // the modern player puts "<playlistPosition + 1>. " first and its own state words last.
    void SetSong(const std::string& song, PlayState state = PlayState::Playing);
    void SetSongWide(const std::wstring& song, PlayState state = PlayState::Playing);
    void SetCaption(const std::string& caption);   // ANSI, or wide when options.wideCaptions or modern
    void SetCaptionWide(const std::wstring& caption);
    void RepeatCaption();                          // sets the caption it holds again, unchanged
    std::string Caption() const;
    // The text the window itself stores (what the taskbar shows), read
    // without asking the host's procedure.
    std::wstring StoredCaption() const;
    bool Modern() const { return options_.modernPlayer; }
    // Points IPC_GETSKIN at `folder` and repaints the whole main window, as the player does on a skin change.
    void SwitchSkin(const std::string& folder);
    void RepaintWhole();                    // invalidate the whole main window and paint it now
    void RepaintRect(const RECT& area);     // invalidate only `area` and paint it now

    // --- input ------------------------------------------------------------------
    void PressMain(int x, int y);           // WM_LBUTTONDOWN
    void ReleaseMain(int x, int y);         // WM_LBUTTONUP
    void MoveMain(int x, int y, bool leftHeld);
    void PressEqualizer(int x, int y);
    void ReleaseEqualizer(int x, int y);
    void OpenMainMenu();                    // WM_INITMENU with the host's main menu (and WM_INITMENUPOPUP for the modern player)
    void SendCommand(int id);               // WM_COMMAND to the main window
    // WM_MOUSEWHEEL to the main window or the equalizer: the volume moves.
    void TurnWheel(int notches = 1, bool onEqualizer = false);
    HMENU MainMenu() const { return menu_; }

    // --- time -------------------------------------------------------------------
    void Tick(int count = 1);               // calls the plug-in's frame timer procedure, synchronously
    bool HasFrameTimer() const { return frameTimerProc_ != nullptr; }   // init's timer 124 was seen
    void PumpMessages();                    // dispatches what is queued, without waiting (real ticks of 124 are dropped)
    void PumpFor(int milliseconds);         // pumps for a while (dialogs, choosers)
    LRESULT SendHostTimer();                // WM_TIMER 39 to the main window
    // Status texts: the wheel and the StatusCommands draw one in
    // hostStatusColour (or over the skinned face) in the title area, outside
    // WM_PAINT; one second later (its timer 40: 40 ticks, or a real timer with
    // liveTimers) the player draws its title and sets its caption again, unchanged.
    bool captionAfterStatus = true;         // false: a player that never sets it again
    std::string lastStatusText;             // the status text shown last
    int volumePercent = 52;
    int hostTimerCount = 0;                 // WM_TIMER 39 that reached the host's own procedure
    int hostInitMenuCount = 0;              // WM_INITMENU that reached it
    int hostMenuRewrites = 0;               // modern player: times it rewrote its menu's first item
    std::vector<int> hostCommands;          // WM_COMMAND ids that reached it
    std::vector<RECT> hostPaints;           // update rectangles the host painted in the main window, in order
    int realFrameTimers = 0;                // real WM_TIMER 124 seen by the pump (dropped unless liveTimers)
    bool closeRequested = false;            // WM_CLOSE reached the main window (ends the live demo)
    RECT HostTitleArea() const;             // (112,24,265,53), or (224,48,530,106) when the main window is doubled
    RECT TrueTypeTitleArea() const;         // (111,23,266,37), or (222,46,532,74) when doubled

    // --- pictures ---------------------------------------------------------------
    Image CaptureMain() const;
    Image CapturePlaylist() const;
    static Image CaptureWindow(HWND window);

    // --- modal boxes ------------------------------------------------------------
    // Message boxes are answered OK at once and recorded. Other modal dialogs
    // (the font and colour choosers) go to `modalHandler` when set, which may
    // read and press their controls; without one they are cancelled.
    //
    // A #32770 window counts as modal when it carries a message box's text
    // static (id 0xFFFF) or when its owner is not the main window; the
    // plug-in's modeless dialogs (owned by the main window) are left alone.
    // The handler runs from a timer inside the dialog's own modal loop, once
    // the dialog is fully built.
    std::vector<RecordedMessageBox> messageBoxes;
    std::function<void(HWND dialog)> modalHandler;
    int modalDialogCount = 0;               // modal dialogs other than message boxes that were handed over or cancelled
    bool IsModalBox(HWND dialog) const;
    void AnswerModal(HWND dialog);          // records and answers one box (called by the host's CBT machinery)

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND, UINT, WPARAM, LPARAM);
    void PaintWindow(HWND window);
    void DrawWindow(HWND window, HDC dc);   // what a paint shows, into any DC
    // The player's own moments: play and stop the current entry, and a
    // pending title update shown, each drawing straight onto the screen.
    void PlayCurrent();
    void StopPlaying();
    void UpdateTitle();
    void ShowCurrentSong(PlayState state);
    void DrawHostTitle(HDC dc);
    bool DrawSkinnedText(HDC dc, const RECT& area, const std::string& text, COLORREF colour);
    void ShowStatusText(const std::string& text);
    bool ShowsStatusText(HWND window, UINT message, WPARAM wParam);
    void StatusTimerFired();
    // The demo's scenery (player_scenery.cpp), for skinnedFace; each answers
    // false where the skin has nothing to paint, and the flat colours stand.
    bool DrawSkinnedTitle(HDC dc, const RECT& area);          // the face under the title area and the song over it
    bool PaintFace(HWND window, HDC dc, const RECT& area);   // `area` from main.bmp or eqmain.bmp
    bool PaintPlaylist(HDC dc, const RECT& whole);            // the entries in pledit.txt colours
    void ForgetFaces();                                       // deletes the faces cache
    void OpenPopupMenu(LPARAM clientPoint);
    LRESULT AnswerRequest(WPARAM wParam, LPARAM code);
    LRESULT AnswerPlaylistTitle(WPARAM index, bool wide);
    LRESULT Default(HWND, UINT, WPARAM, LPARAM);   // DefWindowProcW for the modern player's windows

    HostOptions options_;
    HWND main_ = nullptr;
    HWND equalizer_ = nullptr;
    HWND playlist_ = nullptr;
    HMENU menu_ = nullptr;
    HMODULE module_ = nullptr;
    PluginHeaderView* header_ = nullptr;
    bool initialised_ = false;
    bool quit_ = false;
    int initResult_ = -1;
    WNDPROC frameTimerProc_ = nullptr;      // from the first WM_TIMER 124's lParam
    MainMode mode_ = MainMode::Normal;
    HHOOK modalHook_ = nullptr;
    HBITMAP faces_[2] = {};                 // skinnedFace: main.bmp and eqmain.bmp of facesFolder_, or none
    std::string facesFolder_;               // the skin folder faces_ were loaded from
    bool facesLoaded_ = false;              // facesFolder_ has been tried
    std::wstring caption_;                  // modern player: the caption WM_GETTEXT answers from
    std::string ansiCaption_;               // 2.x player: the caption it last set (SetCaption)
    int statusTicksLeft_ = 0;               // ticks until the status text's timer 40; 0: none pending
    int positionSeconds_ = 83;              // where a seek starts
    bool repeat_ = false, shuffle_ = false;
    // Modern player: 212 and 213 both answer into this one buffer, which the next request overwrites.
    wchar_t titleBuffer_[1024] = {};
};

}  // namespace host
