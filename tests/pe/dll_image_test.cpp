// The built gen_qlv.dll as a player on a clean Windows will see it: a 32-bit
// PE image exporting its one entry by name at ordinal 1, importing only from
// system DLLs, with version information in the dialogs' language and English.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scratch_plugin.h"

namespace {

// Reads the file and resolves RVAs through the section table, so the checks
// see the file exactly as the loader will, not a loaded copy.
class PeFile {
public:
    explicit PeFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Valid() const {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER)) return false;
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
        const auto* nt = Nt();
        return nt && nt->Signature == IMAGE_NT_SIGNATURE;
    }
    const IMAGE_NT_HEADERS32* Nt() const {
        return At<IMAGE_NT_HEADERS32>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    }
    template <typename T>
    const T* At(size_t offset) const {
        if (offset + sizeof(T) > bytes_.size()) return nullptr;
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }
    size_t FileOffset(DWORD rva) const {
        const auto* nt = Nt();
        const auto* section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
            reinterpret_cast<const BYTE*>(&nt->OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader);
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
            const DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size)
                return rva - section->VirtualAddress + section->PointerToRawData;
        }
        return bytes_.size();
    }
    std::string StringAt(DWORD rva) const {
        std::string text;
        for (size_t at = FileOffset(rva); at < bytes_.size() && bytes_[at]; ++at) text += bytes_[at];
        return text;
    }
    const IMAGE_DATA_DIRECTORY& Directory(int index) const {
        return Nt()->OptionalHeader.DataDirectory[index];
    }

private:
    std::vector<char> bytes_;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

class DllImage : public ::testing::Test {
protected:
    PeFile pe{testing_support::BuiltDllPath()};
};

TEST_F(DllImage, IsA32BitWindowsDll) {
    ASSERT_TRUE(pe.Valid());
    const auto* nt = pe.Nt();
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // Windows 95, 98 and NT 4.0 do not load an image that asks for a later system.
    EXPECT_EQ(nt->OptionalHeader.MajorOperatingSystemVersion, 4);
    EXPECT_EQ(nt->OptionalHeader.MinorOperatingSystemVersion, 0);
    EXPECT_EQ(nt->OptionalHeader.MajorSubsystemVersion, 4);
    EXPECT_EQ(nt->OptionalHeader.MinorSubsystemVersion, 0);
}

TEST_F(DllImage, ExportsOnlyTheHeaderEntryByNameAtOrdinalOne) {
    ASSERT_TRUE(pe.Valid());
    const auto& dir = pe.Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports = pe.At<IMAGE_EXPORT_DIRECTORY>(pe.FileOffset(dir.VirtualAddress));
    ASSERT_NE(exports, nullptr);
    ASSERT_EQ(exports->NumberOfNames, 1u);
    ASSERT_EQ(exports->NumberOfFunctions, 1u);
    const auto* nameRva = pe.At<DWORD>(pe.FileOffset(exports->AddressOfNames));
    const auto* nameOrdinal = pe.At<WORD>(pe.FileOffset(exports->AddressOfNameOrdinals));
    ASSERT_TRUE(nameRva && nameOrdinal);
    EXPECT_EQ(pe.StringAt(*nameRva), "winampGetGeneralPurposePlugin");
    EXPECT_EQ(exports->Base + *nameOrdinal, 1u);
}

