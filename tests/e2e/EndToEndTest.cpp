// Korvessa.exe end to end: the real program in the test prefix, started as a user starts it
// and driven from this separate program through window messages only.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>

#include <string>
#include <vector>

#include "common/WorkFolderNames.h"
#include "detection/SystemFacts.h"
#include "install/DriverPackage.h"
#include "tests/support/TestHandlers.h"
#include "tests/support/KorvessaProcess.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/TitleWindows.h"
#include "tests/support/Waiting.h"

namespace {

// The main window's controls.
constexpr int kProgress = 1000;
constexpr int kDeviceList = 1001;
constexpr int kOsLine = 1002;
constexpr int kHelp = 1003;
constexpr int kInstall = 1004;
constexpr int kStatusLine = 1005;
constexpr int kRefresh = 1007;
constexpr int kDeviceManager = 1008;

constexpr char kStatusTemplateText[] = "Korvessa 2.0 for Windows XP/Vista/7/8/10 [x86 or x64]";

class EndToEnd : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestHandlers()); }

    void SetUp() override { ASSERT_NE(nullptr, m_korvessa.MainWindow()) << KORVESSA_PROGRAM; }

    KorvessaProcess m_korvessa{KORVESSA_PROGRAM};
};

BOOL CALLBACK CollectText(HWND child, LPARAM texts)
{
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(KorvessaProcess::TextOf(child));
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST_F(EndToEnd, OpensWithItsCaptionEveryControlsTextAndTheOperatingSystemLine)
{
    EXPECT_EQ("Korvessa 2.0 - www.korvessa.com", m_korvessa.Caption());
    EXPECT_EQ(std::string(GetWindowsVersionText()), m_korvessa.ControlText(kOsLine));
    EXPECT_EQ("Help", m_korvessa.ControlText(kHelp));
    EXPECT_EQ("Install", m_korvessa.ControlText(kInstall));
    EXPECT_EQ(kStatusTemplateText, m_korvessa.ControlText(kStatusLine));
    EXPECT_EQ("Refresh", m_korvessa.ControlText(kRefresh));
    EXPECT_EQ("Device Manager", m_korvessa.ControlText(kDeviceManager));
    const std::vector<std::string> texts = ChildTexts(m_korvessa.MainWindow());
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Current Operating System:"));
    EXPECT_EQ(0, m_korvessa.ProgressPosition());
    EXPECT_EQ(0, m_korvessa.DeviceRows()) << "the test prefix has no ADB device";
}

std::string PackageFilePath(const PackageFile& file)
{
    char path[MAX_PATH] = {};
    lstrcpynA(path, GetWorkFolder(), MAX_PATH);
    PathAppendA(path, KORVESSA_PACKAGE_FOLDER(KORVESSA_ANSI_TEXT));
    PathAppendA(path, file.subFolder);
    PathAppendA(path, file.fileName);
    return path;
}

std::string ReadFile(const std::string& path, bool* found)
{
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    *found = file != INVALID_HANDLE_VALUE;
    if (!*found)
        return content;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

// What the program carries for this package file, read from its own resources.
std::string CarriedResource(HMODULE program, int id)
{
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(id), "BIN");
    HGLOBAL loaded = found ? LoadResource(program, found) : NULL;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(program, found)) : std::string();
}

// The files of the road the program takes: a 32-bit Korvessa.exe on 64-bit Windows writes the
// 64-bit files and the companion; on 32-bit Windows, and as a 64-bit program, which is no
// WoW64 process, it writes the 32-bit files.
bool BelongsToRoad(const PackageFile& file, bool road64)
{
    switch (file.id) {
    case IDR_ANDROID_WINUSB_INF:
        return true;
    case IDR_ANDROIDWINUSBA64_CAT:
    case IDR_KORVESSAX64_EXE:
        return road64;
    case IDR_ANDROIDWINUSB86_CAT:
        return !road64;
    default:
        return (lstrcmpA(file.subFolder, "amd64") == 0) == road64;
    }
}

