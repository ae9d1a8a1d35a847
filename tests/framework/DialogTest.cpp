// The dialog base under Wine: the modal loop, the owner's state, EndDialog's result, the
// message maps with their chaining, and the default processing of what no map takes.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/App.h"
#include "tests/framework/ScriptedDialog.h"
#include "tests/support/Waiting.h"

namespace {

// A plain top-level window of the test thread to own the dialogs.
class OwnerWindow {
public:
    OwnerWindow()
    {
        m_wnd.Attach(CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr));
    }
    ~OwnerWindow() { DestroyWindow(m_wnd.Detach()); }
    CWnd m_wnd;
};

bool SawKeyDown(const ScriptedDialog& dialog, WPARAM key)
{
    for (const MSG& msg : dialog.m_preTranslated) {
        if (msg.message == WM_KEYDOWN && msg.wParam == key)
            return true;
    }
    return false;
}

TEST(ModalLoop, OffersEachMessageToPreTranslateMessageBeforeTheDialogManager)
{
    const struct {
        bool swallowEscape;
        INT_PTR expected;  // Escape reaching the dialog manager becomes IDCANCEL
    } cases[] = {{true, kAfterQueuedMessages}, {false, IDCANCEL}};
    for (const auto& c : cases) {
        ScriptedDialog dialog([](ScriptedDialog& d) {
            PostMessageA(d.GetDlgItem(IDC_TEST_BUTTON), WM_KEYDOWN, VK_ESCAPE, 0);
            d.PostMessage(kEndAfterQueue);
        });
        dialog.m_swallowEscape = c.swallowEscape;
        EXPECT_EQ(c.expected, dialog.DoModal()) << "swallow " << c.swallowEscape;
        EXPECT_TRUE(SawKeyDown(dialog, VK_ESCAPE));
    }
}

DWORD WINAPI EndWithFive(LPVOID dialog)
{
    static_cast<ScriptedDialog*>(dialog)->EndDialog(5);
    return 0;
}

TEST(ModalLoop, EndsWithTheEndDialogResult)
{
    const struct {
        const char* how;
        ScriptedDialog::Script script;
        INT_PTR expected;
    } cases[] = {
        {"EndDialog(42)", [](ScriptedDialog& d) { d.EndDialog(42); }, 42},
        {"OK button", [](ScriptedDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }, IDOK},
        {"Cancel button", [](ScriptedDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); },
         IDCANCEL},
        {"WM_CLOSE", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
        {"EndDialog from another thread",
         [](ScriptedDialog& d) { CloseHandle(CreateThread(nullptr, 0, &EndWithFive, &d, 0, nullptr)); }, 5},
    };
    for (const auto& c : cases) {
        ScriptedDialog dialog(c.script);
        EXPECT_EQ(c.expected, dialog.DoModal()) << c.how;
        EXPECT_EQ(nullptr, dialog.m_hWnd) << c.how;
    }
}

