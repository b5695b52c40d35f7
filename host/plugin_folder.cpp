// The built DLL copied into a run's own folder.
#include "plugin_folder.h"

#include <windows.h>

#include "skin_files.h"

namespace host {

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

std::string BuiltDllPath() {
    return ProgramFolder() + "\\gen_qlv.dll";
}

std::string PreparePluginFolder(const std::string& folder, const std::optional<std::string>& ini) {
    if (!MakeFolder(folder)) return "";
    const std::string dll = folder + "\\gen_qlv.dll";
    if (!CopyFileA(BuiltDllPath().c_str(), dll.c_str(), FALSE)) return "";
    const std::string iniPath = folder + "\\plugin.ini";
    if (ini) return WriteTextFile(iniPath, *ini) ? dll : "";
    DeleteFileA(iniPath.c_str());
    if (GetFileAttributesA(iniPath.c_str()) != INVALID_FILE_ATTRIBUTES) return "";
    return dll;
}

}  // namespace host
