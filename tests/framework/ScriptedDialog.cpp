// The scripted test dialog.
#include "tests/framework/ScriptedDialog.h"

namespace {
constexpr UINT kRunScript = WM_APP + 100;
constexpr UINT_PTR kSafetyTimer = 1;
}  // namespace

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
    ON_MESSAGE(kRunScript, &ScriptedDialog::OnRunScript)
    ON_MESSAGE(kEndAfterQueue, &ScriptedDialog::OnEndAfterQueue)
    ON_MESSAGE(WM_TIMER, &ScriptedDialog::OnTimer)
    ON_MESSAGE(WM_DESTROY, &ScriptedDialog::OnDestroy)
END_MESSAGE_MAP()

BOOL ScriptedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(m_hWnd, kSafetyTimer, 5000, nullptr);
    PostMessage(kRunScript);
    return TRUE;
}

BOOL ScriptedDialog::PreTranslateMessage(MSG* pMsg)
{
    m_preTranslated.push_back(*pMsg);
    if (m_swallowEscape && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT ScriptedDialog::OnRunScript(WPARAM, LPARAM)
{
    m_script(*this);
    return 0;
}

LRESULT ScriptedDialog::OnEndAfterQueue(WPARAM, LPARAM)
{
    EndDialog(kAfterQueuedMessages);
    return 0;
}

LRESULT ScriptedDialog::OnTimer(WPARAM, LPARAM)
{
    EndDialog(kTimedOut);
    return 0;
}

LRESULT ScriptedDialog::OnDestroy(WPARAM, LPARAM)
{
    if (m_onDestroy)
        m_onDestroy();
    return 0;
}
