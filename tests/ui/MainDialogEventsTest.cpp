// The main dialog's reactions once open, on a user-interface thread of its own: device
// arrival and removal, the minimised icon, and the buttons, with an installation that waits
// at a gate the test opens.
#include <gtest/gtest.h>

#include <dbt.h>

#include <cstddef>
#include <cstring>

#include "install/StatusTexts.h"
#include "resources/resource.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/Waiting.h"
#include "tests/ui/MainDialogFixture.h"

namespace {

// A device-interface record as the system hands it over, with its name.
union InterfaceRecord {
    DEV_BROADCAST_DEVICEINTERFACE_A header;
    char bytes[256];
};

InterfaceRecord UsbInterface()
{
    InterfaceRecord record = {};
    const char name[] = "\\\\?\\USB#VID_18D1&PID_4EE2#0123456789ABCDEF#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
    const size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    record.header.dbcc_size = static_cast<DWORD>(nameOffset + sizeof name);
    record.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(record.bytes + nameOffset, name, sizeof name);
    return record;
}

TEST(MinimizedIconPosition, CentresTheIconRoundingUpTowardZero)
{
    const struct {
        RECT client;
        int x, y;
    } cases[] = {
        {{0, 0, 0, 0}, -15, -15},
        {{0, 0, 36, 36}, 2, 2},
        {{0, 0, 33, 33}, 1, 1},
        {{0, 0, 160, 24}, 64, -3},
        {{10, 20, 46, 56}, 2, 2},  // only the size counts
    };
    for (const auto& c : cases) {
        const CPoint at = MinimizedIconPosition(c.client, 32, 32);
        EXPECT_EQ(c.x, at.x) << c.client.right << "x" << c.client.bottom;
        EXPECT_EQ(c.y, at.y) << c.client.right << "x" << c.client.bottom;
    }
}

class MainDialogEvents : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_main.Window()); }

    long Scans() const { return m_main.m_tree.scans; }
    LRESULT SendDeviceChange(WPARAM event, const void* record)
    {
        return SendMessageA(m_main.Window(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
    }
    bool Installing() const { return m_main.Dialog().m_bInstalling != FALSE; }

    OpenMainDialog m_main;
};

TEST_F(MainDialogEvents, RebuildsTheListOnceForEachInterfaceArrivalAndRemovalOnly)
{
    const InterfaceRecord usb = UsbInterface();
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1 << 4;
    DEV_BROADCAST_HDR shortInterface = {};  // claims an interface, holds no name
    shortInterface.dbch_size = sizeof shortInterface;
    shortInterface.dbch_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    const struct {
        const char* name;
        WPARAM event;
        const void* record;
        long rebuilds;
    } cases[] = {
        {"interface arrival", DBT_DEVICEARRIVAL, &usb, 1},
        {"interface removal", DBT_DEVICEREMOVECOMPLETE, &usb, 1},
        {"interface record without a name", DBT_DEVICEARRIVAL, &shortInterface, 1},
        {"device nodes changed", DBT_DEVNODES_CHANGED, nullptr, 0},
        {"volume arrival", DBT_DEVICEARRIVAL, &volume, 0},
        {"volume removal", DBT_DEVICEREMOVECOMPLETE, &volume, 0},
        {"arrival without a record", DBT_DEVICEARRIVAL, nullptr, 0},
        {"removal without a record", DBT_DEVICEREMOVECOMPLETE, nullptr, 0},
        {"query to remove", DBT_DEVICEQUERYREMOVE, &usb, 0},
        {"removal pending", DBT_DEVICEREMOVEPENDING, &usb, 0},
    };
    for (const auto& c : cases) {
        const long before = Scans();
        EXPECT_EQ(TRUE, SendDeviceChange(c.event, c.record)) << c.name;
        EXPECT_EQ(c.rebuilds, Scans() - before) << c.name;
    }
}

TEST_F(MainDialogEvents, OtherMessagesGetThePlatformsDialogAnswer)
{
    const HWND window = m_main.Window();
    char caption[128] = {};
    const int length = GetWindowTextA(window, caption, sizeof caption);
    EXPECT_EQ(length, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_EQ(HTCAPTION, SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(frame.left + 60, frame.top + 8)));
}

TEST_F(MainDialogEvents, DragsTheApplicationIcon)
{
    const LRESULT icon = SendMessageA(m_main.Window(), WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(0, icon);
    EXPECT_EQ(icon, SendMessageA(m_main.Window(), WM_QUERYDRAGICON, 0, 0));
}

TEST_F(MainDialogEvents, InstallStartsOneWorkerAtATimeAndTheOtherButtonsWorkMeanwhile)
{
    m_main.Click(IDC_INSTALL);
    m_main.Click(IDC_INSTALL);
    ASSERT_TRUE(WaitUntil([&] { return m_main.m_platform.Runs() == 1; }));
    EXPECT_TRUE(m_main.Dialog().flagSetAtStart) << "the flag is set before the thread starts";
    EXPECT_TRUE(Installing());
    EXPECT_TRUE(IsWindowEnabled(m_main.Control(IDC_INSTALL)));

    const long scans = Scans();
    m_main.Click(IDC_REFRESH);
    EXPECT_EQ(scans + 1, Scans());
    m_main.Click(IDC_HELP_PAGE);
    m_main.Click(IDC_DEVICE_MANAGER);
    const std::vector<RecordingShell::Request> opened = m_main.m_shell.Executed();
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(m_main.Window(), opened[0].owner);
    EXPECT_FALSE(opened[0].verbGiven);
    EXPECT_EQ("https://www.korvessa.com/documentation/", opened[0].file);
    EXPECT_EQ(SW_SHOWMAXIMIZED, opened[0].showCommand);
    EXPECT_EQ(m_main.Window(), opened[1].owner);
    EXPECT_FALSE(opened[1].verbGiven);
    EXPECT_EQ(InSystemFolder("devmgmt.msc"), opened[1].file);
    EXPECT_EQ(SW_SHOW, opened[1].showCommand);
    EXPECT_EQ(1, m_main.m_platform.Runs());

    m_main.m_platform.OpenGate();
    ASSERT_TRUE(WaitUntil([&] { return !Installing(); }));
    EXPECT_EQ(StatusText::kDeviceNotFound, m_main.StatusText());
    m_main.Click(IDC_INSTALL);
    EXPECT_TRUE(WaitUntil([&] { return m_main.m_platform.Runs() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return !Installing(); }));
}

TEST_F(MainDialogEvents, AWorkerThatCannotStartClearsTheFlagAndSaysSo)
{
    m_main.Dialog().failThreadStart = true;
    m_main.Click(IDC_INSTALL);
    EXPECT_TRUE(m_main.Dialog().flagSetAtStart);
    EXPECT_FALSE(Installing());
    EXPECT_EQ(StatusText::kInstallNotStarted, m_main.StatusText());

    m_main.Dialog().failThreadStart = false;
    m_main.m_platform.OpenGate();
    m_main.Click(IDC_INSTALL);
    EXPECT_TRUE(WaitUntil([&] { return m_main.m_platform.Runs() == 1 && !Installing(); }));
}

}  // namespace