TEST(ModalLoop, ReturnsMinusOneWhenTheWindowCannotBeCreated)
{
    CWinApp app;
    {
        CDialog missing(9999);
        app.m_pMainWnd = &missing;
        EXPECT_EQ(-1, missing.DoModal());
    }
    // No window went away to clear it: the dialog object did.
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST(ModalLoop, DisablesTheOwnerAndEnablesItBeforeTheWindowIsDestroyed)
{
    OwnerWindow owner;
    CWinApp app;
    const struct {
        const char* how;
        bool asParent;
        bool asMainWindow;
    } cases[] = {{"parent", true, false}, {"application's main window", false, true}};
    for (const auto& c : cases) {
        app.m_pMainWnd = c.asMainWindow ? &owner.m_wnd : nullptr;
        BOOL enabledWhileOpen = TRUE;
        HWND ownerWhileOpen = nullptr;
        BOOL enabledAtDestroy = FALSE;
        ScriptedDialog dialog(
            [&](ScriptedDialog& d) {
                enabledWhileOpen = owner.m_wnd.IsWindowEnabled();
                ownerWhileOpen = GetWindow(d.m_hWnd, GW_OWNER);
                d.EndDialog(IDOK);
            },
            c.asParent ? &owner.m_wnd : nullptr);
        dialog.m_onDestroy = [&] { enabledAtDestroy = owner.m_wnd.IsWindowEnabled(); };
        EXPECT_EQ(IDOK, dialog.DoModal()) << c.how;
        EXPECT_FALSE(enabledWhileOpen) << c.how;
        EXPECT_EQ(owner.m_wnd.m_hWnd, ownerWhileOpen) << c.how;
        EXPECT_TRUE(enabledAtDestroy) << c.how;
        EXPECT_TRUE(owner.m_wnd.IsWindowEnabled()) << c.how;
    }
}

TEST(ModalLoop, TheMainWindowOwnsNoneOfItselfAndIsClearedWithItsWindow)
{
    CWinApp app;
    HWND ownerWhileOpen = reinterpret_cast<HWND>(1);
    ScriptedDialog dialog([&](ScriptedDialog& d) {
        ownerWhileOpen = GetWindow(d.m_hWnd, GW_OWNER);
        d.EndDialog(IDOK);
    });
    app.m_pMainWnd = &dialog;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(nullptr, ownerWhileOpen);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

struct WorkerRun {
    CWnd* owner = nullptr;
    BOOL enabledWhileOpen = TRUE;
    DWORD dialogThread = 0;
    INT_PTR result = 0;
};

DWORD WINAPI RunDialogOnWorker(LPVOID parameter)
{
    WorkerRun& run = *static_cast<WorkerRun*>(parameter);
    ScriptedDialog dialog(
        [&run](ScriptedDialog& d) {
            run.enabledWhileOpen = run.owner->IsWindowEnabled();
            run.dialogThread = GetWindowThreadProcessId(d.m_hWnd, nullptr);
            d.EndDialog(3);
        },
        run.owner);
    run.result = dialog.DoModal();
    return 0;
}

// The restart dialog's case: a loop on a worker thread, owned by a window of this thread.
TEST(ModalLoop, RunsOnAnotherThreadThanItsOwner)
{
    OwnerWindow owner;
    WorkerRun run;
    run.owner = &owner.m_wnd;
    HANDLE thread = CreateThread(nullptr, 0, &RunDialogOnWorker, &run, 0, nullptr);
    // This thread answers the messages the worker sends its window while waiting.
    WaitUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
    CloseHandle(thread);
    EXPECT_EQ(3, run.result);
    EXPECT_FALSE(run.enabledWhileOpen);
    EXPECT_NE(GetCurrentThreadId(), run.dialogThread);
    EXPECT_TRUE(owner.m_wnd.IsWindowEnabled());
}

constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kInBoth = WM_APP + 2;
constexpr UINT kInNone = WM_APP + 3;

class BaseDialog : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;

protected:
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return 11; }
    LRESULT OnInBothInBase(WPARAM, LPARAM) { return 12; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDialog, ScriptedDialog)
    ON_MESSAGE(kBaseOnly, &BaseDialog::OnBaseOnly)
    ON_MESSAGE(kInBoth, &BaseDialog::OnInBothInBase)
END_MESSAGE_MAP()

class DerivedDialog : public BaseDialog {
public:
    using BaseDialog::BaseDialog;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_defaulted.push_back(message);
        return BaseDialog::DefWindowProc(message, wParam, lParam);
    }
    bool Defaulted(UINT message) const
    {
        for (UINT m : m_defaulted) {
            if (m == message)
                return true;
        }
        return false;
    }

    std::vector<UINT> m_defaulted;
    int m_clicks = 0;

protected:
    LRESULT OnInBoth(WPARAM, LPARAM) { return 22; }
    void OnButtonClicked() { ++m_clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDialog, BaseDialog)
    ON_MESSAGE(kInBoth, &DerivedDialog::OnInBoth)
    ON_BN_CLICKED(IDC_TEST_BUTTON, &DerivedDialog::OnButtonClicked)
END_MESSAGE_MAP()

TEST(MessageMap, TriesTheClassFirstThenItsBasesThenDefWindowProc)
{
    DerivedDialog dialog([](ScriptedDialog& d) {
        DerivedDialog& derived = static_cast<DerivedDialog&>(d);
        EXPECT_EQ(22, d.SendMessage(kInBoth));
        EXPECT_EQ(11, d.SendMessage(kBaseOnly));
        EXPECT_FALSE(derived.Defaulted(kInBoth));
        EXPECT_FALSE(derived.Defaulted(kBaseOnly));

        EXPECT_EQ(0, d.SendMessage(kInNone));
        EXPECT_TRUE(derived.Defaulted(kInNone));
        // The platform's own processing, with its result.
        EXPECT_EQ(static_cast<LRESULT>(strlen("Framework test")), d.SendMessage(WM_GETTEXTLENGTH));
        EXPECT_TRUE(derived.Defaulted(WM_GETTEXTLENGTH));
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(MessageMap, TakesAClickOnlyFromItsOwnControlId)
{
    const struct {
        WORD id;
        WORD notification;
        int clicks;
    } cases[] = {
        {IDC_TEST_BUTTON, BN_CLICKED, 1},
        {IDC_TEST_BUTTON, BN_SETFOCUS, 0},
        {IDC_TEST_LABEL, BN_CLICKED, 0},
    };
    for (const auto& c : cases) {
        DerivedDialog dialog([&c](ScriptedDialog& d) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, c.notification),
                          reinterpret_cast<LPARAM>(d.GetDlgItem(c.id)));
            d.EndDialog(IDOK);
        });
        dialog.DoModal();
        EXPECT_EQ(c.clicks, dialog.m_clicks) << c.id << " " << c.notification;
        EXPECT_EQ(c.clicks == 0, dialog.Defaulted(WM_COMMAND)) << c.id << " " << c.notification;
    }
}

}  // namespace
