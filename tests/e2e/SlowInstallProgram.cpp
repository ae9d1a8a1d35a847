// korvessa_slow_install.exe [MS [ANSWER]]: a test build of Korvessa.exe whose installation
// always finds a device on 64-bit Windows and whose companion takes MS milliseconds (2000 by
// default) to answer ANSWER ("success" by default). It writes no file and installs nothing.
// Start-up is Korvessa.exe's.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "framework/App.h"
#include "ui/KorvessaDlg.h"

namespace {

class SlowCompanionPlatform : public InstallPlatform {
public:
    SlowCompanionPlatform(DWORD companionMs, LPCSTR answer) : m_companionMs(companionMs), m_answer(answer) {}

    CString GetWorkFolder() override { return "C:\\korvessa-slow-install"; }
    BOOL ExtractDriverFile(int) override { return TRUE; }
    BOOL IsWow64() override { return TRUE; }
    BOOL IsWindowsVista() override { return FALSE; }
    DWORD TestPendingInstallEvents() override { return WAIT_OBJECT_0; }
    void Pause(DWORD milliseconds) override { Sleep(milliseconds); }
    BOOL FindAdbProblemDevice() override { return TRUE; }
    BOOL IsAdbInterfacePresent() override { return TRUE; }
    BOOL IsSamsungDevicePresent() override { return FALSE; }
    BOOL RunCompanion(ChildProcessRecord&, CString& answer, const CString&) override
    {
        Sleep(m_companionMs);
        answer = m_answer;
        return TRUE;
    }
    BOOL UpdateDriver(LPCSTR, LPCSTR, DWORD& lastError) override
    {
        lastError = ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    void KillAdbProcesses() override {}

private:
    DWORD m_companionMs;
    CString m_answer;
};

class SlowInstallApp : public CWinAppEx {
public:
    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        CoInitialize(nullptr);
        AfxOleInit();
        SlowCompanionPlatform platform(__argc > 1 ? std::strtoul(__argv[1], nullptr, 10) : 2000,
                                       __argc > 2 ? __argv[2] : "success");
        {
            CKorvessaDlg dialog(SystemShell(), platform);
            m_pMainWnd = &dialog;
            dialog.DoModal();
        }
        return FALSE;
    }
};

SlowInstallApp theApp;

}  // namespace
