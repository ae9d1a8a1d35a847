// CDriverSignatureDlg: the restart dialog (template 162), shown by the installation worker,
// on its own thread, when the 64-bit installation fails signature validation. It restarts
// Windows into the advanced boot options or opens the page that explains the steps.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "ui/ShellRequests.h"

class CDriverSignatureDlg : public CDialog {
    DECLARE_DYNAMIC(CDriverSignatureDlg)

public:
    // No parent: the modal run takes the application's main window as the owner.
    explicit CDriverSignatureDlg(ShellRequests& shell = SystemShell());

    // The key filter of both dialogs: Enter and Esc do nothing here either.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnCancelClicked();
    void OnRestartNowClicked();
    void OnLearnMoreClicked();

    DECLARE_MESSAGE_MAP()

private:
    ShellRequests& m_shell;
};