// Every function the DLL may import, with the first Windows that exports it.
// The player ran on Windows 95, 98, ME, NT 4.0 and 2000 before XP: a DLL
// that imports one function those lack does not load there at all, and the
// player lists no such plug-in. A new import needs a row here, checked
// against that list first. The wide calls of Unicode players are looked up
// at run time and have no row: 95, 98 and ME export several only as stubs.
struct AllowedImport {
    const char* dll;
    const char* name;
    const char* since;
};
constexpr AllowedImport allowedImports[] = {
    {"comdlg32.dll", "ChooseColorA", "95, NT 3.1"},
    {"comdlg32.dll", "ChooseFontA", "95, NT 3.1"},

    {"gdi32.dll", "BitBlt", "95, NT 3.1"},
    {"gdi32.dll", "CreateBitmap", "95, NT 3.1"},
    {"gdi32.dll", "CreateCompatibleBitmap", "95, NT 3.1"},
    {"gdi32.dll", "CreateCompatibleDC", "95, NT 3.1"},
    {"gdi32.dll", "CreateDIBSection", "95, NT 3.5"},
    {"gdi32.dll", "CreateFontIndirectA", "95, NT 3.1"},
    {"gdi32.dll", "CreatePen", "95, NT 3.1"},
    {"gdi32.dll", "CreateSolidBrush", "95, NT 3.1"},
    {"gdi32.dll", "DeleteDC", "95, NT 3.1"},
    {"gdi32.dll", "DeleteObject", "95, NT 3.1"},
    {"gdi32.dll", "ExcludeClipRect", "95, NT 3.1"},
    {"gdi32.dll", "GdiFlush", "95, NT 3.1"},
    {"gdi32.dll", "GetBitmapBits", "95, NT 3.1"},
    {"gdi32.dll", "GetDeviceCaps", "95, NT 3.1"},
    {"gdi32.dll", "GetGlyphOutlineA", "95, NT 3.1"},
    {"gdi32.dll", "GetObjectA", "95, NT 3.1"},
    {"gdi32.dll", "GetPixel", "95, NT 3.1"},
    {"gdi32.dll", "GetStockObject", "95, NT 3.1"},
    {"gdi32.dll", "GetTextExtentPoint32A", "95, NT 3.1"},
    {"gdi32.dll", "GetTextMetricsA", "95, NT 3.1"},
    {"gdi32.dll", "LineTo", "95, NT 3.1"},
    {"gdi32.dll", "MoveToEx", "95, NT 3.1"},
    {"gdi32.dll", "Rectangle", "95, NT 3.1"},
    {"gdi32.dll", "SelectClipRgn", "95, NT 3.1"},
    {"gdi32.dll", "SelectObject", "95, NT 3.1"},
    {"gdi32.dll", "SetBkColor", "95, NT 3.1"},
    {"gdi32.dll", "SetTextColor", "95, NT 3.1"},
    {"gdi32.dll", "StretchBlt", "95, NT 3.1"},

    {"kernel32.dll", "CreateDirectoryA", "95, NT 3.1"},
    {"kernel32.dll", "DeleteCriticalSection", "95, NT 3.1"},
    {"kernel32.dll", "DeleteFileA", "95, NT 3.1"},
    {"kernel32.dll", "EnterCriticalSection", "95, NT 3.1"},
    {"kernel32.dll", "FindResourceExA", "95, NT 3.1"},
    {"kernel32.dll", "FreeLibrary", "95, NT 3.1"},
    {"kernel32.dll", "GetACP", "95, NT 3.1"},
    {"kernel32.dll", "GetFileAttributesA", "95, NT 3.1"},
    {"kernel32.dll", "GetLastError", "95, NT 3.1"},
    {"kernel32.dll", "CloseHandle", "95, NT 3.1"},
    {"kernel32.dll", "CreateFileA", "95, NT 3.1"},
    {"kernel32.dll", "GetFileSize", "95, NT 3.1"},
    {"kernel32.dll", "GetUserDefaultLangID", "95, NT 3.1"},
    {"kernel32.dll", "LoadResource", "95, NT 3.1"},
    {"kernel32.dll", "LockResource", "95, NT 3.1"},
    {"kernel32.dll", "ReadFile", "95, NT 3.1"},
    {"kernel32.dll", "RemoveDirectoryA", "95, NT 3.1"},
    {"kernel32.dll", "GetModuleFileNameA", "95, NT 3.1"},
    {"kernel32.dll", "GetModuleHandleA", "95, NT 3.1"},
    {"kernel32.dll", "GetPrivateProfileIntA", "95, NT 3.1"},
    {"kernel32.dll", "GetPrivateProfileStringA", "95, NT 3.1"},
    {"kernel32.dll", "GetProcAddress", "95, NT 3.1"},
    {"kernel32.dll", "InitializeCriticalSection", "95, NT 3.1"},
    {"kernel32.dll", "IsDBCSLeadByte", "95, NT 3.1"},
    {"kernel32.dll", "LeaveCriticalSection", "95, NT 3.1"},
    {"kernel32.dll", "LoadLibraryA", "95, NT 3.1"},
    {"kernel32.dll", "MulDiv", "95, NT 3.1"},
    {"kernel32.dll", "Sleep", "95, NT 3.1"},
    {"kernel32.dll", "TlsGetValue", "95, NT 3.1"},
    {"kernel32.dll", "VirtualProtect", "95, NT 3.1"},
    {"kernel32.dll", "VirtualQuery", "95, NT 3.1"},
    {"kernel32.dll", "WideCharToMultiByte", "95, NT 3.1"},
    {"kernel32.dll", "WritePrivateProfileStringA", "95, NT 3.1"},
    {"kernel32.dll", "lstrcmpA", "95, NT 3.1"},
    {"kernel32.dll", "lstrcmpiA", "95, NT 3.1"},
    {"kernel32.dll", "lstrcpyA", "95, NT 3.1"},
    {"kernel32.dll", "lstrcpynA", "95, NT 3.1"},
    {"kernel32.dll", "lstrlenA", "95, NT 3.1"},

    // The C runtime of the compiler's start-up code and library. msvcrt.dll
    // is part of 98, NT 4.0 and later; the first Windows 95 has it only once
    // a program's setup or Internet Explorer put it there.
    {"msvcrt.dll", "_amsg_exit", "98, NT 4.0"},
    {"msvcrt.dll", "_initterm", "98, NT 4.0"},
    {"msvcrt.dll", "_iob", "98, NT 4.0"},
    {"msvcrt.dll", "_lock", "98, NT 4.0"},
    {"msvcrt.dll", "_unlock", "98, NT 4.0"},
    {"msvcrt.dll", "abort", "98, NT 4.0"},
    {"msvcrt.dll", "calloc", "98, NT 4.0"},
    {"msvcrt.dll", "free", "98, NT 4.0"},
    {"msvcrt.dll", "fwrite", "98, NT 4.0"},
    {"msvcrt.dll", "malloc", "98, NT 4.0"},
    {"msvcrt.dll", "memcmp", "98, NT 4.0"},
    {"msvcrt.dll", "memcpy", "98, NT 4.0"},
    {"msvcrt.dll", "memmove", "98, NT 4.0"},
    {"msvcrt.dll", "memset", "98, NT 4.0"},
    {"msvcrt.dll", "realloc", "98, NT 4.0"},
    {"msvcrt.dll", "strlen", "98, NT 4.0"},
    {"msvcrt.dll", "strncmp", "98, NT 4.0"},
    {"msvcrt.dll", "vfprintf", "98, NT 4.0"},

    {"shell32.dll", "ShellExecuteA", "95, NT 3.1"},

    {"user32.dll", "AppendMenuA", "95, NT 3.1"},
    {"user32.dll", "CallNextHookEx", "95, NT 3.1"},
    {"user32.dll", "CallWindowProcA", "95, NT 3.1"},
    {"user32.dll", "CharPrevA", "95, NT 3.1"},
    {"user32.dll", "CharUpperA", "95, NT 3.1"},
    {"user32.dll", "CheckDlgButton", "95, NT 3.1"},
    {"user32.dll", "CreateDialogIndirectParamA", "95, NT 3.1"},
    {"user32.dll", "CreateDialogParamA", "95, NT 3.1"},
    {"user32.dll", "DefWindowProcA", "95, NT 3.1"},
    {"user32.dll", "DestroyWindow", "95, NT 3.1"},
    {"user32.dll", "DrawTextA", "95, NT 3.1"},
    {"user32.dll", "EnableWindow", "95, NT 3.1"},
    {"user32.dll", "EnumThreadWindows", "95, NT 3.1"},
    {"user32.dll", "FillRect", "95, NT 3.1"},
    {"user32.dll", "GetClassNameA", "95, NT 3.1"},
    {"user32.dll", "GetDC", "95, NT 3.1"},
    {"user32.dll", "GetDlgItem", "95, NT 3.1"},
    {"user32.dll", "GetDlgItemInt", "95, NT 3.1"},
    {"user32.dll", "GetFocus", "95, NT 3.1"},
    {"user32.dll", "GetMenuState", "95, NT 3.1"},
    {"user32.dll", "GetMenuStringA", "95, NT 3.1"},
    {"user32.dll", "GetUpdateRect", "95, NT 3.1"},
    {"user32.dll", "GetWindowLongA", "95, NT 3.1"},
    {"user32.dll", "GetWindowRect", "95, NT 3.1"},
    {"user32.dll", "GetWindowTextA", "95, NT 3.1"},
    {"user32.dll", "GetWindowThreadProcessId", "95, NT 3.1"},
    {"user32.dll", "IsDlgButtonChecked", "95, NT 3.1"},
    {"user32.dll", "IsIconic", "95, NT 3.1"},
    {"user32.dll", "IsWindow", "95, NT 3.1"},
    {"user32.dll", "IsWindowVisible", "95, NT 3.1"},
    {"user32.dll", "KillTimer", "95, NT 3.1"},
    {"user32.dll", "LoadImageA", "95, NT 3.51 (from a file: NT 4.0)"},
    {"user32.dll", "MessageBoxA", "95, NT 3.1"},
    {"user32.dll", "ModifyMenuA", "95, NT 3.1"},
    {"user32.dll", "PtInRect", "95, NT 3.1"},
    {"user32.dll", "RedrawWindow", "95, NT 3.1"},
    {"user32.dll", "ReleaseDC", "95, NT 3.1"},
    {"user32.dll", "SendDlgItemMessageA", "95, NT 3.1"},
    {"user32.dll", "SendMessageA", "95, NT 3.1"},
    {"user32.dll", "SetDlgItemInt", "95, NT 3.1"},
    {"user32.dll", "SetDlgItemTextA", "95, NT 3.1"},
    {"user32.dll", "SetForegroundWindow", "95, NT 3.1"},
    {"user32.dll", "SetTimer", "95, NT 3.1"},
    {"user32.dll", "SetWindowLongA", "95, NT 3.1"},
    {"user32.dll", "SetWindowsHookExA", "95, NT 3.1"},
    {"user32.dll", "UnhookWindowsHookEx", "95, NT 3.1"},
    {"user32.dll", "WinHelpA", "95, NT 3.1"},
    {"user32.dll", "wsprintfA", "95, NT 3.1"},
};

