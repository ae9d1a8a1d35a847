// A dialog of the test template that runs a test's script once its modal loop runs, and
// ends itself after a few seconds should the script never end it.
#pragma once

#include <functional>
#include <vector>

#include "framework/Dialog.h"
#include "tests/framework/TestDialogIds.h"

constexpr int kTimedOut = -2;
// Ends the dialog with kAfterQueuedMessages once the messages posted before it are handled.
constexpr UINT kEndAfterQueue = WM_APP + 101;
constexpr int kAfterQueuedMessages = 7;

class ScriptedDialog : public CDialog {
public:
    using Script = std::function<void(ScriptedDialog&)>;

    explicit ScriptedDialog(Script script, CWnd* parent = nullptr)
        : CDialog(IDD_TEST_DIALOG, parent), m_script(std::move(script)) {}

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the loop offered to PreTranslateMessage, and whether Escape key-downs are swallowed.
    std::vector<MSG> m_preTranslated;
    bool m_swallowEscape = false;
    // Runs while the window receives WM_DESTROY.
    std::function<void()> m_onDestroy;

protected:
    LRESULT OnRunScript(WPARAM, LPARAM);
    LRESULT OnEndAfterQueue(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    Script m_script;
};
