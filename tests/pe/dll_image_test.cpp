// The built gen_qlv.dll as a player on a clean Windows will see it: a 32-bit
// PE image exporting its one entry by name at ordinal 1, importing only from
// system DLLs, with version information in the dialogs' language and English.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
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

TEST_F(DllImage, ImportsFromSystemDllsOnly) {
    ASSERT_TRUE(pe.Valid());
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll",
                                          "msvcrt.dll", "advapi32.dll"};
    const auto& dir = pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    std::set<std::string> imported;
    for (size_t at = pe.FileOffset(dir.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry = pe.At<IMAGE_IMPORT_DESCRIPTOR>(at);
        ASSERT_NE(entry, nullptr);
        if (entry->Name == 0) break;
        imported.insert(Lower(pe.StringAt(entry->Name)));
    }
    for (const auto& name : imported) EXPECT_TRUE(system.count(name)) << "imports " << name;
    EXPECT_TRUE(imported.count("user32.dll"));
    EXPECT_TRUE(imported.count("gdi32.dll"));
}

TEST_F(DllImage, CarriesItsResources) {
    ASSERT_TRUE(pe.Valid());
    EXPECT_NE(pe.Directory(IMAGE_DIRECTORY_ENTRY_RESOURCE).VirtualAddress, 0u);
}

// Every string of both blocks the Translation list names: what the file's
// properties show on a Traditional Chinese Windows and on any other.
struct VersionString {
    const wchar_t* block;
    const wchar_t* key;
    const wchar_t* value;
};
constexpr VersionString versionStrings[] = {
    {L"040403b6", L"CompanyName", L"Qelvar Scrivane II 團隊"},
    {L"040403b6", L"FileDescription", L"Qelvar Scrivane II 歌曲標題外掛"},
    {L"040403b6", L"FileVersion", L"1.0.0.0"},
    {L"040403b6", L"LegalCopyright", L"(C) 2026 Scrivane II 團隊"},
    {L"040403b6", L"OriginalFilename", L"gen_qlv.dll"},
    {L"040403b6", L"ProductName", L"Qelvar Scrivane II"},
    {L"040403b6", L"ProductVersion", L"1.0.0.0"},
    {L"040904e4", L"CompanyName", L"Qelvar Scrivane II team"},
    {L"040904e4", L"FileDescription", L"Qelvar Scrivane II song title plug-in"},
    {L"040904e4", L"FileVersion", L"1.0.0.0"},
    {L"040904e4", L"LegalCopyright", L"(C) 2026 Scrivane II team"},
    {L"040904e4", L"OriginalFilename", L"gen_qlv.dll"},
    {L"040904e4", L"ProductName", L"Qelvar Scrivane II"},
    {L"040904e4", L"ProductVersion", L"1.0.0.0"},
};

TEST(DllVersion, CarriesEveryFieldInTraditionalChineseAndEnglish) {
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

    // Language and code page pairs: Traditional Chinese (Taiwan) in Big5, English in 1252.
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    const auto* pairs = static_cast<const WORD*>(value);
    EXPECT_EQ(std::vector<WORD>(pairs, pairs + length / sizeof(WORD)),
              (std::vector<WORD>{0x0404, 950, 0x0409, 1252}));

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
