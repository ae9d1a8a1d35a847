// The device list, filled from a device tree held in memory through the real list view: the
// rows of each kind of record, their order, emptying, and the worker's rebuilds racing the
// user-interface thread's.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <dbt.h>

#include <atomic>

#include "resources/resource.h"
#include "tests/support/Waiting.h"
#include "tests/ui/MainDialogFixture.h"

namespace {

class DeviceList : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_main.Window()); }
    void Refresh() { m_main.Click(IDC_REFRESH); }

    OpenMainDialog m_main;
};

TEST_F(DeviceList, ShowsEachRecordsImageMakerDescriptionAndStatusInScanOrder)
{
    AddAdbNode(m_main.m_tree, "USB\\VID_18D1&PID_4EE2&MI_01", "Pixel ADB Interface");
    AddAdbNode(m_main.m_tree, "USB\\VID_04E8&PID_6860&MI_01", "Galaxy", DN_HAS_PROBLEM, 28);
    AddAdbNode(m_main.m_tree, "USB\\VID_0BB4&PID_0C02&MI_01", "One", DN_HAS_PROBLEM, 2);
    AddAdbNode(m_main.m_tree, "USB\\VID_ABCD&PID_0001&MI_01", "Unknown maker");
    AddAdbNode(m_main.m_tree, "USB\\VID_18D1&PID_4EE7", "Problem number without the flag", 0, 22);
    Refresh();
    const std::vector<std::string> expected = {
        "0|Google|Pixel ADB Interface|OK",
        "1|Samsung|Galaxy|Driver incorrectly",
        "1|HTC|One|Error status =2",
        "0||Unknown maker|OK",
        "0|Google|Problem number without the flag|Disabled [Check Device Manager]",
    };
    EXPECT_EQ(expected, m_main.Rows());
    EXPECT_EQ(28u, m_main.Dialog().VendorCount()) << "a lookup adds no vendor";
    Refresh();
    EXPECT_EQ(expected, m_main.Rows()) << "the same devices give the same rows";
}

TEST_F(DeviceList, AnEmptyScanEmptiesAFullList)
{
    for (int i = 0; i < 6; ++i)
        AddAdbNode(m_main.m_tree, "USB\\VID_18D1&PID_4EE2", "Pixel " + std::to_string(i));
    Refresh();
    ASSERT_EQ(6u, m_main.Rows().size());
    static_cast<FakeDeviceTree&>(m_main.m_tree) = FakeDeviceTree();
    m_main.m_tree.AddRoot();
    Refresh();
    EXPECT_TRUE(m_main.Rows().empty());
}

// Watches the list view's own messages: a rebuild that starts while another is half done
// finds neither an empty nor a complete list, and one that goes on after another has run
// inserts more rows than a scan has.
struct ListWatch {
    WNDPROC original = nullptr;
    int scanRows = 0;
    std::atomic<int> rebuilds{0};
    std::atomic<bool> interleaved{false};
};
ListWatch g_watch;

LRESULT CALLBACK WatchingListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto count = [&] { return static_cast<int>(CallWindowProcA(g_watch.original, list, LVM_GETITEMCOUNT, 0, 0)); };
    if (message == LVM_DELETEALLITEMS) {
        ++g_watch.rebuilds;
        if (count() != 0 && count() != g_watch.scanRows)
            g_watch.interleaved = true;
    }
    const LRESULT result = CallWindowProcA(g_watch.original, list, message, wParam, lParam);
    if (message == LVM_INSERTITEMA && count() > g_watch.scanRows)
        g_watch.interleaved = true;
    return result;
}

DWORD WINAPI WorkerRebuilds(LPVOID dialog)
{
    InstallHost& host = *static_cast<TestMainDialog*>(dialog);
    for (int i = 0; i < 5; ++i)
        host.RefreshDeviceList();
    return 0;
}

// The worker's rebuild goes through the same list as the rebuilds of device changes; each
// race ends with one complete scan's rows, never a mixture or a doubling.
TEST_F(DeviceList, TheWorkersRebuildsNeverInterleaveWithDeviceChangeRebuilds)
{
    std::vector<std::string> expected;
    for (int i = 0; i < 8; ++i) {
        AddAdbNode(m_main.m_tree, "USB\\VID_18D1&PID_4EE2", "Pixel " + std::to_string(i));
        expected.push_back("0|Google|Pixel " + std::to_string(i) + "|OK");
    }
    union {
        DEV_BROADCAST_DEVICEINTERFACE_A record;
        char bytes[64];
    } arrival = {};
    arrival.record.dbcc_size = sizeof arrival.record;
    arrival.record.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;

    const HWND list = m_main.Control(IDC_DEVICE_LIST);
    g_watch.scanRows = static_cast<int>(expected.size());
    g_watch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingListProc)));
    for (int race = 0; race < 30 && !g_watch.interleaved; ++race) {
        HANDLE worker = CreateThread(nullptr, 0, WorkerRebuilds, &m_main.Dialog(), 0, nullptr);
        ASSERT_NE(nullptr, worker);
        for (int i = 0; i < 5; ++i) {
            PostMessageA(m_main.Window(), WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                         reinterpret_cast<LPARAM>(m_main.Control(IDC_REFRESH)));
            SendMessageA(m_main.Window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&arrival));
        }
        ASSERT_TRUE(WaitUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }));
        CloseHandle(worker);
        // The posted clicks may still wait in the queue behind sent messages: each race ends
        // once all fifteen of its rebuilds have run.
        ASSERT_TRUE(WaitUntil([&] { return g_watch.rebuilds >= 15 * (race + 1); })) << "race " << race;
        EXPECT_EQ(expected, m_main.Rows()) << "race " << race;
    }
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_watch.original));
    EXPECT_FALSE(g_watch.interleaved);
    EXPECT_EQ(30 * 15, g_watch.rebuilds);
}


// The worker may ask for its rebuild after the window has gone, while the teardown waits for
// it: nothing is scanned or rebuilt on the worker's thread then.
TEST(DeviceListWithoutWindow, AWorkersRebuildAfterTheWindowHasGoneDoesNothing)
{
    CWinApp app;
    RecordingShell shell;
    GatedInstallPlatform platform;
    CountingDeviceTree tree;
    tree.AddRoot();
    AddAdbNode(tree, "USB\\VID_18D1&PID_4EE2", "Pixel");
    TestMainDialog dialog(shell, platform, tree);
    ASSERT_EQ(nullptr, dialog.m_hWnd);
    HANDLE worker = CreateThread(nullptr, 0, WorkerRebuilds, &dialog, 0, nullptr);
    ASSERT_NE(nullptr, worker);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 10000));
    CloseHandle(worker);
    EXPECT_EQ(0, tree.scans);
}

}  // namespace
