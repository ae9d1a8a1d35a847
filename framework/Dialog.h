// CDialog: a dialog built from a template, run modally by a message loop of its own that
// offers each message to PreTranslateMessage before the dialog manager sees it.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/DataExchange.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Clears the application's main window when it is this dialog.
    ~CDialog() override;

    // Creates the window with its owner disabled, runs the loop until EndDialog, enables the
    // owner and then destroys the window. Returns the EndDialog result, or -1 when the window
    // cannot be created. Works on any thread.
    virtual INT_PTR DoModal();
    // Runs DoDataExchange (UpdateData(FALSE)); returns TRUE so the system sets the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The platform's dialog processing, with its result.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    void OnOK();
    void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    // EndDialog may come from another thread: the result is written before the flag.
    int m_nResult = -1;
    std::atomic<BOOL> m_bEnded{FALSE};
    // Set while DefWindowProc runs the platform's dialog procedure, whose first step calls
    // DialogProc again with the same message: that call must leave it to the platform.
    BOOL m_bPassToPlatform = FALSE;
};
