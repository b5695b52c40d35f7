// The plug-in header handed to the host, and the entries the host calls.
#pragma once
#include <windows.h>

// The host's general-purpose plug-in record; the host keeps its address and
// fills hwndParent and hDllInstance before calling init.
struct PluginHeader {
    int version;
    const char* description;
    int (*init)();
    void (*config)();
    void (*quit)();
    HWND hwndParent;
    HINSTANCE hDllInstance;
};

constexpr int pluginHeaderVersion = 0x10;

// The entry's record; its one instance is private to plugin_entry.cpp. The
// header itself is the host's: it keeps its address and fills two of its
// fields, so no start resets it.
struct PluginEntry {
    char descriptionText[512];   // "Qelvar Scrivane II 1.0(gen_qlv.dll)"; the header's description
};

extern "C" PluginHeader* winampGetGeneralPurposePlugin();

int PluginInit();
void PluginConfig();
void PluginQuit();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
PluginEntry& PluginEntryForTest();
#endif