TEST_F(DllImage, ImportsOnlyWhatEveryWindowsThePlayerRanOnExports) {
    ASSERT_TRUE(pe.Valid());
    const auto& dir = pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    int imports = 0;
    for (size_t at = pe.FileOffset(dir.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry = pe.At<IMAGE_IMPORT_DESCRIPTOR>(at);
        ASSERT_NE(entry, nullptr);
        if (entry->Name == 0) break;
        const std::string dll = Lower(pe.StringAt(entry->Name));
        const DWORD lookup = entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk;
        for (size_t thunk = pe.FileOffset(lookup);; thunk += sizeof(DWORD)) {
            const auto* value = pe.At<DWORD>(thunk);
            ASSERT_NE(value, nullptr);
            if (*value == 0) break;
            ++imports;
            // An ordinal means nothing across Windows versions.
            ASSERT_FALSE(*value & IMAGE_ORDINAL_FLAG32) << dll << " ordinal " << (*value & 0xFFFF);
            const std::string name = pe.StringAt(*value + offsetof(IMAGE_IMPORT_BY_NAME, Name));
            const bool allowed = std::any_of(std::begin(allowedImports), std::end(allowedImports),
                                             [&](const AllowedImport& row) { return dll == row.dll && name == row.name; });
            EXPECT_TRUE(allowed) << dll << " " << name << " has no row in allowedImports";
        }
    }
    EXPECT_GT(imports, 0);
}

TEST_F(DllImage, CarriesItsResources) {
    ASSERT_TRUE(pe.Valid());
    EXPECT_NE(pe.Directory(IMAGE_DIRECTORY_ENTRY_RESOURCE).VirtualAddress, 0u);
}

// Every string of the blocks the Translation list names: what the file's
// properties show on a Traditional or Simplified Chinese Windows and on any other.
struct VersionString {
    const wchar_t* block;
    const wchar_t* key;
    const wchar_t* value;
};
constexpr VersionString versionStrings[] = {
    {L"040403b6", L"CompanyName", L"Qelvar Scrivane II 團隊"},
    {L"040403b6", L"FileDescription", L"Qelvar Scrivane II 歌曲標題外掛"},
    {L"040403b6", L"FileVersion", L"1.0.0.0"},
    {L"040403b6", L"LegalCopyright", L"(C) 1999-2026 Scrivane II 團隊"},
    {L"040403b6", L"OriginalFilename", L"gen_qlv.dll"},
    {L"040403b6", L"ProductName", L"Qelvar Scrivane II"},
    {L"040403b6", L"ProductVersion", L"1.0.0.0"},
    {L"080403a8", L"CompanyName", L"Qelvar Scrivane II 团队"},
    {L"080403a8", L"FileDescription", L"Qelvar Scrivane II 歌曲标题插件"},
    {L"080403a8", L"FileVersion", L"1.0.0.0"},
    {L"080403a8", L"LegalCopyright", L"(C) 1999-2026 Scrivane II 团队"},
    {L"080403a8", L"OriginalFilename", L"gen_qlv.dll"},
    {L"080403a8", L"ProductName", L"Qelvar Scrivane II"},
    {L"080403a8", L"ProductVersion", L"1.0.0.0"},
    {L"040904e4", L"CompanyName", L"Qelvar Scrivane II team"},
    {L"040904e4", L"FileDescription", L"Qelvar Scrivane II song title plug-in"},
    {L"040904e4", L"FileVersion", L"1.0.0.0"},
    {L"040904e4", L"LegalCopyright", L"(C) 1999-2026 Scrivane II team"},
    {L"040904e4", L"OriginalFilename", L"gen_qlv.dll"},
    {L"040904e4", L"ProductName", L"Qelvar Scrivane II"},
    {L"040904e4", L"ProductVersion", L"1.0.0.0"},
};

TEST(DllVersion, CarriesEveryFieldInEachLanguage) {
    const std::string path = testing_support::BuiltDllPath();
    std::wstring widePath(path.begin(), path.end());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version resource in " << path;
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(widePath.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    // Language and code page pairs: Traditional Chinese (Taiwan) in Big5, Simplified (PRC) in GBK, English in 1252.
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    const auto* pairs = static_cast<const WORD*>(value);
    EXPECT_EQ(std::vector<WORD>(pairs, pairs + length / sizeof(WORD)),
              (std::vector<WORD>{0x0404, 950, 0x0804, 936, 0x0409, 1252}));

    for (const auto& row : versionStrings) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\") + row.block + L"\\" + row.key;
        value = nullptr;
        length = 0;
        const bool found = VerQueryValueW(info.data(), query.c_str(), &value, &length) && value;
        std::string name(query.begin(), query.end());
        ASSERT_TRUE(found) << name << " is missing";
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), row.value) << name;
    }
}

}  // namespace
