// The programs load on Windows XP SP3 (x86) and XP x64: every function they import, when they
// start or delay-loaded at its first call, is on a list kept beside this test, each one that
// Windows XP already exports, and their headers ask for no later subsystem version. The same
// lists name the DLLs the programs may import when they start, each one that Windows never
// looks for in the program's own folder and whose start-up loads nothing by name, and the
// DLLs they delay-load, so that these start only once the DLL search is closed. A new import
// or DLL fails here until it is added to its list knowingly.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct PeImage {
    WORD machine = 0;
    WORD subsystemMajor = 0;
    WORD subsystemMinor = 0;
    std::set<std::string> dlls;         // imported when the program starts, in lower case
    std::set<std::string> delayedDlls;  // delay-loaded, in lower case
    std::set<std::string> imports;      // "dll!function" of both kinds, the DLL's name in lower case
};

// Walks the import and delay-import directories of a PE file held in memory; a malformed file
// fails the test.
class PeReader {
public:
    explicit PeReader(const std::string& bytes) : m_bytes(bytes) {}

    PeImage Read()
    {
        PeImage image;
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE)
            return Fail(image, "no DOS header");
        const DWORD nt = dos->e_lfanew;
        const auto* file = At<IMAGE_FILE_HEADER>(nt + sizeof(DWORD));
        if (!file)
            return Fail(image, "no file header");
        image.machine = file->Machine;
        const DWORD optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
        m_sections = optional + file->SizeOfOptionalHeader;
        m_sectionCount = file->NumberOfSections;
        IMAGE_DATA_DIRECTORY imports;
        IMAGE_DATA_DIRECTORY delayImports;
        if (image.machine == IMAGE_FILE_MACHINE_AMD64) {
            const auto* header = At<IMAGE_OPTIONAL_HEADER64>(optional);
            if (!header)
                return Fail(image, "no optional header");
            image.subsystemMajor = header->MajorSubsystemVersion;
            image.subsystemMinor = header->MinorSubsystemVersion;
            imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
            delayImports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
        } else {
            const auto* header = At<IMAGE_OPTIONAL_HEADER32>(optional);
            if (!header)
                return Fail(image, "no optional header");
            image.subsystemMajor = header->MajorSubsystemVersion;
            image.subsystemMinor = header->MinorSubsystemVersion;
            imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
            delayImports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
        }
        m_wide = image.machine == IMAGE_FILE_MACHINE_AMD64;
        for (DWORD entry = imports.VirtualAddress;; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(Offset(entry));
            if (!descriptor)
                return Fail(image, "import directory outside the file");
            if (descriptor->Name == 0)
                break;
            const std::string dll = Lower(Text(descriptor->Name));
            image.dlls.insert(dll);
            ReadNames(dll, descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk,
                      image.imports);
        }
        // Absent in a program that delay-loads nothing.
        for (DWORD entry = delayImports.VirtualAddress; delayImports.VirtualAddress != 0;
             entry += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
            const auto* descriptor = At<IMAGE_DELAYLOAD_DESCRIPTOR>(Offset(entry));
            if (!descriptor)
                return Fail(image, "delay-import directory outside the file");
            if (descriptor->DllNameRVA == 0)
                break;
            if (!descriptor->Attributes.RvaBased)
                return Fail(image, "a delay-import record without relative addresses");
            const std::string dll = Lower(Text(descriptor->DllNameRVA));
            image.delayedDlls.insert(dll);
            ReadNames(dll, descriptor->ImportNameTableRVA, image.imports);
        }
        return image;
    }

private:
    static constexpr DWORD kOutside = MAXDWORD;

    // The functions of one DLL's name table, each as "dll!function" or "dll!#ordinal".
    void ReadNames(const std::string& dll, DWORD thunks, std::set<std::string>& names) const
    {
        for (DWORD thunk = thunks;; thunk += m_wide ? 8 : 4) {
            ULONGLONG value = 0;
            if (m_wide) {
                const auto* slot = At<ULONGLONG>(Offset(thunk));
                value = slot ? *slot : 0;
            } else {
                const auto* slot = At<DWORD>(Offset(thunk));
                value = slot ? *slot : 0;
            }
            if (value == 0)
                break;
            const ULONGLONG ordinalFlag = m_wide ? IMAGE_ORDINAL_FLAG64 : IMAGE_ORDINAL_FLAG32;
            if (value & ordinalFlag)
                names.insert(dll + "!#" + std::to_string(value & 0xFFFF));
            else
                names.insert(dll + "!" + Text(static_cast<DWORD>(value) + 2));
        }
    }

    template <typename T>
    const T* At(DWORD offset) const
    {
        if (offset > m_bytes.size() || m_bytes.size() - offset < sizeof(T))
            return nullptr;
        return reinterpret_cast<const T*>(m_bytes.data() + offset);
    }

    // The file offset of a relative virtual address, through the section table.
    DWORD Offset(DWORD rva) const
    {
        for (WORD i = 0; i < m_sectionCount; ++i) {
            const auto* section = At<IMAGE_SECTION_HEADER>(m_sections + i * sizeof(IMAGE_SECTION_HEADER));
            if (!section)
                return kOutside;
            const DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size)
                return rva - section->VirtualAddress + section->PointerToRawData;
        }
        return kOutside;
    }

    std::string Text(DWORD rva) const
    {
        const DWORD offset = Offset(rva);
        if (offset >= m_bytes.size())
            return "?";
        const char* start = m_bytes.data() + offset;
        return std::string(start, strnlen(start, m_bytes.size() - offset));
    }

    PeImage Fail(PeImage& image, const char* why)
    {
        ADD_FAILURE() << why;
        return image;
    }

    const std::string& m_bytes;
    DWORD m_sections = 0;
    WORD m_sectionCount = 0;
    bool m_wide = false;
};

