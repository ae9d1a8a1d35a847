// Dialog data exchange: binds a dialog's controls to the dialog's member objects.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches the dialog's control nIDC to rControl, once; a member whose class has a message
// map of its own is subclassed, so that its map sees the control's messages.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
