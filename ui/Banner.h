// CBanner: the banner picture (static control 1006) as a link. The hand cursor shows over
// the whole control, and releasing the left button opens the address through the shell.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "framework/Static.h"
#include "ui/ShellRequests.h"

class CBanner : public CStatic {
    DECLARE_DYNAMIC(CBanner)

public:
    explicit CBanner(ShellRequests& shell = SystemShell()) : m_shell(shell) {}

    void SetUrl(CString url) { m_url = url; }

    // The address a release opens; empty until SetUrl.
    CString m_url;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    ShellRequests& m_shell;
};
