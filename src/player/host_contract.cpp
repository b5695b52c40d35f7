// The plug-in's requests to the player.
#include "player/host_contract.h"

namespace {

HostContract host;

}  // namespace

HWND MainWindow() { return host.mainWindow; }
HWND EqWindow() { return host.eqWindow; }
HWND PlaylistWindow() { return host.playlistWindow; }
int HostIs205() { return host.hostIs205; }
HINSTANCE PluginModule() { return host.pluginModule; }

void AttachHost(HWND main, HINSTANCE module) {
    host = HostContract{main, nullptr, nullptr, 0, module, 0};
}

#ifdef QLV_WHITEBOX
HostContract& HostContractForTest() { return host; }
#endif

// GetModuleFileNameA cuts a longer path silently (and without a terminator
// on older systems). Without a folder the profile functions would look in
// the Windows directory, so a bare name is no answer either.
bool BesideModule(const char* name, char* path, int size) {
    const DWORD length = GetModuleFileNameA(host.pluginModule, path, static_cast<DWORD>(size));
    int folder = length == 0 || length >= static_cast<DWORD>(size) ? 0 : static_cast<int>(length);
    if (folder) path[folder] = '\0';
    while (folder > 0 && path[folder - 1] != '\\') --folder;
    if (folder == 0 || folder + lstrlenA(name) >= size) {
        path[0] = '\0';
        return false;
    }
    lstrcpyA(path + folder, name);
    return true;
}

int HostVersionAtLeast(int minimum) {
    const int version = static_cast<int>(HostRequest(0, IPC_GETVERSION));
    return version >= minimum ? 1 : 0;
}

void NoteHostVersion() {
    const int version = static_cast<int>(HostRequest(0, IPC_GETVERSION));
    host.hostIs205 = version >= 0x2005 ? 1 : 0;
    host.hostIs5x = version >= 0x5000 ? 1 : 0;
}

int HostIs5x() {
    return host.hostIs5x;
}

LRESULT HostRequest(WPARAM wParam, LPARAM code) {
    return SendMessageA(host.mainWindow, WM_USER, wParam, code);
}

int HostAnswered(LRESULT answer) {
    return answer != 0 && answer != 1 ? 1 : 0;
}

namespace {

// Class names compare without regard to case, as the system compares them.
BOOL CALLBACK TakeHostWindow(HWND window, LPARAM) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (!host.eqWindow && lstrcmpiA(name, eqWindowClass) == 0) host.eqWindow = window;
    if (!host.playlistWindow && lstrcmpiA(name, playlistWindowClass) == 0) host.playlistWindow = window;
    return TRUE;
}

}  // namespace

// Several players may run at once, each with windows of the same classes: a
// search by class alone could hand us another player's windows to subclass.
void FindHostWindows() {
    host.eqWindow = nullptr;
    host.playlistWindow = nullptr;
    const DWORD hostThread = GetWindowThreadProcessId(host.mainWindow, nullptr);
    if (hostThread) EnumThreadWindows(hostThread, TakeHostWindow, 0);
}

void AskSkinFolder(char* folder) {
    folder[0] = '\0';
    HostRequest(reinterpret_cast<WPARAM>(folder), IPC_GETSKIN);
    folder[skinPathSize - 1] = '\0';   // a host that fills the whole buffer leaves no terminator
}

bool SkinFilePath(char* path, const char* fileName) {
    char folder[skinPathSize];
    AskSkinFolder(folder);
    return JoinSkinPath(path, folder, fileName);
}

bool JoinSkinPath(char* path, const char* folder, const char* fileName) {
    const int folderLength = lstrlenA(folder);
    const int nameLength = lstrlenA(fileName);
    // An empty folder would make a path from the root of the current drive.
    if (folderLength == 0 || folderLength + nameLength >= skinPathSize) {
        path[0] = '\0';
        return false;
    }
    lstrcpyA(path, folder);
    lstrcpyA(path + folderLength, fileName);
    return true;
}
