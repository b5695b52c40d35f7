// A folder of its own for each run of the plug-in: the built gen_qlv.dll
// copied from beside the program, since the plug-in keeps plugin.ini beside
// itself and a shared copy would carry one run's settings into the next.
#pragma once

#include <optional>
#include <string>

namespace host {

std::string ProgramFolder();   // the running program's folder, without a trailing backslash
std::string BuiltDllPath();    // gen_qlv.dll beside the program

// Makes `folder` (and its parents) and copies the built DLL into it; writes
// `ini` as its plugin.ini, or without one leaves no plugin.ini there (a stale
// one from an earlier run is removed). Returns the copy's path, "" on failure.
std::string PreparePluginFolder(const std::string& folder, const std::optional<std::string>& ini = std::nullopt);

}  // namespace host
