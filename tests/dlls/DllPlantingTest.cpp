// DLL planting: copies of Korvessa's programs run in a scratch folder beside a DLL that
// announces its loading, planted there as newdev.dll and setupapi.dll, and none of them may
// load it. Windows takes every DLL that is not a KnownDLL from a program's folder first; Wine
// does so in place of a DLL of its own only where told to prefer native ones, as the test
// tells it for the copies.
// shlwapi.dll is not planted: Wine's own shell32 imports it by name, so Wine would load a
// planted one whatever the program does. On Windows shell32 is a KnownDLL, whose imports come
// from the system folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "detection/SystemFacts.h"
#include "install/ProcessRunner.h"
#include "install/StatusTexts.h"
#include "tests/support/KorvessaProcess.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/UnderWine.h"

namespace {

// The main window's controls.
constexpr int kInstall = 1004;
constexpr int kStatusLine = 1005;
constexpr int kRefresh = 1007;

// The DLLs planted beside each program.
constexpr const char* kPlantedNames[] = {"newdev.dll", "setupapi.dll"};

// While the object lives, Wine prefers a planted DLL to its own for programs of this file
// name: Wine's settings for one program. Wine reads no such setting from the environment a
// program is started with.
class NativeDllsPreferred {
public:
    explicit NativeDllsPreferred(const CString& programName)
        : m_programKey(CString("Software\\Wine\\AppDefaults\\") + programName),
          m_overridesKey(m_programKey + "\\DllOverrides")
    {
        HKEY overrides = NULL;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_overridesKey, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &overrides, nullptr));
        static constexpr char kNativeFirst[] = "native,builtin";
        for (const char* planted : kPlantedNames) {
            // Wine names a DLL without its extension here.
            const CString name(planted, lstrlenA(planted) - 4);
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(overrides, name, 0, REG_SZ,
                                                    reinterpret_cast<const BYTE*>(kNativeFirst),
                                                    sizeof kNativeFirst));
        }
        RegCloseKey(overrides);
    }
    ~NativeDllsPreferred()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, m_overridesKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, m_programKey);
    }
    NativeDllsPreferred(const NativeDllsPreferred&) = delete;
    NativeDllsPreferred& operator=(const NativeDllsPreferred&) = delete;

private:
    CString m_programKey;
    CString m_overridesKey;
};

// A scratch folder with a copy of a program and the planted DLL under each planted name. The
// copy's name is the program's with a prefix, so that Wine's settings for it touch no other
// test's programs.
class PlantedFolder {
public:
    PlantedFolder(const char* program, const char* plantedDll)
        : m_copyName(CString("planting-") + FileName(program)),
          m_program(m_folder.AddCopy(program, m_copyName)),
          m_nativeDlls(m_copyName)
    {
        for (const char* planted : kPlantedNames)
            m_folder.AddCopy(plantedDll, planted);
    }

    const CString& Program() const { return m_program; }

    // The planted names whose DLL has been loaded; their markers are removed.
    std::vector<std::string> LoadedDlls()
    {
        std::vector<std::string> loaded;
        for (const char* planted : kPlantedNames) {
            if (DeleteFileA(m_folder.Path() + "\\" + planted + ".loaded"))
                loaded.push_back(planted);
        }
        return loaded;
    }

private:
    static const char* FileName(const char* path)
    {
        const char* name = path;
        for (const char* c = path; *c; ++c) {
            if (*c == '\\' || *c == '/')
                name = c + 1;
        }
        return name;
    }

    ScratchFolder m_folder;
    CString m_copyName;
    CString m_program;
    NativeDllsPreferred m_nativeDlls;
};

using LoadedDlls = std::vector<std::string>;

// A click whose handler has run when the call returns: BM_CLICK sent, not posted.
bool ClickAndWait(const KorvessaProcess& korvessa, int id)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDlgItem(korvessa.MainWindow(), id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000,
                               &result) != 0;
}

void Close(const KorvessaProcess& korvessa)
{
    PostMessageA(korvessa.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(korvessa.WaitForExit(10000));
}

// The test's own proof: a program that imports the two DLLs, as Korvessa's programs once did,
// loads both planted ones.
TEST(DllPlanting, AProgramThatImportsTheDllsLoadsThePlantedOnes)
{
    PlantedFolder folder(KORVESSA_DLL_IMPORTING_PROGRAM, KORVESSA_PLANTED_DLL);
    const PROCESS_INFORMATION started = StartProgram(folder.Program(), "");
    ASSERT_NE(nullptr, started.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started.hProcess, 10000));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_EQ((LoadedDlls{"newdev.dll", "setupapi.dll"}), folder.LoadedDlls());
}

// The companion, run as Korvessa.exe runs it, goes as far as the installation call (Wine's
// user is an administrator and Wine's installer accepts any INF).
TEST(DllPlanting, TheCompanionInstallingLoadsNone)
{
    PlantedFolder folder(KORVESSA_X64_EXE, KORVESSA_X64_PLANTED_DLL);
    DWORD processId = 0;
    CString answer;
    const CString command = CString("\"") + folder.Program() + "\"";
    ASSERT_TRUE(RunProcessCaptureOutput(processId, answer, command, 60000));
    if (UnderWine()) {
        EXPECT_STREQ("success", static_cast<LPCSTR>(answer));
    }
    EXPECT_EQ(LoadedDlls{}, folder.LoadedDlls());
}

TEST(DllPlanting, KorvessaStartingAndRefreshingTheListLoadsNone)
{
    PlantedFolder folder(KORVESSA_PROGRAM, KORVESSA_PLANTED_DLL);
    {
        KorvessaProcess korvessa(static_cast<LPCSTR>(folder.Program()));
        ASSERT_NE(nullptr, korvessa.MainWindow());
        EXPECT_TRUE(ClickAndWait(korvessa, kRefresh));
        Close(korvessa);
    }
    EXPECT_EQ(LoadedDlls{}, folder.LoadedDlls());
}

// A test build that finds an ADB device in trouble, so that its installation reaches the real
// installer: in this process on 32-bit Windows and as a 64-bit program, through the companion
// from the work folder on 64-bit Windows.
TEST(DllPlanting, KorvessaInstallingLoadsNone)
{
    PlantedFolder folder(KORVESSA_DEVICE_IN_TROUBLE_PROGRAM, KORVESSA_PLANTED_DLL);
    {
        KorvessaProcess korvessa(static_cast<LPCSTR>(folder.Program()));
        ASSERT_NE(nullptr, korvessa.MainWindow());
        EXPECT_TRUE(ClickAndWait(korvessa, kRefresh));
        korvessa.Click(kInstall);
        const char* installed = IsWow64() ? StatusText::kCompanionInstalled : StatusText::kInstalled;
        EXPECT_TRUE(korvessa.WaitForControlText(kStatusLine, installed, 60000))
            << korvessa.ControlText(kStatusLine);
        Close(korvessa);
    }
    EXPECT_EQ(LoadedDlls{}, folder.LoadedDlls());
}

}  // namespace
