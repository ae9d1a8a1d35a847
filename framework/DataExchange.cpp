// DDX_Control: attaching, or subclassing, a dialog's control.
#include "framework/DataExchange.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (rControl.HasMessageMap())
        rControl.SubclassWindow(control);
    else
        rControl.Attach(control);
}
