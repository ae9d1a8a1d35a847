// korvessa_close_at_companion_start.exe COMPANION MARKER: a test build of Korvessa.exe whose
// installation always takes the 64-bit road and runs COMPANION MARKER through the real process
// runner as its companion. The moment the companion exists, before it has run, the worker
// closes the main window and then waits for good, so that the window's teardown finds it
// still running. It writes no file and installs nothing. Start-up is Korvessa.exe's.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "framework/App.h"
#include "install/ProcessRunner.h"
#include "ui/KorvessaDlg.h"

namespace {

void CloseMainWindowAndWait()
{
    PostMessageA(*AfxGetMainWnd(), WM_CLOSE, 0, 0);
    Sleep(INFINITE);
}

class CompanionStartPlatform : public InstallPlatform {
public:
    explicit CompanionStartPlatform(const CString& companionCommand) : m_companionCommand(companionCommand) {}

    CString GetWorkFolder() override { return "C:\\korvessa-close-at-companion-start"; }
    BOOL ExtractDriverFile(int) override { return TRUE; }
    BOOL IsWow64() override { return TRUE; }
    BOOL IsWindowsVista() override { return FALSE; }
    DWORD TestPendingInstallEvents() override { return WAIT_OBJECT_0; }
    void Pause(DWORD milliseconds) override { Sleep(milliseconds); }
    BOOL FindAdbProblemDevice() override { return TRUE; }
    BOOL IsAdbInterfacePresent() override { return TRUE; }
    BOOL IsSamsungDevicePresent() override { return FALSE; }
    BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString&) override
    {
        return RunProcessCaptureOutput(childProcess, answer, m_companionCommand, kChildTimeLimitMs,
                                       CloseMainWindowAndWait);
    }
    BOOL UpdateDriver(LPCSTR, LPCSTR, DWORD& lastError) override
    {
        lastError = ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    void KillAdbProcesses() override {}

private:
    CString m_companionCommand;
};

class CloseAtCompanionStartApp : public CWinAppEx {
public:
    BOOL InitInstance() override
    {
        if (__argc < 3)
            return FALSE;
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        CoInitialize(nullptr);
        AfxOleInit();
        CompanionStartPlatform platform(CString("\"") + __argv[1] + "\" \"" + __argv[2] + "\"");
        {
            CKorvessaDlg dialog(SystemShell(), platform);
            m_pMainWnd = &dialog;
            dialog.DoModal();
        }
        return FALSE;
    }
};

CloseAtCompanionStartApp theApp;

}  // namespace
