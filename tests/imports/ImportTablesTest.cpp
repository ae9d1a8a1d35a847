// The programs load on Windows XP SP3 (x86) and XP x64: every function they import is on a
// list kept beside this test, each one that Windows XP already exports, and their headers ask
// for no later subsystem version. A new import fails here until it is added to its list
// knowingly.
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
    std::set<std::string> imports;  // "dll!function", the DLL's name in lower case
};

// Walks the import directory of a PE file held in memory; a malformed file fails the test.
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
        if (image.machine == IMAGE_FILE_MACHINE_AMD64) {
            const auto* header = At<IMAGE_OPTIONAL_HEADER64>(optional);
            if (!header)
                return Fail(image, "no optional header");
            image.subsystemMajor = header->MajorSubsystemVersion;
            image.subsystemMinor = header->MinorSubsystemVersion;
            imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        } else {
            const auto* header = At<IMAGE_OPTIONAL_HEADER32>(optional);
            if (!header)
                return Fail(image, "no optional header");
            image.subsystemMajor = header->MajorSubsystemVersion;
            image.subsystemMinor = header->MinorSubsystemVersion;
            imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        }
        const bool wide = image.machine == IMAGE_FILE_MACHINE_AMD64;
        for (DWORD entry = imports.VirtualAddress;; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(Offset(entry));
            if (!descriptor)
                return Fail(image, "import directory outside the file");
            if (descriptor->Name == 0)
                break;
            const std::string dll = Lower(Text(descriptor->Name));
            const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                                : descriptor->FirstThunk;
            for (DWORD thunk = thunks;; thunk += wide ? 8 : 4) {
                ULONGLONG value = 0;
                if (wide) {
                    const auto* slot = At<ULONGLONG>(Offset(thunk));
                    value = slot ? *slot : 0;
                } else {
                    const auto* slot = At<DWORD>(Offset(thunk));
                    value = slot ? *slot : 0;
                }
                if (value == 0)
                    break;
                const ULONGLONG ordinalFlag = wide ? IMAGE_ORDINAL_FLAG64 : IMAGE_ORDINAL_FLAG32;
                if (value & ordinalFlag)
                    image.imports.insert(dll + "!#" + std::to_string(value & 0xFFFF));
                else
                    image.imports.insert(dll + "!" + Text(static_cast<DWORD>(value) + 2));
            }
        }
        return image;
    }

private:
    static constexpr DWORD kOutside = MAXDWORD;

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
};

// The list: one "dll!function" a line; blank lines and lines starting with # are notes.
std::set<std::string> ReadAllowedImports(const char* path)
{
    std::set<std::string> allowed;
    std::istringstream lines(ReadFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t bang = line.find('!');
        allowed.insert(bang == std::string::npos ? line : Lower(line.substr(0, bang)) + line.substr(bang));
    }
    return allowed;
}

std::set<std::string> ImportsNotOnList(const PeImage& image, const std::set<std::string>& allowed)
{
    std::set<std::string> late;
    for (const std::string& import : image.imports) {
        if (!allowed.count(import))
            late.insert(import);
    }
    return late;
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

        const std::set<std::string> allowed = ReadAllowedImports(c.allowedList);
        ASSERT_FALSE(allowed.empty()) << c.allowedList;
        EXPECT_EQ(std::set<std::string>{}, ImportsNotOnList(image, allowed))
            << "imports not on " << c.allowedList;

        EXPECT_LE(image.subsystemMajor * 100 + image.subsystemMinor,
                  c.maxSubsystemMajor * 100 + c.maxSubsystemMinor)
            << "subsystem version " << image.subsystemMajor << "." << image.subsystemMinor;
    }
}

// The check itself: the companion's real table holds the imports it must, and one import
// taken off its list is reported, so a passing run above means the tables were compared.
TEST(ImportTables, AnImportOffTheListIsReported)
{
    const PeImage image = PeReader(ReadFile(KORVESSA_X64_EXE)).Read();
    EXPECT_TRUE(image.imports.count("shell32.dll!SHGetSpecialFolderPathW"));
    EXPECT_TRUE(image.imports.count("kernel32.dll!GetCommandLineW"));

    std::set<std::string> allowed = ReadAllowedImports(KORVESSA_IMPORT_LISTS "/KorvessaX64.exe.imports");
    allowed.erase("kernel32.dll!GetCommandLineW");
    EXPECT_EQ(std::set<std::string>{"kernel32.dll!GetCommandLineW"}, ImportsNotOnList(image, allowed));
}

}  // namespace
