// The application object, its globals and the run that WinMain starts.
#include "framework/App.h"

#include <ole2.h>

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp() : m_pszAppName(m_appName)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* c = path; *c; ++c) {
        if (*c == '\\' || *c == '/')
            name = c + 1;
    }
    lstrcpynA(m_appName, name, MAX_PATH);
    char* extension = strrchr(m_appName, '.');
    if (extension)
        *extension = 0;
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

void AfxEnableControlContainer(void*) {}

BOOL AfxOleInit()
{
    if (!g_app)
        return FALSE;
    if (!g_app->m_bOleInitialized)
        g_app->m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    return g_app->m_bOleInitialized;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType)
{
    // A box that names no icon of its own gets the warning one.
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    CWnd* mainWnd = AfxGetMainWnd();
    return ::MessageBoxA(mainWnd ? mainWnd->m_hWnd : nullptr, lpszText, g_app ? g_app->m_pszAppName : nullptr,
                         nType);
}

int AfxWinMain()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->InitInstance()) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    const int exitCode = app->ExitInstance();
    if (app->m_bOleInitialized) {
        ::OleUninitialize();
        app->m_bOleInitialized = FALSE;
    }
    return exitCode;
}
