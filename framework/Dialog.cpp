// CDialog: the static dialog procedure, the modal loop and the default dialog processing.
#include "framework/Dialog.h"

#include "framework/App.h"

namespace {

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_INITDIALOG ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_QUERYDRAGICON;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    ON_BN_CLICKED(IDOK, &CDialog::OnOK)
    ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

HWND CDialog::FindOwner() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd && mainWnd != this)
        return mainWnd->m_hWnd;
    return nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = FindOwner();
    BOOL ownerDisabled = FALSE;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        ownerDisabled = TRUE;
    }

    m_bEnded = FALSE;
    m_nResult = -1;
    HWND created = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (created && !m_bEnded)
        ::ShowWindow(created, SW_SHOWNORMAL);
    while (created && !m_bEnded) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT is meant for the loop outside: pass it on and end.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&msg) && !::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // The owner first, so that activation returns to it and not to another program.
    if (ownerDisabled)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    return created ? m_nResult : -1;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = TRUE;
    // Wakes the loop when the call came from outside a dispatched message (a sent message,
    // a hook callback, another thread).
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_bPassToPlatform = TRUE;
    const LRESULT result = ::DefDlgProcA(m_hWnd, message, wParam, lParam);
    m_bPassToPlatform = FALSE;
    return result;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    CDialog* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!dialog)
        return FALSE;  // the messages of the window's creation, before WM_INITDIALOG
    if (dialog->m_bPassToPlatform) {
        dialog->m_bPassToPlatform = FALSE;
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        // The window is gone; a loop still running for it ends.
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        dialog->m_bEnded = TRUE;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == dialog)
            app->m_pMainWnd = nullptr;
        return FALSE;
    }

    LRESULT result = 0;
    try {
        result = dialog->WindowProc(message, wParam, lParam);
    } catch (...) {
        return FALSE;  // no exception may cross into Windows
    }
    if (ReturnsResultDirectly(message))
        return result;
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
