// CKorvessaApp: the application; its start-up shows the main dialog modally and ends the
// program when the dialog closes.
#pragma once

#include "framework/App.h"

class CKorvessaApp : public CWinAppEx {
public:
    CKorvessaApp() : CWinAppEx(TRUE) {}

    // Always FALSE: the program's life is the main dialog's modal run.
    BOOL InitInstance() override;
};
