// The restart dialog's buttons. Neither the restart nor the page closes the dialog, and no
// result of either is looked at.
#include "ui/DriverSignatureDlg.h"

#include "common/WebPages.h"
#include "resources/resource.h"
#include "ui/KeyFilter.h"

IMPLEMENT_DYNAMIC(CDriverSignatureDlg, CDialog)

BEGIN_MESSAGE_MAP(CDriverSignatureDlg, CDialog)
    ON_BN_CLICKED(IDC_SIGNATURE_CANCEL, &CDriverSignatureDlg::OnCancelClicked)
    ON_BN_CLICKED(IDC_RESTART_NOW, &CDriverSignatureDlg::OnRestartNowClicked)
    ON_BN_CLICKED(IDC_LEARN_MORE, &CDriverSignatureDlg::OnLearnMoreClicked)
END_MESSAGE_MAP()

CDriverSignatureDlg::CDriverSignatureDlg(ShellRequests& shell)
    : CDialog(IDD_DRIVER_SIGNATURE), m_shell(shell)
{
}

BOOL CDriverSignatureDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsSwallowedDialogKey(*pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CDriverSignatureDlg::OnCancelClicked()
{
    EndDialog(IDCANCEL);
}

void CDriverSignatureDlg::OnRestartNowClicked()
{
    // The system's own shutdown.exe, quoted; restart (-r) into the advanced boot options (-o)
    // at once (-t 0).
    const CString shutdown = SystemFolderFile("shutdown.exe");
    if (shutdown.IsEmpty())
        return;
    m_shell.Run("\"" + shutdown + "\"" + " -o" + " -r" + " -t" + " 0", SW_HIDE);
}

void CDriverSignatureDlg::OnLearnMoreClicked()
{
    m_shell.Execute(m_hWnd, nullptr, KORVESSA_SIGNATURE_HELP_PAGE, SW_SHOWMAXIMIZED);
}
