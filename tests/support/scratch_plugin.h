// A private copy of the built gen_qlv.dll in its own folder per test, since
// plugin.ini lives beside the DLL; and the common run of a test: host,
// plug-in loaded and initialised.
#pragma once

#include <memory>
#include <string>

#include "emulated_host.h"
#include "plugin_folder.h"

namespace testing_support {

using host::BuiltDllPath;   // gen_qlv.dll beside the test program
// One key of `section` in the INI file `path`, read with the profile API; "" when missing.
std::string IniValueAt(const std::string& path, const std::string& key,
                       const std::string& section = "Qelvar Scrivane II");

class ScratchPlugin {
public:
    // The folder is <test program folder>\scratch\<suite>.<test>[.<tag>]; emptied first.
    // The help pages go beside the DLL, as a release ships them.
    explicit ScratchPlugin(const std::string& tag = "");
    const std::string& Folder() const { return folder_; }    // no trailing backslash
    const std::string& DllPath() const { return dllPath_; }
    std::string IniPath() const { return folder_ + "\\plugin.ini"; }
    // The help page in `language` (0 English, 1 Traditional, 2 Simplified Chinese).
    std::string HelpPagePath(int language = 0) const;
    // A fresh folder for the modern player to name as its settings folder.
    std::string PlayerSettingsFolder() const;
    bool IniExists() const;
    std::string ReadIni() const;                       // raw bytes, "" when missing
    void WriteIni(const std::string& bytes) const;     // raw bytes
    // One key of the plug-in's section "Qelvar Scrivane II" (or another), read with the profile API.
    std::string IniValue(const std::string& key, const std::string& section = "Qelvar Scrivane II") const;
    bool IniHasKey(const std::string& key, const std::string& section = "Qelvar Scrivane II") const;
    std::string SkinFolder(const std::string& name) const;   // a fresh folder for a generated skin

private:
    std::string folder_;
    std::string dllPath_;
};

// A host with the scratch plug-in loaded; the test sets up the host's
// answers, plugin.ini and skins, then calls Start.
struct PluginRun {
    explicit PluginRun(host::HostOptions options = {}, const std::string& tag = "");
    int Start();                        // init; returns its result
    ScratchPlugin scratch;
    std::unique_ptr<host::EmulatedHost> host;
};

}  // namespace testing_support
