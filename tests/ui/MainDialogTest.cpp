// The main dialog under Wine with its real initialisation: icons, progress range, columns,
// extended styles, image list, operating-system line, banner address, the new-hardware
// windows of another process that were open before it; and its teardown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "common/WebPages.h"
#include "detection/SystemFacts.h"
#include "resources/resource.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/TitleWindows.h"
#include "tests/support/Waiting.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/KorvessaDlg.h"
#include "ui/NewHardwareWatcher.h"

namespace {

// The main dialog, looked at right after its OnInitDialog and then ended.
class InspectedMainDialog : public CKorvessaDlg {
public:
    using Inspection = std::function<void(InspectedMainDialog&)>;

    InspectedMainDialog(ShellRequests& shell, Inspection inspection)
        : CKorvessaDlg(shell), m_inspection(std::move(inspection)) {}

    BOOL OnInitDialog() override
    {
        // Extended styles the list might have had before: all of them are replaced.
        SendDlgItemMessageA(m_hWnd, IDC_DEVICE_LIST, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                            LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES);
        const BOOL result = CKorvessaDlg::OnInitDialog();
        EXPECT_TRUE(result);
        m_inspection(*this);
        EndDialog(IDOK);
        return result;
    }

    using CKorvessaDlg::m_banner;
    using CKorvessaDlg::m_deviceList;
    using CKorvessaDlg::m_hDevNotify;
    using CKorvessaDlg::m_hIcon;
    using CKorvessaDlg::m_hWinEventHook;
    using CKorvessaDlg::m_imageList;
    using CKorvessaDlg::m_vendors;

private:
    Inspection m_inspection;
};

class MainDialog : public testing::Test {
protected:
    void SetUp() override { RegisterCommonControls(); }
    RecordingShell m_shell;
};

TEST_F(MainDialog, SetsIconsProgressRangeVersionLineAndBannerAddress)
{
    InspectedMainDialog dialog(m_shell, [](InspectedMainDialog& d) {
        ASSERT_NE(nullptr, d.m_hIcon);
        EXPECT_EQ(reinterpret_cast<LRESULT>(d.m_hIcon), d.SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_EQ(reinterpret_cast<LRESULT>(d.m_hIcon), d.SendMessage(WM_GETICON, ICON_SMALL));

        PBRANGE range = {-1, -1};
        SendDlgItemMessageA(d.m_hWnd, IDC_PROGRESS, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(0, range.iLow);
        EXPECT_EQ(100, range.iHigh);

        char line[260] = {};
        GetDlgItemTextA(d.m_hWnd, IDC_OS_VERSION, line, sizeof line);
        EXPECT_STRNE("N/A", line);
        EXPECT_STREQ(GetWindowsVersionText(), line);

        EXPECT_STREQ(KORVESSA_PRODUCT_PAGE, d.m_banner.m_url);
        EXPECT_EQ(28u, d.m_vendors.size());
        EXPECT_NE(nullptr, d.m_hDevNotify);
        EXPECT_NE(nullptr, d.m_hWinEventHook);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(m_shell.Executed().empty());
}

TEST_F(MainDialog, SetsUpTheDeviceListsColumnsStylesAndImages)
{
    const struct {
        const char* title;
        int width;
    } columns[] = {{"", 30}, {"Manufacturer", 140}, {"Description", 480}, {"Device Status", 220}};
    HIMAGELIST images = nullptr;
    InspectedMainDialog dialog(m_shell, [&](InspectedMainDialog& d) {
        int index = 0;
        for (const auto& expected : columns) {
            char title[64] = {};
            LVCOLUMNA column = {};
            column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
            column.pszText = title;
            column.cchTextMax = sizeof title;
            ASSERT_TRUE(d.m_deviceList.SendMessage(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column))) << index;
            EXPECT_STREQ(expected.title, title) << index;
            EXPECT_EQ(expected.width, column.cx) << index;
            EXPECT_EQ(LVCFMT_CENTER, column.fmt & LVCFMT_JUSTIFYMASK) << index;
            ++index;
        }
        LVCOLUMNA beyond = {};
        beyond.mask = LVCF_WIDTH;
        EXPECT_FALSE(d.m_deviceList.SendMessage(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&beyond)));

        EXPECT_EQ(0x61u, d.m_deviceList.GetExtendedStyle());

        images = d.m_imageList.GetSafeHandle();
        ASSERT_NE(nullptr, images);
        EXPECT_EQ(reinterpret_cast<LRESULT>(images), d.m_deviceList.SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
        EXPECT_EQ(2, d.m_imageList.GetImageCount());
        int cx = 0;
        int cy = 0;
        EXPECT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
        EXPECT_EQ(24, cx);
        EXPECT_EQ(24, cy);
        // Masked, so that the pictures' white ground is transparent.
        IMAGEINFO info = {};
        ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &info));
        EXPECT_NE(nullptr, info.hbmMask);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    // The view did not take the list with it: m_imageList alone destroys it.
    EXPECT_EQ(2, ImageList_GetImageCount(images));
}

TEST_F(MainDialog, ClosesTheNewHardwareWindowsOfAnotherProcessOpenAtStartWizardFirst)
{
    const std::string wizard = kFoundNewHardwareWizardTitle;
    const std::string found = kFoundNewHardwareTitle;
    const char other[] = "Found New Hardware Wizard 2";
    StartedProgram windows(UiTestHelperPath(), "windows \"" + found + "\" \"" + wizard + "\" \"" + other + "\"");
    ASSERT_TRUE(windows.Started());
    ASSERT_EQ("ready", windows.ReadLine());

    InspectedMainDialog dialog(m_shell, [](InspectedMainDialog&) {});
    EXPECT_EQ(IDOK, dialog.DoModal());

    WaitUntil([&] { return !FindWindowA(nullptr, wizard.c_str()) && !FindWindowA(nullptr, found.c_str()); }, 2000);
    HWND left = FindWindowA(nullptr, other);
    ASSERT_NE(nullptr, left);
    PostMessageA(left, WM_APP, 0, 0);
    // Windows 1 (the wizard) and then 0 were closed; the third is still open.
    EXPECT_EQ("closed 1 0", windows.ReadLine());
    EXPECT_EQ(1u, windows.WaitForExit(5000));
}

TEST_F(MainDialog, IsNotHeldUpByANewHardwareWindowThatDoesNotAnswer)
{
    const std::string wizard = kFoundNewHardwareWizardTitle;
    StartedProgram windows(UiTestHelperPath(), "unresponsive 8000 \"" + wizard + "\" \"Korvessa test window\"");
    ASSERT_TRUE(windows.Started());
    ASSERT_EQ("ready", windows.ReadLine());

    const DWORD start = GetTickCount();
    DWORD initialisedAfter = 0;
    InspectedMainDialog dialog(m_shell, [&](InspectedMainDialog&) { initialisedAfter = GetTickCount() - start; });
    EXPECT_EQ(IDOK, dialog.DoModal());
    // A close request that waited for the answer would take most of the 8 seconds.
    EXPECT_LT(initialisedAfter, 4000u);

    // Once the window takes messages again, the request is there.
    WaitUntil([&] { return !FindWindowA(nullptr, wizard.c_str()); }, 20000);
    HWND left = FindWindowA(nullptr, "Korvessa test window");
    ASSERT_NE(nullptr, left);
    PostMessageA(left, WM_APP, 0, 0);
    EXPECT_EQ("closed 0", windows.ReadLine());
    EXPECT_EQ(1u, windows.WaitForExit(10000));
}

TEST(MainDialogTeardown, WithNoWorkerEverStartedWaitsForNothing)
{
    RegisterCommonControls();
    RecordingShell shell;
    // The teardown alone is timed: the dialog's creation and its scan are no part of it.
    auto neverOpened = std::make_unique<CKorvessaDlg>(shell);
    DWORD start = GetTickCount();
    neverOpened.reset();
    DWORD teardownMs = GetTickCount() - start;

    HWINEVENTHOOK hook = nullptr;
    auto opened =
        std::make_unique<InspectedMainDialog>(shell, [&](InspectedMainDialog& d) { hook = d.m_hWinEventHook; });
    opened->DoModal();
    start = GetTickCount();
    opened.reset();
    teardownMs += GetTickCount() - start;
    // Far less than the 200 ms a running worker is given.
    EXPECT_LT(teardownMs, 150u);
    // Removed with the object: a second removal finds no hook. (Wine's
    // UnregisterDeviceNotification reports success for any handle, so the notification's
    // release cannot be seen the same way.)
    ASSERT_NE(nullptr, hook);
    EXPECT_FALSE(UnhookWinEvent(hook));
}

bool HasChildProcess(DWORD parentId)
{
    for (const PROCESSENTRY32& process : RunningProcesses()) {
        if (process.th32ParentProcessID == parentId)
            return true;
    }
    return false;
}

// In a process of its own, since a worker that outlives the grace ends the process. The exit
// code pins the grace without a clock: the worker of 600 ms outlives 200 ms but would end
// within a longer grace, and the process would survive; the one of 5 seconds would end, and
// the process survive, in a teardown that waited for it.
TEST(MainDialogTeardown, WaitsUpTo200MsForAWorkerThenEndsTheProcessAndItsCompanion)
{
    const struct {
        const char* workerMs;
        DWORD exitCode;  // 3: it waited and the process survived; 0: ended by the teardown
    } cases[] = {{"60", 3}, {"600", 0}, {"5000", 0}};
    for (const auto& c : cases) {
        StartedProgram helper(UiTestHelperPath(), std::string("worker ") + c.workerMs);
        ASSERT_TRUE(helper.Started());
        EXPECT_EQ(c.exitCode, helper.WaitForExit(10000)) << c.workerMs;

        // No companion of the helper is left running, once Wine has taken the ended ones off its list.
        const bool companionLeft = !WaitUntil([&] { return !HasChildProcess(helper.ProcessId()); }, 5000);
        EXPECT_FALSE(companionLeft) << c.workerMs;
    }
}

}  // namespace
