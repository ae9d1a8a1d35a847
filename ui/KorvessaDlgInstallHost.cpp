// The worker's window operations on the main dialog, all called on the worker's thread. Each
// reaches the window synchronously (a message sent to it), so the worker's texts, which are
// temporaries, are never read after the call.
#include "ui/KorvessaDlg.h"

#include <objbase.h>

#include "framework/App.h"
#include "resources/resource.h"
#include "ui/DriverSignatureDlg.h"

namespace {

// Only the user-interface thread initialised COM, and the shell needs it on the worker's
// thread too: for the downloads page and for the restart dialog's "Learn more" page.
class ComOnThisThread {
public:
    ComOnThisThread() : m_result(CoInitialize(nullptr)) {}
    ~ComOnThisThread()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComOnThisThread(const ComOnThisThread&) = delete;
    ComOnThisThread& operator=(const ComOnThisThread&) = delete;

private:
    HRESULT m_result;
};

}  // namespace

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
    AfxMessageBox(text, MB_OK);
}

void CKorvessaDlg::OpenWebPage(LPCSTR address)
{
    const ComOnThisThread com;
    m_shell.Execute(m_hWnd, nullptr, address, SW_SHOWMAXIMIZED);
}

void CKorvessaDlg::RunRestartDialog()
{
    const ComOnThisThread com;
    // Owned by the main window, which it disables while it is open.
    CDriverSignatureDlg dialog(m_shell);
    dialog.DoModal();
}
