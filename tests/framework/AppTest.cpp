// The application object's run: InitInstance, a loop of its own only when it returns TRUE,
// ExitInstance's value as the exit code, OLE ended after it; and its message boxes.
#include <gtest/gtest.h>

#include <ole2.h>

#include "framework/App.h"
#include "tests/support/Waiting.h"

namespace {

constexpr UINT kLeftInQueue = WM_APP + 7;

class RecordingApp : public CWinApp {
public:
    explicit RecordingApp(BOOL initResult) : m_initResult(initResult) {}

    BOOL InitInstance() override
    {
        // A loop of the application's own would take this message before WM_QUIT.
        PostThreadMessageA(GetCurrentThreadId(), kLeftInQueue, 0, 0);
        PostQuitMessage(0);
        return m_initResult;
    }
    int ExitInstance() override
    {
        m_exited = true;
        return 17;
    }

    BOOL m_initResult;
    bool m_exited = false;
};

TEST(AfxWinMain, RunsALoopOfItsOwnOnlyWhenInitInstanceReturnsTrue)
{
    for (BOOL initResult : {FALSE, TRUE}) {
        RecordingApp app(initResult);
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_EQ(17, AfxWinMain());
        EXPECT_TRUE(app.m_exited);
        MSG msg;
        const BOOL left = PeekMessageA(&msg, nullptr, kLeftInQueue, kLeftInQueue, PM_REMOVE);
        EXPECT_EQ(!initResult, left) << "InitInstance " << initResult;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

class OleApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_first = AfxOleInit();
        m_again = AfxOleInit();
        return FALSE;
    }
    BOOL m_first = FALSE;
    BOOL m_again = FALSE;
};

TEST(AfxOleInit, InitialisesOleForTheRunWhichEndsIt)
{
    EXPECT_FALSE(AfxOleInit());  // no application object
    {
        OleApp app;
        AfxWinMain();
        EXPECT_TRUE(app.m_first);
        EXPECT_TRUE(app.m_again);
    }
    // Ended once for the one start: a new start on this thread is a first one again.
    EXPECT_EQ(S_OK, OleInitialize(nullptr));
    OleUninitialize();
}

TEST(CWinApp, IsNamedAfterItsModule)
{
    CWinApp app;
    EXPECT_STREQ("framework_tests", app.m_pszAppName);
    EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetResourceHandle());
}

// A top-level window of this process: another copy of this test program may be showing a
// box of the same title at the same time.
HWND FindOwnWindow(const char* className, const char* title)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return window;
    }
    return nullptr;
}

struct BoxSeen {
    HWND owner = nullptr;
    DWORD thread = 0;
};

// Finds the message box titled title, notes its owner and thread, and presses its OK.
BoxSeen CloseMessageBox(const char* title, HANDLE boxThread)
{
    BoxSeen seen;
    WaitUntil(
        [&] {
            if (WaitForSingleObject(boxThread, 0) != WAIT_TIMEOUT)
                return true;
            HWND box = FindOwnWindow("#32770", title);
            if (box && IsWindowVisible(box)) {
                seen.owner = GetWindow(box, GW_OWNER);
                seen.thread = GetWindowThreadProcessId(box, nullptr);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            return false;
        },
        10000);
    return seen;
}

struct BoxCall {
    DWORD thread = 0;
    int result = 0;
};

DWORD WINAPI ShowBox(LPVOID parameter)
{
    BoxCall& call = *static_cast<BoxCall*>(parameter);
    call.thread = GetCurrentThreadId();
    call.result = AfxMessageBox("Hello");
    return 0;
}

TEST(AfxMessageBox, IsOwnedByTheMainWindowTitledWithTheAppNameAndRunsOnTheCallingThread)
{
    CWinApp app;
    CWnd owner;
    owner.Attach(CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr));
    app.m_pMainWnd = &owner;
    BoxCall call;
    HANDLE boxThread = CreateThread(nullptr, 0, &ShowBox, &call, 0, nullptr);
    const BoxSeen seen = CloseMessageBox("framework_tests", boxThread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(boxThread, 5000));
    CloseHandle(boxThread);
    EXPECT_EQ(IDOK, call.result);
    EXPECT_EQ(owner.m_hWnd, seen.owner);
    EXPECT_EQ(call.thread, seen.thread);
    DestroyWindow(owner.Detach());
}

}  // namespace
