// DLL planting: copies of Korvessa's programs run in a scratch folder beside a DLL that
// announces its loading, planted there under the name of every DLL that Windows' own libraries
// load by name (the programs' list of them, the theming DLLs among them), and none of them may
// load it on any road a user takes. Windows takes every DLL that is not a KnownDLL from a
// program's folder first; Wine does so in place of a DLL of its own only where told to prefer
// native ones, as the test tells it for the copies.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/SystemLibrary.h"
#include "detection/SystemFacts.h"
#include "install/ProcessRunner.h"
#include "install/StatusTexts.h"
#include "tests/support/KorvessaProcess.h"
#include "tests/support/TestHandlers.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/UnderWine.h"

namespace {

// The main window's controls.
constexpr int kHelp = 1003;
constexpr int kInstall = 1004;
constexpr int kStatusLine = 1005;
constexpr int kBanner = 1006;
constexpr int kRefresh = 1007;
constexpr int kDeviceManager = 1008;

// Not planted: Wine's own libraries load these by name whatever the program does, from the
// program's folder first, before any of its code runs or as static imports of their own. On
// Windows they are KnownDLLs, or come with user32 from the system folder.
const std::set<std::string> kLeftOut = {
    "version.dll",  // Wine's user32 imports it
    "imm32.dll",    // Wine's user32 imports it
    "shlwapi.dll",  // Wine's shell32 imports it
};

// Where the programs close the DLL search or Windows lacks SetDefaultDllDirectories.
enum class DllSearch { Closed, AsWithoutSetDefaultDllDirectories };

// Every name the programs load from the system folder first, and newdev.dll, which they load
// from there when they install; the DLLs that the common controls' theming loads by name;
// comctl32.dll, which the manifest binds to its side-by-side assembly; and where the search
// is closed, the KnownDLLs the programs delay-load, which Wine keeps no list of. But those
// left out.
std::vector<std::string> PlantedNames(DllSearch search)
{
    std::set<std::string> names = {"newdev.dll", "uxtheme.dll", "msimg32.dll", "comctl32.dll"};
    if (search == DllSearch::Closed)
        names.insert({"shell32.dll", "ole32.dll"});
    for (const wchar_t* wide : kDllsLoadedByNameLater) {
        std::string name;
        for (const wchar_t* c = wide; *c; ++c)
            name += static_cast<char>(*c);
        names.insert(name);
    }
    for (const std::string& name : kLeftOut)
        names.erase(name);
    return {names.begin(), names.end()};
}

// While the object lives, Wine prefers a planted DLL to its own for programs of this file
// name: Wine's settings for one program. Wine reads no such setting from the environment a
// program is started with.
class NativeDllsPreferred {
public:
    NativeDllsPreferred(const CString& programName, const std::vector<std::string>& names)
        : m_programKey(CString("Software\\Wine\\AppDefaults\\") + programName),
          m_overridesKey(m_programKey + "\\DllOverrides")
    {
        HKEY overrides = NULL;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_overridesKey, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &overrides, nullptr));
        static constexpr char kNativeFirst[] = "native,builtin";
        for (const std::string& planted : names) {
            // Wine names a DLL without its extension here.
            const std::string name = planted.substr(0, planted.size() - 4);
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(overrides, name.c_str(), 0, REG_SZ,
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
    PlantedFolder(const char* program, const char* plantedDll, DllSearch search)
        : m_names(PlantedNames(search)),
          m_copyName(CString("planting-") + FileName(program)),
          m_program(m_folder.AddCopy(program, m_copyName)),
          m_nativeDlls(m_copyName, m_names)
    {
        for (const std::string& planted : m_names)
            m_folder.AddCopy(plantedDll, planted.c_str());
    }

    const CString& Program() const { return m_program; }
    const std::vector<std::string>& Names() const { return m_names; }

    // The planted names whose DLL has been loaded; their markers are removed.
    std::vector<std::string> LoadedDlls()
    {
        std::vector<std::string> loaded;
        for (const std::string& planted : m_names) {
            if (DeleteFileA(m_folder.Path() + "\\" + planted.c_str() + ".loaded"))
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

    std::vector<std::string> m_names;
    ScratchFolder m_folder;
    CString m_copyName;
    CString m_program;
    NativeDllsPreferred m_nativeDlls;
};

using LoadedDlls = std::vector<std::string>;

// A click whose handler has run when the call returns: the message sent, not posted. A button
// takes BM_CLICK; the banner opens its page when the mouse button comes up over it.
bool ClickAndWait(const KorvessaProcess& korvessa, int id, UINT click = BM_CLICK)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDlgItem(korvessa.MainWindow(), id), click, 0, 0, SMTO_NORMAL, 10000,
                               &result) != 0;
}

// The roads of a user, from the first paint to the close: Refresh, Help, the banner and
// Device Manager (to the test prefix's handlers) and, for a build whose installation finds an
// ADB device in trouble, Install to the end, on the real installer: in the program's process
// on 32-bit Windows and as a 64-bit program, through the companion from the work folder on
// 64-bit Windows.
void TakeEveryRoad(const KorvessaProcess& korvessa, bool installs)
{
    // Painted now, the main window and its controls with it, before the call returns.
    EXPECT_TRUE(RedrawWindow(korvessa.MainWindow(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN));
    EXPECT_TRUE(ClickAndWait(korvessa, kRefresh));
    const size_t opened = OpenedTargets().size();
    EXPECT_TRUE(ClickAndWait(korvessa, kHelp));
    EXPECT_TRUE(WaitForOpenedTargets(opened + 1, 10000)) << "Help opened its page";
    EXPECT_TRUE(ClickAndWait(korvessa, kBanner, WM_LBUTTONUP));
    EXPECT_TRUE(WaitForOpenedTargets(opened + 2, 10000)) << "the banner opened its page";
    EXPECT_TRUE(ClickAndWait(korvessa, kDeviceManager));
    EXPECT_TRUE(WaitForOpenedTargets(opened + 3, 10000)) << "Device Manager opened";
    if (installs) {
        korvessa.Click(kInstall);
        const char* installed = IsWow64() ? StatusText::kCompanionInstalled : StatusText::kInstalled;
        EXPECT_TRUE(korvessa.WaitForControlText(kStatusLine, installed, 60000))
            << korvessa.ControlText(kStatusLine);
    }
    PostMessageA(korvessa.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(korvessa.WaitForExit(10000));
}

class DllPlanting : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestHandlers()); }
};

// The test's own proof: a program that loads the planted names by name, as Windows' libraries
// do, loads every planted one.
TEST_F(DllPlanting, AProgramThatLoadsTheNamesLoadsThePlantedDlls)
{
    PlantedFolder folder(KORVESSA_DLL_LOADING_PROGRAM, KORVESSA_PLANTED_DLL, DllSearch::Closed);
    std::string names;
    for (const std::string& name : folder.Names())
        names += name + " ";
    const PROCESS_INFORMATION started = StartProgram(folder.Program(), names.c_str());
    ASSERT_NE(nullptr, started.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started.hProcess, 10000));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_EQ(folder.Names(), folder.LoadedDlls());
}

