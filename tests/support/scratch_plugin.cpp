// Each test's private copy of the DLL, and the usual host around it.
#include "scratch_plugin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "skin_files.h"

namespace testing_support {

namespace {

const char* const helpPages[] = {"Scrivane.html", "Scrivane.zh-TW.html", "Scrivane.zh-CN.html"};

// Test names of parameterised suites carry '/', which a file name cannot.
std::string SafeName(std::string name) {
    for (char& c : name)
        if (std::strchr("\\/:*?\"<>|", c)) c = '_';
    return name;
}

void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path);
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string IniValueAt(const std::string& path, const std::string& key, const std::string& section) {
    char value[4096] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, path.c_str());
    return value;
}

ScratchPlugin::ScratchPlugin(const std::string& tag) {
    std::string name = "no_test";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(info->test_suite_name()) + "." + info->name();
    if (!tag.empty()) name += "." + tag;
    folder_ = host::ProgramFolder() + "\\scratch\\" + SafeName(name);
    host::MakeFolder(folder_);
    EmptyFolder(folder_);
    dllPath_ = host::PreparePluginFolder(folder_);
    if (dllPath_.empty()) ADD_FAILURE() << "cannot copy " << BuiltDllPath() << " into " << folder_;
    for (const char* name : helpPages) {
        const std::string page = host::ProgramFolder() + "\\" + name;
        if (!CopyFileA(page.c_str(), (folder_ + "\\" + name).c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << page << " to " << folder_;
    }
}

std::string ScratchPlugin::HelpPagePath(int language) const {
    return folder_ + "\\" + helpPages[language];
}

bool ScratchPlugin::IniExists() const {
    return GetFileAttributesA(IniPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ScratchPlugin::ReadIni() const {
    return host::ReadBytes(IniPath());
}

void ScratchPlugin::WriteIni(const std::string& bytes) const {
    host::WriteBytes(IniPath(), bytes);
}

std::string ScratchPlugin::IniValue(const std::string& key, const std::string& section) const {
    return IniValueAt(IniPath(), key, section);
}

std::string ScratchPlugin::PlayerSettingsFolder() const {
    const std::string folder = folder_ + "\\player settings";
    host::MakeFolder(folder);
    return folder;
}

bool ScratchPlugin::IniHasKey(const std::string& key, const std::string& section) const {
    constexpr char absent[] = "\x01qlv-absent\x01";
    char value[64] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), absent, value, sizeof value, IniPath().c_str());
    return std::string(value) != absent;
}

std::string ScratchPlugin::SkinFolder(const std::string& name) const {
    const std::string folder = folder_ + "\\skins\\" + SafeName(name);
    host::MakeFolder(folder);
    EmptyFolder(folder);
    return folder;
}

PluginRun::PluginRun(host::HostOptions options, const std::string& tag)
    : scratch(tag), host(std::make_unique<host::EmulatedHost>(std::move(options))) {
    if (!host->Load(scratch.DllPath())) ADD_FAILURE() << "cannot load " << scratch.DllPath();
}

int PluginRun::Start() {
    return host->Init();
}

}  // namespace testing_support
