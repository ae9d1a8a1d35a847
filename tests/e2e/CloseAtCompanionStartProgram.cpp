// korvessa_close_at_companion_start.exe COMPANION MARKER: a test build of Korvessa.exe whose
// installation always takes the 64-bit road and runs COMPANION MARKER through the real process
// runner as its companion. The moment the companion exists, before it has run, the worker
// closes the main window and then waits for good, so that the window's teardown finds it
// still running. It writes no file and installs nothing. Start-up is Korvessa.exe's.
#include <windows.h>

#include "install/ProcessRunner.h"
#include "tests/e2e/CompanionRoadPlatform.h"
#include "ui/KorvessaApp.h"

namespace {

void CloseMainWindowAndWait()
{
    PostMessageA(*AfxGetMainWnd(), WM_CLOSE, 0, 0);
    Sleep(INFINITE);
}

class CompanionStartPlatform final : public CompanionRoadPlatform {
public:
    explicit CompanionStartPlatform(const CString& companionCommand) : m_companionCommand(companionCommand) {}

    BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString&) override
    {
        return RunProcessCaptureOutput(childProcess, answer, m_companionCommand, kChildTimeLimitMs,
                                       CloseMainWindowAndWait);
    }

private:
    CString m_companionCommand;
};

class CloseAtCompanionStartApp : public CKorvessaApp {
public:
    BOOL InitInstance() override
    {
        if (__argc < 3)
            return FALSE;
        CompanionStartPlatform platform(CString("\"") + __argv[1] + "\" \"" + __argv[2] + "\"");
        return RunMainDialog(platform);
    }
};

CloseAtCompanionStartApp theApp;

}  // namespace
