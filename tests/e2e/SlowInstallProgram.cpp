// korvessa_slow_install.exe [MS [ANSWER]]: a test build of Korvessa.exe whose installation
// always finds a device on 64-bit Windows and whose companion takes MS milliseconds (2000 by
// default) to answer ANSWER ("success" by default). It writes no file and installs nothing.
// Start-up is Korvessa.exe's.
#include <windows.h>

#include <cstdlib>

#include "tests/e2e/CompanionRoadPlatform.h"
#include "ui/KorvessaApp.h"

namespace {

class SlowCompanionPlatform final : public CompanionRoadPlatform {
public:
    SlowCompanionPlatform(DWORD companionMs, LPCSTR answer) : m_companionMs(companionMs), m_answer(answer) {}

    BOOL RunCompanion(ChildProcessRecord&, CString& answer, const CString&) override
    {
        Sleep(m_companionMs);
        answer = m_answer;
        return TRUE;
    }

private:
    DWORD m_companionMs;
    CString m_answer;
};

class SlowInstallApp : public CKorvessaApp {
public:
    BOOL InitInstance() override
    {
        SlowCompanionPlatform platform(__argc > 1 ? std::strtoul(__argv[1], nullptr, 10) : 2000,
                                       __argc > 2 ? __argv[2] : "success");
        return RunMainDialog(platform);
    }
};

SlowInstallApp theApp;

}  // namespace