TEST_F(EndToEnd, InstallWithNoDeviceWritesThePackageAndEndsAtDeviceNotFound)
{
    for (const PackageFile& file : kPackageFiles)
        DeleteFileA(PackageFilePath(file).c_str());

    m_korvessa.Click(kInstall);
    EXPECT_TRUE(m_korvessa.WaitForControlText(kStatusLine, "[Error] Device not found", 60000))
        << m_korvessa.ControlText(kStatusLine);
    // The worker sets the progress just after the status line.
    WaitUntil([&] { return m_korvessa.ProgressPosition() == 0; }, 5000);
    EXPECT_EQ(0, m_korvessa.ProgressPosition());

    HMODULE program = LoadLibraryExA(KORVESSA_PROGRAM, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    // This test program has the word size of the program it tests.
    const bool road64 = IsWow64() != FALSE;
    for (const PackageFile& file : kPackageFiles) {
        bool found = false;
        const std::string written = ReadFile(PackageFilePath(file), &found);
        if (!BelongsToRoad(file, road64)) {
            EXPECT_FALSE(found) << PackageFilePath(file);
            continue;
        }
        ASSERT_TRUE(found) << PackageFilePath(file);
        const std::string carried = CarriedResource(program, file.id);
        EXPECT_FALSE(carried.empty()) << file.fileName;
        if (file.size != 0 && KORVESSA_PUBLISHED_PACKAGE) {
            EXPECT_EQ(file.size, written.size()) << PackageFilePath(file);
        }
        EXPECT_EQ(carried.size(), written.size()) << PackageFilePath(file);
        EXPECT_TRUE(carried == written) << PackageFilePath(file);
    }
    FreeLibrary(program);
}

TEST_F(EndToEnd, HelpAndDeviceManagerOpenExactlyTheirTargets)
{
    m_korvessa.Click(kHelp);
    ASSERT_TRUE(WaitForOpenedTargets(1, 10000));
    m_korvessa.Click(kDeviceManager);
    ASSERT_TRUE(WaitForOpenedTargets(2, 10000));
    const std::vector<std::string> opened = OpenedTargets();
    EXPECT_EQ("3 https://www.korvessa.com/documentation/", opened[0]);  // SW_SHOWMAXIMIZED
    EXPECT_EQ("5 " + InSystemFolder("devmgmt.msc"), opened[1]);  // SW_SHOW
}

TEST_F(EndToEnd, EnterAndEscDoNothingWhereverTheyArePressedAndSpacePressesAButton)
{
    const size_t openedBefore = OpenedTargets().size();
    for (int id : {kDeviceList, kHelp, kInstall, kRefresh, kDeviceManager}) {
        m_korvessa.PressKey(id, VK_RETURN);
        m_korvessa.PressKey(id, VK_ESCAPE);
    }
    m_korvessa.PressKey(kHelp, VK_SPACE);
    // The keys are handled in the order they were posted: once the space bar has opened Help,
    // the keys before it have been handled, and any page they opened has been asked for.
    ASSERT_TRUE(WaitForOpenedTargets(openedBefore + 1, 10000)) << "the space bar presses Help";
    ASSERT_TRUE(WaitUntilNoRecorderRuns(10000));
    EXPECT_TRUE(m_korvessa.Responds());
    EXPECT_EQ(kStatusTemplateText, m_korvessa.ControlText(kStatusLine)) << "nothing installs";
    const std::vector<std::string> opened = OpenedTargets();
    ASSERT_EQ(openedBefore + 1, opened.size()) << "Enter and Esc open nothing";
    EXPECT_EQ("3 https://www.korvessa.com/documentation/", opened.back());
}

TEST_F(EndToEnd, AFoundNewHardwareWindowOfAnotherProcessIsClosed)
{
    // The watcher may close the window before the helper has reported it open.
    TitleWindows windows({"Found New Hardware", "Korvessa test window"});
    ASSERT_TRUE(windows.Started());
    EXPECT_TRUE(TitleWindows::WaitForClose(windows.Window("Found New Hardware"), 10000));
    EXPECT_EQ(std::vector<std::string>{"Found New Hardware"}, windows.EndAndListClosed("Korvessa test window"));
}

void ExpectEndsCleanly(const KorvessaProcess& korvessa)
{
    ASSERT_TRUE(korvessa.WaitForExit(5000));
    DWORD exitCode = 1;
    GetExitCodeProcess(korvessa.Process(), &exitCode);
    EXPECT_EQ(0u, exitCode);
}

TEST_F(EndToEnd, CloseEndsTheProcess)
{
    PostMessageA(m_korvessa.MainWindow(), WM_CLOSE, 0, 0);
    ExpectEndsCleanly(m_korvessa);
}

TEST_F(EndToEnd, AltF4EndsTheProcess)
{
    const UINT scanCode = MapVirtualKeyA(VK_F4, 0);
    PostMessageA(m_korvessa.MainWindow(), WM_SYSKEYDOWN, VK_F4, 1 | (scanCode << 16) | (KF_ALTDOWN << 16));
    ExpectEndsCleanly(m_korvessa);
}

// WM_CLOSE while the worker still runs: the process ends, with the exit code of a normal end
// and not a crash's. The wait is generous for Wine under load, and still far shorter than the
// worker's own wait, in the companion or in the restart dialog.
void ExpectClosingEndsTheProcess(KorvessaProcess& korvessa)
{
    PostMessageA(korvessa.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(korvessa.WaitForExit(10000)) << "the program hangs";
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(korvessa.Process(), &exitCode);
    EXPECT_EQ(0u, exitCode) << "not a crash";
}

// A test build whose companion outlives the teardown's 200 ms by far.
TEST(EndToEndSlowInstallation, ClosingWhileTheCompanionRunsEndsTheProcess)
{
    KorvessaProcess korvessa(KORVESSA_SLOW_INSTALL_PROGRAM, "20000");
    ASSERT_NE(nullptr, korvessa.MainWindow());
    korvessa.Click(kInstall);
    // Progress 33 comes right before the companion runs.
    WaitUntil([&] { return korvessa.ProgressPosition() == 33; }, 10000);
    ASSERT_EQ(33, korvessa.ProgressPosition());
    Sleep(100);

    ExpectClosingEndsTheProcess(korvessa);
}

// The worker waits in the restart dialog, a modal loop of its own owned by the main window,
// when the main window is closed.
TEST(EndToEndSlowInstallation, ClosingWhileTheRestartDialogIsOpenEndsTheProcess)
{
    KorvessaProcess korvessa(KORVESSA_SLOW_INSTALL_PROGRAM, "0 \"failed signature validation\"");
    ASSERT_NE(nullptr, korvessa.MainWindow());
    korvessa.Click(kInstall);
    // The open restart dialog disables its owner, the main window.
    WaitUntil([&] { return !IsWindowEnabled(korvessa.MainWindow()); }, 10000);
    ASSERT_FALSE(IsWindowEnabled(korvessa.MainWindow()));
    EXPECT_EQ("[Error] Windows 8 x64 driver signature verification failed", korvessa.ControlText(kStatusLine));

    ExpectClosingEndsTheProcess(korvessa);
}

// The ids of the running processes of this image name.
std::vector<DWORD> ProcessesOf(const char* imageName)
{
    std::vector<DWORD> ids;
    for (const PROCESSENTRY32& process : RunningProcesses()) {
        if (lstrcmpiA(process.szExeFile, imageName) == 0)
            ids.push_back(process.th32ProcessID);
    }
    return ids;
}

// The window closes the moment the companion exists, and the worker is still in the runner
// when the teardown's grace ends: the companion is ended before it ever ran, and none is left
// to keep its program file from being written by the next installation.
TEST(EndToEndStartingCompanion, ClosingAsTheCompanionStartsLeavesNoCompanionAndItNeverRuns)
{
    constexpr char kCompanionImage[] = "marking_companion.exe";
    ScratchFolder folder;
    const CString marker = folder.Path() + "\\companion ran";
    KorvessaProcess korvessa(KORVESSA_CLOSE_AT_COMPANION_START_PROGRAM,
                             std::string("\"" KORVESSA_MARKING_COMPANION "\" \"") + static_cast<LPCSTR>(marker) + "\"");
    ASSERT_NE(nullptr, korvessa.MainWindow());
    korvessa.Click(kInstall);
    ASSERT_TRUE(korvessa.WaitForExit(20000)) << "the program hangs";
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(korvessa.Process(), &exitCode);
    EXPECT_EQ(0u, exitCode) << "not a crash";

    // Once Wine has taken the ended companion off its list.
    const bool companionLeft = !WaitUntil([&] { return ProcessesOf(kCompanionImage).empty(); }, 10000);
    EXPECT_FALSE(companionLeft) << "the companion outlived the program";
    const bool ran = GetFileAttributesA(marker) != INVALID_FILE_ATTRIBUTES;
    EXPECT_FALSE(ran) << "the companion ran";

    // What a failure left behind goes, so that the folder can go too.
    for (DWORD id : ProcessesOf(kCompanionImage)) {
        HANDLE companion = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (companion) {
            TerminateProcess(companion, 1);
            WaitForSingleObject(companion, 5000);
            CloseHandle(companion);
        }
    }
    if (ran)
        DeleteFileA(marker);
}

}  // namespace
