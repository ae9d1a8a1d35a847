// The banner link's run-time class record and its two handlers.
#include "ui/Banner.h"

IMPLEMENT_DYNAMIC(CBanner, CStatic)

BEGIN_MESSAGE_MAP(CBanner, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BOOL CBanner::OnSetCursor(CWnd*, UINT, UINT)
{
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return TRUE;  // no default cursor afterwards
}

void CBanner::OnLButtonUp(UINT, CPoint)
{
    m_shell.Execute(nullptr, "open", m_url, SW_SHOWNORMAL);
    Default();
}
