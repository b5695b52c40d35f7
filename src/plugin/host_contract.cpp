// The plug-in's requests to the player.
#include "plugin/host_contract.h"

HWND mainWindow;
HWND eqWindow;
HWND playlistWindow;

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
