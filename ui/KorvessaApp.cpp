// Start-up, once WinMain has closed the DLL search: the common controls, COM and OLE on this
// thread, then the main dialog. No result is looked at: a failed step still leads to the
// dialog. The command line is not read.
#include "ui/KorvessaApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "ui/KorvessaDlg.h"

BOOL CKorvessaApp::InitInstance()
{
    return RunMainDialog(CKorvessaDlg::SystemPlatform());
}

BOOL CKorvessaApp::RunMainDialog(InstallPlatform& platform)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    CoInitialize(nullptr);
    AfxOleInit();
    {
        CKorvessaDlg dialog(SystemShell(), platform);
        m_pMainWnd = &dialog;
        dialog.DoModal();
    }
    return FALSE;
}
