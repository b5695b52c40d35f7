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

// --- State owned by the plug-in's lifecycle ---------------------------------
extern PluginHeader pluginHeader;       // the one header record the host sees
extern char descriptionText[512];       // "Qelvar Scrivane II 1.0(gen_qlv.dll)"
extern int pluginRunning;               // init succeeded and quit has not run yet
extern int moduleKept;                  // the module holds a reference on itself until the process ends

extern "C" PluginHeader* winampGetGeneralPurposePlugin();

int PluginInit();
void PluginConfig();
void PluginQuit();

// Keeps the module mapped until the process ends, for when some of its code
// can still be reached after quit (the host frees the module then). Takes
// one reference, once.
void KeepModuleLoaded();
