// The plug-in's requests to the player.
#include "plugin/host_contract.h"

HWND mainWindow;
HWND eqWindow;
HWND playlistWindow;
int hostIs205;
HINSTANCE pluginModule;

void AttachHost(HWND main, HINSTANCE module) {
    mainWindow = main;
    pluginModule = module;
}

int HostVersionAtLeast(int minimum) {
    const int version = static_cast<int>(HostRequest(0, IPC_GETVERSION));
    return version >= minimum ? 1 : 0;
}

void NoteHostVersion() {
    hostIs205 = HostVersionAtLeast(0x2005);
}

void FindHostWindows() {
    eqWindow = FindWindowA(eqWindowClass, nullptr);
    playlistWindow = FindWindowA(playlistWindowClass, nullptr);
}

LRESULT HostRequest(WPARAM wParam, LPARAM code) {
    return SendMessageA(mainWindow, WM_USER, wParam, code);
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
    if (folderLength + nameLength >= skinPathSize) {
        path[0] = '\0';
        return false;
    }
    lstrcpyA(path, folder);
    lstrcpyA(path + folderLength, fileName);
    return true;
}
