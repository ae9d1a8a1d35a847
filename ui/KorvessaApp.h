// CKorvessaApp: the application; its start-up shows the main dialog modally and ends the
// program when the dialog closes.
#pragma once

#include "framework/App.h"

class InstallPlatform;

class CKorvessaApp : public CWinAppEx {
public:
    CKorvessaApp() : CWinAppEx(TRUE) {}

    // Always FALSE: the program's life is the main dialog's modal run.
    BOOL InitInstance() override;

protected:
    // The start-up, with the main dialog installing over platform: Windows' own for the
    // program, one of their own for the test builds. Always FALSE.
    BOOL RunMainDialog(InstallPlatform& platform);
};
