// hold_dll DLL FLAG: keeps DLL loaded, as a running player keeps its plug-ins,
// until the file FLAG (which it creates once the DLL is loaded) is deleted, or
// for 5 minutes at most. Exit code 0 when the DLL was loaded, 1 otherwise.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HMODULE dll = LoadLibraryA(argv[1]);
    if (!dll) return 1;
    HANDLE flag = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (flag != INVALID_HANDLE_VALUE) CloseHandle(flag);
    for (int waited = 0; waited < 300000; waited += 50) {
        if (GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES) break;
        Sleep(50);
    }
    FreeLibrary(dll);
    return 0;
}
