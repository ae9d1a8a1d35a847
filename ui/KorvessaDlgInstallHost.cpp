// The worker's window operations on the main dialog.
#include "KorvessaDlg.h"

#include "App.h"
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
    AfxMessageBox(text);
}

void CKorvessaDlg::OpenWebPage(LPCSTR) {}

void CKorvessaDlg::RunRestartDialog() {}
