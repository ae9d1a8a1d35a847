// The worker's window operations on the main dialog, all called on the worker's thread. Each
// reaches the window synchronously (a message sent to it), so the worker's texts, which are
// temporaries, are never read after the call.
#include "KorvessaDlg.h"

#include <objbase.h>

#include "App.h"
#include "DriverSignatureDlg.h"
#include "resource.h"

void CKorvessaDlg::SetStatusText(LPCSTR text)
{
    SetDlgItemText(IDC_STATUS, text);
}

void CKorvessaDlg::SetProgress(int position)
{
    m_progress.SetPos(position);
}

void CKorvessaDlg::ShowMessageBox(LPCSTR text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CKorvessaDlg::OpenWebPage(LPCSTR address)
{
    // Only the user-interface thread initialised COM; the shell needs it on this thread too.
    const HRESULT com = CoInitialize(nullptr);
    m_shell.Execute(m_hWnd, nullptr, address, SW_SHOWMAXIMIZED);
    if (SUCCEEDED(com))
        CoUninitialize();
}

void CKorvessaDlg::RunRestartDialog()
{
    // Owned by the main window, which it disables while it is open.
    CDriverSignatureDlg dialog(m_shell);
    dialog.DoModal();
}
