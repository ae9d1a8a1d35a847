// What the test builds of Korvessa.exe share: the program's own start-up, with an
// installation platform of the build's own under the main dialog. Header only: the builds
// link the window layer, which test_support does not.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "framework/App.h"
#include "ui/KorvessaDlg.h"

// Korvessa.exe's InitInstance over platform: the common controls, the framework, COM and OLE,
// then the main dialog, run modally. Returns FALSE, so that the program ends when the dialog
// closes.
inline BOOL RunMainDialog(CWinAppEx& app, InstallPlatform& platform)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    app.CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    CoInitialize(nullptr);
    AfxOleInit();
    {
        CKorvessaDlg dialog(SystemShell(), platform);
        app.m_pMainWnd = &dialog;
        dialog.DoModal();
    }
    return FALSE;
}
