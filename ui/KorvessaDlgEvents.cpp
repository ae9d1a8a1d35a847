// The main dialog once it is open: painting while minimised, the key filter, device arrival
// and removal, and the four buttons.
#include "ui/KorvessaDlg.h"

#include <dbt.h>

#include <cstddef>

#include "common/WebPages.h"
#include "framework/PaintDC.h"
#include "install/InstallWorker.h"
#include "install/StatusTexts.h"
#include "resources/resource.h"
#include "ui/KeyFilter.h"

namespace {

constexpr char kDeviceManagerConsole[] = "devmgmt.msc";

// The name of a device-interface record, read no further than the record's own size says.
CString InterfaceName(const DEV_BROADCAST_HDR& header)
{
    constexpr DWORD nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    if (header.dbch_size <= nameOffset)
        return CString();
    const auto& record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A&>(header);
    return CString(record.dbcc_name, static_cast<int>(header.dbch_size - nameOffset));
}

}  // namespace

BEGIN_MESSAGE_MAP(CKorvessaDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_INSTALL, &CKorvessaDlg::OnInstallClicked)
    ON_BN_CLICKED(IDC_HELP_PAGE, &CKorvessaDlg::OnHelpClicked)
    ON_BN_CLICKED(IDC_REFRESH, &CKorvessaDlg::OnRefreshClicked)
    ON_BN_CLICKED(IDC_DEVICE_MANAGER, &CKorvessaDlg::OnDeviceManagerClicked)
    ON_MESSAGE(kRefreshDeviceListMessage, &CKorvessaDlg::OnRefreshRequest)
END_MESSAGE_MAP()

CPoint MinimizedIconPosition(const RECT& client, int iconWidth, int iconHeight)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    return CPoint((width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2);
}

void CKorvessaDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    const CPoint at = MinimizedIconPosition(client, iconWidth, iconHeight);
    DrawIcon(dc.m_hDC, at.x, at.y, m_hIcon);
}

HCURSOR CKorvessaDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

BOOL CKorvessaDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsSwallowedDialogKey(*pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CKorvessaDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DEVICECHANGE)
        return CDialog::DefWindowProc(message, wParam, lParam);
    // Any process may send this message: an arrival or removal without its record is
    // answered like any other and read no further.
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && header &&
        header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
        OnDeviceChanged(InterfaceName(*header));
    // TRUE for every event, which also grants a query to remove a device.
    return TRUE;
}

void CKorvessaDlg::OnDeviceChanged(const CString&)
{
    // Whatever the interface, the whole list is rebuilt.
    RefreshDeviceList();
}

void CKorvessaDlg::OnInstallClicked()
{
    if (m_bInstalling)
        return;
    // Before the start: the worker may end, and clear the flag, before the start returns.
    m_bInstalling = TRUE;
    m_pInstallThread = BeginInstallThread();
    if (!m_pInstallThread) {
        m_bInstalling = FALSE;
        SetStatusText(StatusText::kInstallNotStarted);
    }
}

CWinThread* CKorvessaDlg::BeginInstallThread()
{
    // The previous worker has ended (the flag was clear); the teardown needs only the newest.
    if (m_hInstallThread) {
        CloseHandle(m_hInstallThread);
        m_hInstallThread = nullptr;
    }
    // The worker's parameter is the host part of this object.
    return AfxBeginThread(InstallThreadProc, static_cast<InstallHost*>(this), THREAD_PRIORITY_NORMAL, 0, 0,
                          nullptr, &m_hInstallThread);
}

void CKorvessaDlg::OnHelpClicked()
{
    m_shell.Execute(m_hWnd, nullptr, KORVESSA_DOCUMENTATION_PAGE, SW_SHOWMAXIMIZED);
}

void CKorvessaDlg::OnRefreshClicked()
{
    RefreshDeviceList();
}

void CKorvessaDlg::OnDeviceManagerClicked()
{
    const CString console = SystemFolderFile(kDeviceManagerConsole);
    if (!console.IsEmpty())
        m_shell.Execute(m_hWnd, nullptr, console, SW_SHOW);
}
