// The application object and the framework's global calls: the one CWinApp of the program,
// its main window, its module and its message boxes. WinMain (framework_entry) runs it.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CWinApp {
public:
    // The one application object; it becomes AfxGetApp().
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // TRUE runs the application's message loop until WM_QUIT; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // The process's exit code.
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;
    // The module's name without folder and extension: the title of its message boxes.
    LPCSTR m_pszAppName;

private:
    friend BOOL AfxOleInit();
    friend int AfxWinMain();

    char m_appName[MAX_PATH];
    // Set by AfxOleInit: the run ends OLE after ExitInstance.
    BOOL m_bOleInitialized = FALSE;
};

class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE) : m_bResourceSmartUpdate(bResourceSmartUpdate) {}

    BOOL m_bResourceSmartUpdate;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The program's own module, which holds its resources.
HINSTANCE AfxGetResourceHandle();
// Korvessa hosts no ActiveX controls: nothing to set up.
void AfxEnableControlContainer(void* pManager = nullptr);
// Initialises OLE on the application's thread; the framework's entry uninitialises it at
// the end. FALSE without an application object.
BOOL AfxOleInit();
// A message box owned by the main window, titled with the application's name, on the
// calling thread; without an icon of its own it shows the warning icon.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK);

// What WinMain runs: InitInstance, the message loop when it returned TRUE, ExitInstance
// and the end of OLE.
int AfxWinMain();
