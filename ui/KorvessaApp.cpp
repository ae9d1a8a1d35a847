// Start-up: the DLL search limited to the system folder, the common controls, COM and OLE on
// this thread, then the main dialog. No result is looked at: a failed step still leads to the
// dialog. The command line is not read.
#include "ui/KorvessaApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "common/SystemLibrary.h"
#include "ui/KorvessaDlg.h"

BOOL CKorvessaApp::InitInstance()
{
    // Before anything loads a DLL: the program runs with administrator rights, usually from
    // the browser's download folder, where any download could lie beside it.
    LoadDllsFromSystemFolderOnly();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    CoInitialize(nullptr);
    AfxOleInit();
    {
        CKorvessaDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
    }
    return FALSE;
}
