// What the plug-in relies on from the player: its requests and its windows.
#pragma once
#include <windows.h>

// Requests are WM_USER sent to the main window with the code in lParam.
enum HostRequestCode : LPARAM {
    IPC_GETVERSION = 0,
    IPC_GETOUTPUTTIME = 105,
    IPC_GETLISTLENGTH = 124,
    IPC_GETLISTPOS = 125,
    IPC_GETSKIN = 201,
    IPC_GETPLAYLISTTITLE = 212,
    IPC_GETPLAYLISTTITLEW = 213,   // Unicode players: the same title as wide text
    IPC_GET_HMENU = 281,           // wParam 0: the main window's popup menu (2.9 and later)
    IPC_GETINIDIRECTORY = 335,     // the player's settings folder, ANSI (2.9 and later)
};

constexpr char eqWindowClass[] = "Winamp EQ";
constexpr char playlistWindowClass[] = "Winamp PE";
constexpr int skinPathSize = 260;       // IPC_GETSKIN fills a buffer of this size

// The host contract's record; its one instance is private to host_contract.cpp.
struct HostContract {
    HWND mainWindow;          // the header's hwndParent, kept at init
    HWND eqWindow;            // "Winamp EQ", or null when the host has none
    HWND playlistWindow;      // "Winamp PE", or null when the host has none
    int hostIs205;            // the host is 2.05 or later
    HINSTANCE pluginModule;   // this module, as the host loaded it (its resources, its file's folder)
    int hostIs5x;             // the host is a 5.x player
};

HWND MainWindow();
HWND EqWindow();
HWND PlaylistWindow();
int HostIs205();
HINSTANCE PluginModule();

// A fresh record with the host's main window and the module handle the host
// filled into the header (a fresh start); the version and the other windows
// are asked next.
void AttachHost(HWND main, HINSTANCE module);
// Puts `name` in the module's own folder into `path` (`size` bytes). A module
// path or a result that does not fit gives false and an empty path, never a
// cut one: a cut path names some other file.
bool BesideModule(const char* name, char* path, int size);
// Sends IPC_GETVERSION afresh and compares the answer as a signed number.
int HostVersionAtLeast(int minimum);
// Asks the version once for what only 2.05 and later answer, and for the
// 5.x player's ways.
void NoteHostVersion();
// The host is a 5.x player, whose title may be drawn in a TrueType face.
int HostIs5x();

LRESULT HostRequest(WPARAM wParam, LPARAM code);
// A player answers a request it does not know with 0 (2.x) or 1 (5.x):
// only another value is an answer.
int HostAnswered(LRESULT answer);

// The equalizer and playlist editor of this player: the windows of those
// classes on its main window's thread, never another running player's.
void FindHostWindows();

// Asks for the current skin folder into `folder` (skinPathSize bytes), always terminated.
void AskSkinFolder(char* folder);
// Fills `path` (skinPathSize bytes) with `folder` followed by `fileName`
// (which starts with a backslash). Returns false, leaving `path` empty, when
// the two do not fit, or when `folder` is empty: the player's built-in skin,
// which has no files.
bool JoinSkinPath(char* path, const char* folder, const char* fileName);
// AskSkinFolder, then JoinSkinPath.
bool SkinFilePath(char* path, const char* fileName);

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
HostContract& HostContractForTest();
#endif
