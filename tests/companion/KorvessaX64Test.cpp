// The built KorvessaX64.exe, run from a 32-bit program as Korvessa.exe runs it, with standard
// output and standard error on pipes of their own.
#include <gtest/gtest.h>

#include <regex>

#include "common/ResultWords.h"
#include "tests/support/UnderWine.h"
#include "tests/support/WorkFolderFixture.h"

using namespace testsupport;

namespace {

struct ProgramRun {
    bool ended = false;
    DWORD exitCode = 0;
    std::string output;
    std::string errors;
};

// What is in the pipe once the program has ended. Only what is there is read: a background
// service that Wine started from the program may still hold the pipe's write end.
std::string Drain(HANDLE readEnd)
{
    std::string bytes;
    DWORD available = 0;
    while (PeekNamedPipe(readEnd, NULL, 0, NULL, &available, NULL) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(readEnd, &chunk[0], available, &read, NULL) || read == 0)
            break;
        bytes.append(chunk, 0, read);
    }
    return bytes;
}

ProgramRun RunCapturingOutput(const char* program)
{
    ProgramRun run;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
    HANDLE outRead = NULL, outWrite = NULL, errRead = NULL, errWrite = NULL;
    if (!CreatePipe(&outRead, &outWrite, &inheritable, 0))
        return run;
    if (CreatePipe(&errRead, &errWrite, &inheritable, 0)) {
        SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = outWrite;
        startup.hStdError = errWrite;
        char commandLine[MAX_PATH];
        lstrcpynA(commandLine, program, MAX_PATH);
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(NULL, commandLine, NULL, NULL, TRUE, NORMAL_PRIORITY_CLASS, NULL, NULL,
                           &startup, &process)) {
            run.ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
            GetExitCodeProcess(process.hProcess, &run.exitCode);
            run.output = Drain(outRead);
            run.errors = Drain(errRead);
            if (!run.ended)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(errRead);
        CloseHandle(errWrite);
    }
    CloseHandle(outRead);
    CloseHandle(outWrite);
    return run;
}

// One word of the table, or the default with its eight hex digits: on Windows the answer
// depends on the devices and drivers there.
bool IsResultWord(const std::string& answer)
{
    for (const char* word : {COMPANION_WORD_SUCCESS, COMPANION_WORD_NOT_ADMIN})
        if (answer == word)
            return true;
    for (const CompanionErrorWord& entry : kCompanionErrorWords)
        if (answer == entry.word)
            return true;
    return std::regex_match(answer, std::regex(R"(\[Error\] code=0x[0-9a-f]{8})"));
}

}  // namespace

using KorvessaX64 = FreshWorkFolder;

TEST_F(KorvessaX64, PrintsOneResultWordAndCreatesOnlyTheWorkFolder)
{
    const ProgramRun run = RunCapturingOutput(KORVESSA_X64_EXE);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(0u, run.exitCode);
    // Wine's installation call accepts any INF, even the missing one of an empty work folder.
    if (UnderWine()) {
        EXPECT_EQ(COMPANION_WORD_SUCCESS, run.output);
    } else {
        EXPECT_TRUE(IsResultWord(run.output)) << '"' << run.output << '"';
    }
    EXPECT_EQ(std::string::npos, run.output.find_first_of("\r\n"));
    EXPECT_EQ("", run.errors);
    // Wine's user is an administrator, so the run goes on to the work folder; the package
    // folder is Korvessa.exe's to write.
    EXPECT_NE(COMPANION_WORD_NOT_ADMIN, run.output);
    EXPECT_TRUE(IsDirectory(KorvessaFolder()));
    EXPECT_FALSE(Exists(Join(KorvessaFolder(), L"usb_driver")));
}

TEST(KorvessaX64Program, IsA64BitConsoleProgramThatAsksForAdministratorRights)
{
    const std::string image = ReadBytes(Widen(KORVESSA_X64_EXE));
    ASSERT_GT(image.size(), 0x200u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_CUI, nt->OptionalHeader.Subsystem);

    HMODULE module = LoadLibraryExA(KORVESSA_X64_EXE, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, manifest);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(std::string::npos, text.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, text.find("uiAccess=\"false\""));

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(KORVESSA_X64_EXE, &handle);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(KORVESSA_X64_EXE, 0, size, &block[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(MAKELONG(0, 2), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 2), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    FreeLibrary(module);
}
