// The main dialog's construction, data exchange, initialisation and teardown.
#include "ui/KorvessaDlg.h"

#include <commctrl.h>
#include <dbt.h>

#include "common/WebPages.h"
#include "framework/App.h"
#include "install/Processes.h"
#include "install/SystemInstallPlatform.h"
#include "resources/resource.h"
#include "ui/NewHardwareWatcher.h"

namespace {

// GUID_DEVINTERFACE_USB_DEVICE
constexpr GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

constexpr DWORD kWorkerGraceMs = 200;

const struct {
    const char* title;
    int format;
    int width;
} kColumns[] = {
    {"", LVCFMT_CENTER, 30},
    {"Manufacturer", LVCFMT_CENTER, 140},
    {"Description", LVCFMT_CENTER, 480},
    {"Device Status", LVCFMT_CENTER, 220},
};

// Image 0 marks a working device, image 1 a device with a problem.
const int kDeviceImages[] = {IDB_DEVICE_OK, IDB_DEVICE_PROBLEM};

}  // namespace

CKorvessaDlg::CKorvessaDlg(ShellRequests& shell, InstallPlatform& platform, const DeviceTree& deviceTree)
    : CDialog(IDD_KORVESSA_DIALOG), m_banner(shell), m_shell(shell), m_platform(platform), m_deviceTree(deviceTree)
{
    m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_hWinEventHook = WatchForNewHardwareWindows();
}

InstallPlatform& CKorvessaDlg::SystemPlatform()
{
    static SystemInstallPlatform platform;
    return platform;
}

const DeviceTree& CKorvessaDlg::SystemDeviceTree()
{
    static const RealDeviceTree tree;
    return tree;
}

CKorvessaDlg::~CKorvessaDlg()
{
    if (m_hDevNotify)
        UnregisterDeviceNotification(m_hDevNotify);
    if (m_hWinEventHook)
        UnhookWinEvent(m_hWinEventHook);
    StopRunningWorker();
}

void CKorvessaDlg::StopRunningWorker()
{
    if (!m_hInstallThread)
        return;
    DWORD exitCode = 0;
    if (GetExitCodeThread(m_hInstallThread, &exitCode) && exitCode == STILL_ACTIVE &&
        WaitForSingleObject(m_hInstallThread, kWorkerGraceMs) != WAIT_OBJECT_0) {
        // The worker still runs and uses this object. Ending its thread alone could leave a
        // lock held that the rest of the exit needs (the heap's, the loader's), so the whole
        // process ends here, once the companion it may be waiting for is ended too. The
        // record stays locked, so no companion starts after this look.
        const DWORD companion = m_childProcessId.LockForGood();
        if (companion)
            EndOwnChildProcess(companion);
        TerminateProcess(GetCurrentProcess(), 0);
    }
    CloseHandle(m_hInstallThread);
    m_hInstallThread = nullptr;
}

void CKorvessaDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_DEVICE_LIST, m_deviceList);
    DDX_Control(pDX, IDC_BANNER, m_banner);
}

BOOL CKorvessaDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_progress.SetRange(0, 100);
    FillVendorTable(m_vendors);
    ShowOsVersion(*this);
    RegisterForDeviceNotifications();
    InsertColumns();
    BuildImageList();
    m_deviceList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    // Posted, not sent: a window that does not answer cannot hold up start-up.
    for (const char* title : {kFoundNewHardwareWizardTitle, kFoundNewHardwareTitle}) {
        HWND window = FindWindowA(nullptr, title);
        if (window)
            ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    RefreshDeviceList();
    m_banner.SetUrl(KORVESSA_PRODUCT_PAGE);
    return TRUE;
}

void CKorvessaDlg::RegisterForDeviceNotifications()
{
    // The 8-bit record with an empty name: 32 bytes on either word size.
    DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
    static_assert(sizeof filter == 32, "the filter record the system expects");
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbDeviceInterface;
    m_hDevNotify = RegisterDeviceNotificationA(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CKorvessaDlg::InsertColumns()
{
    int index = 0;
    for (const auto& column : kColumns)
        m_deviceList.InsertColumn(index++, column.title, column.format, column.width);
}

void CKorvessaDlg::BuildImageList()
{
    m_imageList.Create(24, 24, ILC_COLORDDB | ILC_MASK, 1, 0);
    for (int bitmapId : kDeviceImages) {
        HBITMAP bitmap = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId));
        m_imageList.Add(bitmap, RGB(255, 255, 255));  // white is transparent
        DeleteObject(bitmap);
    }
    // m_imageList alone destroys the list: the view keeps it as a shared one.
    const LONG_PTR style = GetWindowLongPtrA(m_deviceList, GWL_STYLE);
    SetWindowLongPtrA(m_deviceList, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    m_deviceList.SetImageList(&m_imageList, LVSIL_SMALL);
}
