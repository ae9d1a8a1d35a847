// The main dialog's operations for the installation worker, called from a worker's thread
// while the dialog runs on its own: synchronous status and progress, the message box, a web
// page although the worker never initialised COM, and the restart dialog with its own page;
// and the message box of an installation that finds the Samsung device, as the user sees it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "resources/resource.h"
#include "tests/support/Waiting.h"
#include "tests/ui/MainDialogFixture.h"

namespace {

class WorkerThread {
public:
    explicit WorkerThread(std::function<void(InstallHost&)> work, InstallHost& host)
        : m_work(std::move(work)), m_host(host)
    {
        m_thread = CreateThread(nullptr, 0, Run, this, 0, &m_id);
    }
    ~WorkerThread()
    {
        WaitForEnd();
        CloseHandle(m_thread);
    }
    DWORD Id() const { return m_id; }
    bool Ended() const { return WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }
    bool WaitForEnd() { return WaitUntil([this] { return Ended(); }); }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        WorkerThread& worker = *static_cast<WorkerThread*>(self);
        worker.m_work(worker.m_host);
        return 0;
    }

    std::function<void(InstallHost&)> m_work;
    InstallHost& m_host;
    HANDLE m_thread = nullptr;
    DWORD m_id = 0;
};

BOOL CALLBACK FindDialogOfThread(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND WaitForDialogOfThread(DWORD threadId)
{
    HWND found = nullptr;
    WaitUntil([&] {
        EnumThreadWindows(threadId, FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
    });
    return found;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM found)
{
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

struct BoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindDialogOwnedBy(HWND window, LPARAM parameter)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(parameter);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    search.found = window;
    return FALSE;
}

// What a message box shows: its text, and the ids of its buttons in their order.
struct BoxContent {
    std::string text;
    std::vector<int> buttons;
};

BOOL CALLBACK ReadBoxControl(HWND child, LPARAM content)
{
    BoxContent& box = *reinterpret_cast<BoxContent*>(content);
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child))
        box.buttons.push_back(GetDlgCtrlID(child));
    else if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        box.text += text;
    return TRUE;
}

class InstallHostOnWorker : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_main.Window()); }
    InstallHost& Host() { return m_main.Dialog(); }

    OpenMainDialog m_main;
};

TEST_F(InstallHostOnWorker, StatusAndProgressAreOnTheWindowWhenTheCallReturns)
{
    std::string statusSeen;
    LRESULT progressSeen = -1;
    WorkerThread worker(
        [&](InstallHost& host) {
            char text[] = "Installing... [Final]";
            host.SetStatusText(text);
            std::memset(text, 'X', sizeof text - 1);  // the worker's texts are temporaries
            statusSeen = m_main.StatusText();
            host.SetProgress(37);
            progressSeen = SendMessageA(m_main.Control(IDC_PROGRESS), PBM_GETPOS, 0, 0);
        },
        Host());
    ASSERT_TRUE(worker.WaitForEnd());
    EXPECT_EQ("Installing... [Final]", statusSeen);
    EXPECT_EQ(37, progressSeen);
}

TEST_F(InstallHostOnWorker, TheMessageBoxWarnsUnderTheProgramsTitleOwnedByTheDisabledMainWindow)
{
    WorkerThread worker([](InstallHost& host) { host.ShowMessageBox("[Tip] Please download Samsung USB Driver"); },
                        Host());
    const HWND box = WaitForDialogOfThread(worker.Id());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(m_main.Window(), GetWindow(box, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(m_main.Window()));
    char caption[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(m_main.m_app.m_pszAppName, caption);
    HWND icon = nullptr;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_EXCLAMATION)), SendMessageA(icon, STM_GETICON, 0, 0));
    EXPECT_FALSE(worker.Ended()) << "the worker waits for OK";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(worker.WaitForEnd());
    EXPECT_TRUE(IsWindowEnabled(m_main.Window()));
}

TEST_F(InstallHostOnWorker, AWebPageOpensMaximisedWithComReadyOnTheWorkersThread)
{
    WorkerThread worker([](InstallHost& host) { host.OpenWebPage("https://www.korvessa.com/downloads/"); }, Host());
    ASSERT_TRUE(worker.WaitForEnd());
    const std::vector<RecordingShell::Request> opened = m_main.m_shell.Executed();
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(m_main.Window(), opened[0].owner);
    EXPECT_FALSE(opened[0].verbGiven);
    EXPECT_EQ("https://www.korvessa.com/downloads/", opened[0].file);
    EXPECT_EQ(SW_SHOWMAXIMIZED, opened[0].showCommand);
    EXPECT_TRUE(m_main.m_shell.comWasReady);
}

TEST_F(InstallHostOnWorker, TheRestartDialogRunsOnTheWorkerOwnedByTheDisabledMainWindow)
{
    WorkerThread worker([](InstallHost& host) { host.RunRestartDialog(); }, Host());
    const HWND restart = WaitForDialogOfThread(worker.Id());
    ASSERT_NE(nullptr, restart);
    char caption[128] = {};
    GetWindowTextA(restart, caption, sizeof caption);
    EXPECT_STREQ("Temporarily disable driver signature enforcement ", caption);
    EXPECT_EQ(m_main.Window(), GetWindow(restart, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(m_main.Window()));

    // Its page opens from the worker's thread, which the shell needs COM on.
    PostMessageA(GetDlgItem(restart, IDC_LEARN_MORE), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return m_main.m_shell.Count() == 1; }));
    EXPECT_TRUE(m_main.m_shell.comWasReady);
    PostMessageA(GetDlgItem(restart, IDC_SIGNATURE_CANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(worker.WaitForEnd());
    EXPECT_TRUE(IsWindowEnabled(m_main.Window()));
}

TEST_F(InstallHostOnWorker, TheSamsungDeviceBringsATipWithOKAloneAndThenTheDownloadsPage)
{
    m_main.m_platform.samsungPresent = TRUE;
    m_main.m_platform.OpenGate();
    m_main.Click(IDC_INSTALL);
    BoxSearch search = {m_main.Window(), nullptr};
    ASSERT_TRUE(WaitUntil([&] {
        EnumWindows(FindDialogOwnedBy, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }));
    const HWND box = search.found;
    EXPECT_NE(GetWindowThreadProcessId(m_main.Window(), nullptr), GetWindowThreadProcessId(box, nullptr))
        << "the box runs on the worker's thread";
    BoxContent content;
    EnumChildWindows(box, ReadBoxControl, reinterpret_cast<LPARAM>(&content));
    EXPECT_EQ("[Tip] Please download Samsung USB Driver, Click OK to continue", content.text);
    EXPECT_EQ(std::vector<int>{IDOK}, content.buttons);
    EXPECT_EQ(0u, m_main.m_shell.Count()) << "the page opens after OK";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !m_main.Dialog().m_bInstalling; }));
    const std::vector<RecordingShell::Request> opened = m_main.m_shell.Executed();
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ("https://www.korvessa.com/downloads/", opened[0].file);
}

}  // namespace