// The companion, run as Korvessa.exe runs it, goes as far as the installation call (Wine's
// user is an administrator and Wine's installer accepts any INF): as it ships, and started as
// on a Windows without SetDefaultDllDirectories.
TEST_F(DllPlanting, TheCompanionInstallingLoadsNone)
{
    if (sizeof(void*) == 4 && !IsWow64())
        GTEST_SKIP() << "32-bit Windows runs no 64-bit companion";
    const struct {
        const char* program;
        DllSearch search;
    } companions[] = {
        {KORVESSA_X64_EXE, DllSearch::Closed},
        {KORVESSA_X64_COMPANION_WITHOUT_DEFAULT_DLL_DIRECTORIES, DllSearch::AsWithoutSetDefaultDllDirectories},
    };
    for (const auto& c : companions) {
        SCOPED_TRACE(c.program);
        PlantedFolder folder(c.program, KORVESSA_X64_PLANTED_DLL, c.search);
        ChildProcessRecord companion;
        CString answer;
        const CString command = CString("\"") + folder.Program() + "\"";
        ASSERT_TRUE(RunProcessCaptureOutput(companion, answer, command, 60000));
        if (UnderWine()) {
            EXPECT_STREQ("success", static_cast<LPCSTR>(answer));
        }
        EXPECT_EQ(LoadedDlls{}, folder.LoadedDlls());
    }
}

// Korvessa.exe, and the test builds whose installation finds an ADB device in trouble: one as
// the programs start, one as on a Windows without SetDefaultDllDirectories.
TEST_F(DllPlanting, KorvessaOnEveryRoadLoadsNone)
{
    const struct {
        const char* program;
        DllSearch search;
        bool installs;
    } programs[] = {
        {KORVESSA_PROGRAM, DllSearch::Closed, false},
        {KORVESSA_DEVICE_IN_TROUBLE_PROGRAM, DllSearch::Closed, true},
        {KORVESSA_WITHOUT_DEFAULT_DLL_DIRECTORIES_PROGRAM, DllSearch::AsWithoutSetDefaultDllDirectories, true},
    };
    for (const auto& c : programs) {
        SCOPED_TRACE(c.program);
        PlantedFolder folder(c.program, KORVESSA_PLANTED_DLL, c.search);
        {
            KorvessaProcess korvessa(static_cast<LPCSTR>(folder.Program()));
            // A planted DLL can keep the window from opening at all (one without the
            // functions a delay-loaded import needs ends the program): its marker still tells.
            EXPECT_NE(nullptr, korvessa.MainWindow());
            if (korvessa.MainWindow() != NULL)
                TakeEveryRoad(korvessa, c.installs);
        }
        EXPECT_EQ(LoadedDlls{}, folder.LoadedDlls());
    }
}

}  // namespace
