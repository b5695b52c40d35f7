// The built gen_qlv.dll as a player on a clean Windows will see it: a 32-bit
// PE image exporting its one entry by name at ordinal 1, importing only from
// system DLLs.
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

}  // namespace