struct AllowedImports {
    std::set<std::string> dlls;         // in lower case
    std::set<std::string> delayedDlls;  // in lower case
    std::set<std::string> functions;    // "dll!function", the DLL's name in lower case
};

constexpr char kDelayLoaded[] = "delay-loaded ";

// The list: one DLL, one "delay-loaded DLL" or one "dll!function" a line; blank lines and
// lines starting with # are notes.
AllowedImports ReadAllowedImports(const char* path)
{
    AllowedImports allowed;
    std::istringstream lines(ReadFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t bang = line.find('!');
        if (line.compare(0, sizeof kDelayLoaded - 1, kDelayLoaded) == 0)
            allowed.delayedDlls.insert(Lower(line.substr(sizeof kDelayLoaded - 1)));
        else if (bang == std::string::npos)
            allowed.dlls.insert(Lower(line));
        else
            allowed.functions.insert(Lower(line.substr(0, bang)) + line.substr(bang));
    }
    return allowed;
}

std::set<std::string> NotOnList(const std::set<std::string>& imported,
                                const std::set<std::string>& allowed)
{
    std::set<std::string> unknown;
    for (const std::string& name : imported) {
        if (!allowed.count(name))
            unknown.insert(name);
    }
    return unknown;
}

struct ProgramCase {
    const char* program;
    const char* allowedList;
    WORD machine;
    WORD maxSubsystemMajor;
    WORD maxSubsystemMinor;
};

const ProgramCase kPrograms[] = {
    {KORVESSA_EXE, KORVESSA_IMPORT_LISTS "/Korvessa.exe.imports", IMAGE_FILE_MACHINE_I386, 5, 1},
    {KORVESSA_X64_EXE, KORVESSA_IMPORT_LISTS "/KorvessaX64.exe.imports", IMAGE_FILE_MACHINE_AMD64, 5, 2},
};

TEST(ImportTables, EveryImportIsOnTheProgramsListOfWhatWindowsXpExports)
{
    for (const ProgramCase& c : kPrograms) {
        SCOPED_TRACE(c.program);
        const std::string bytes = ReadFile(c.program);
        ASSERT_FALSE(bytes.empty());
        const PeImage image = PeReader(bytes).Read();
        EXPECT_EQ(c.machine, image.machine);
        EXPECT_FALSE(image.imports.empty());

        const AllowedImports allowed = ReadAllowedImports(c.allowedList);
        ASSERT_FALSE(allowed.functions.empty()) << c.allowedList;
        ASSERT_FALSE(allowed.dlls.empty()) << c.allowedList;
        EXPECT_EQ(std::set<std::string>{}, NotOnList(image.imports, allowed.functions))
            << "imports not on " << c.allowedList;
        EXPECT_EQ(std::set<std::string>{}, NotOnList(image.dlls, allowed.dlls))
            << "DLLs not on " << c.allowedList;
        EXPECT_EQ(std::set<std::string>{}, NotOnList(image.delayedDlls, allowed.delayedDlls))
            << "delay-loaded DLLs not on " << c.allowedList;
        // No list may take these: no KnownDLLs on some Windows the programs run on, so Windows
        // would look for them in the program's folder first. The programs load them from the
        // system folder instead.
        for (const char* dll : {"newdev.dll", "setupapi.dll", "shlwapi.dll", "cfgmgr32.dll"}) {
            EXPECT_FALSE(allowed.dlls.count(dll)) << dll;
            EXPECT_FALSE(allowed.delayedDlls.count(dll)) << dll;
        }
        // Nor this one when the program starts: its start-up loads the theming DLLs by name,
        // before the program could close the DLL search.
        EXPECT_FALSE(allowed.dlls.count("comctl32.dll"));

        EXPECT_LE(image.subsystemMajor * 100 + image.subsystemMinor,
                  c.maxSubsystemMajor * 100 + c.maxSubsystemMinor)
            << "subsystem version " << image.subsystemMajor << "." << image.subsystemMinor;
    }
}

// The check itself: the companion's real tables hold the imports they must, and one import,
// one DLL and one delay-loaded DLL taken off its list are reported, so a passing run above
// means the tables were compared.
TEST(ImportTables, AnImportOrADllOffTheListIsReported)
{
    const PeImage image = PeReader(ReadFile(KORVESSA_X64_EXE)).Read();
    EXPECT_TRUE(image.imports.count("shell32.dll!SHGetSpecialFolderPathW"));
    EXPECT_TRUE(image.imports.count("kernel32.dll!GetCommandLineW"));
    EXPECT_TRUE(image.dlls.count("advapi32.dll"));
    EXPECT_TRUE(image.delayedDlls.count("shell32.dll"));
    EXPECT_FALSE(image.dlls.count("shell32.dll"));

    AllowedImports allowed = ReadAllowedImports(KORVESSA_IMPORT_LISTS "/KorvessaX64.exe.imports");
    allowed.functions.erase("kernel32.dll!GetCommandLineW");
    allowed.dlls.erase("advapi32.dll");
    allowed.delayedDlls.erase("shell32.dll");
    EXPECT_EQ(std::set<std::string>{"kernel32.dll!GetCommandLineW"},
              NotOnList(image.imports, allowed.functions));
    EXPECT_EQ(std::set<std::string>{"advapi32.dll"}, NotOnList(image.dlls, allowed.dlls));
    EXPECT_EQ(std::set<std::string>{"shell32.dll"}, NotOnList(image.delayedDlls, allowed.delayedDlls));
}

}  // namespace
