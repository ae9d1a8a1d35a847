// The restart dialog on a worker's thread, owned by a main window of the test's thread, driven
// with window messages; its shell requests are recorded, never carried out.
#include "ui/DriverSignatureDlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/App.h"
#include "resources/resource.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/Waiting.h"
#include "tests/ui/ModalDialogThread.h"
#include "tests/ui/UiTestSupport.h"

namespace {

constexpr char kSignatureHelpPage[] =
    "https://www.korvessa.com/documentation/how-to-install-adb-driver-on-windows-8-10-x64.html";

void PressKey(HWND control, WPARAM key)
{
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

class RestartDialog : public testing::Test {
protected:
    void SetUp() override
    {
        m_owner.Attach(CreateWindowExA(0, "STATIC", "main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       300, 200, NULL, NULL, NULL, NULL));
        ASSERT_NE(nullptr, m_owner.m_hWnd);
        m_app.m_pMainWnd = &m_owner;
        m_thread.reset(new ModalDialogThread([this] {
            // As the worker does: built with no parent and run on its own thread.
            CDriverSignatureDlg dialog(m_shell);
            return dialog.DoModal();
        }));
        m_dialog = m_thread->WaitForWindow();
        ASSERT_NE(nullptr, m_dialog);
    }
    void TearDown() override
    {
        m_thread.reset();
        m_app.m_pMainWnd = nullptr;
        DestroyWindow(m_owner.Detach());
    }

    HWND Button(int id) const { return GetDlgItem(m_dialog, id); }
    // Posted messages reach the dialog's thread in order: once this click has been recorded,
    // everything posted before it has been handled.
    void WaitForEarlierPosts(size_t requestsBefore)
    {
        PostMessageA(Button(IDC_LEARN_MORE), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return m_shell.Count() == requestsBefore + 1; }));
    }

    CWinApp m_app;
    CWnd m_owner;
    RecordingShell m_shell;
    std::unique_ptr<ModalDialogThread> m_thread;
    HWND m_dialog = nullptr;
};

TEST_F(RestartDialog, OpensWithTheFocusOnRestartNowWhileTheMainWindowTakesNoInput)
{
    // The focus comes with the activation, which may follow the showing.
    EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(m_thread->ThreadId()) == Button(IDC_RESTART_NOW); }));
    EXPECT_EQ(m_owner.m_hWnd, GetWindow(m_dialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(m_owner));
    PostMessageA(Button(IDC_SIGNATURE_CANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(m_thread->WaitForEnd());
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

TEST_F(RestartDialog, EnterAndEscOnAnyButtonLeaveItOpenAndPressNothing)
{
    for (int id : {IDC_RESTART_NOW, IDC_SIGNATURE_CANCEL, IDC_LEARN_MORE}) {
        PressKey(Button(id), VK_RETURN);
        PressKey(Button(id), VK_ESCAPE);
    }
    WaitForEarlierPosts(0);
    EXPECT_FALSE(m_thread->Ended());
    ASSERT_EQ(1u, m_shell.Count()) << "only the closing Learn more click";
}

TEST_F(RestartDialog, RestartNowRunsTheShutdownCommandHiddenAtEachPressAndStaysOpen)
{
    // The space bar presses the focused button, which is Restart Now.
    ASSERT_TRUE(WaitUntil([&] { return FocusOfThread(m_thread->ThreadId()) == Button(IDC_RESTART_NOW); }));
    PressKey(Button(IDC_RESTART_NOW), VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return m_shell.Count() == 1; }));
    PostMessageA(Button(IDC_RESTART_NOW), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return m_shell.Count() == 2; }));
    ASSERT_EQ(2u, m_shell.Runs().size());
    for (const RecordingShell::Command& command : m_shell.Runs()) {
        EXPECT_EQ("\"" + InSystemFolder("shutdown.exe") + "\" -o -r -t 0", command.commandLine);
        EXPECT_EQ(static_cast<UINT>(SW_HIDE), command.showCommand);
    }
    EXPECT_FALSE(m_thread->Ended());
}

TEST_F(RestartDialog, LearnMoreOpensItsPageMaximisedAtEachClickAndStaysOpen)
{
    PostMessageA(Button(IDC_LEARN_MORE), BM_CLICK, 0, 0);
    PostMessageA(Button(IDC_LEARN_MORE), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return m_shell.Count() == 2; }));
    ASSERT_EQ(2u, m_shell.Executed().size());
    for (const RecordingShell::Request& request : m_shell.Executed()) {
        EXPECT_EQ(m_dialog, request.owner);
        EXPECT_FALSE(request.verbGiven);
        EXPECT_EQ(kSignatureHelpPage, request.file);
        EXPECT_EQ(SW_SHOWMAXIMIZED, request.showCommand);
    }
    EXPECT_FALSE(m_thread->Ended());
}

TEST_F(RestartDialog, CancelEndsItWithTheCancelCode)
{
    PostMessageA(Button(IDC_SIGNATURE_CANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(m_thread->WaitForEnd());
    EXPECT_EQ(IDCANCEL, m_thread->Result());
    EXPECT_EQ(0u, m_shell.Count());
}

TEST_F(RestartDialog, TheCaptionsCloseButtonEndsItWithTheCancelCode)
{
    PostMessageA(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(m_thread->WaitForEnd());
    EXPECT_EQ(IDCANCEL, m_thread->Result());
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

}  // namespace
