// CKorvessaDlg: the main window (dialog template 102) and the installation worker's host.
// KorvessaDlg.cpp holds its construction, data exchange, initialisation and teardown;
// KorvessaDlgEvents.cpp its reactions once open; DeviceList.cpp the list's rebuild;
// KorvessaDlgInstallHost.cpp the operations the worker calls.
#pragma once

#include <windows.h>

#include "detection/DeviceScans.h"
#include "detection/DeviceTexts.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/Thread.h"
#include "install/InstallSeams.h"
#include "ui/Banner.h"
#include "ui/ShellRequests.h"

// The worker's request for a device-list rebuild on the user-interface thread.
constexpr UINT kRefreshDeviceListMessage = WM_APP + 1;

class CKorvessaDlg : public CDialog, public InstallHost {
public:
    // Loads the icon and installs the new-hardware hook; creates no window. The shell, the
    // installation's platform and the device tree the list reads are the system's unless a
    // test hands in its own.
    explicit CKorvessaDlg(ShellRequests& shell = SystemShell(), InstallPlatform& platform = SystemPlatform(),
                          const DeviceTree& deviceTree = SystemDeviceTree());
    // Releases the notification and the hook, and lets no running worker outlive the object.
    ~CKorvessaDlg() override;

    // The worker's window operations (KorvessaDlgInstallHost.cpp).
    void SetStatusText(LPCSTR text) override;
    void SetProgress(int position) override;
    void ShowMessageBox(LPCSTR text) override;
    void OpenWebPage(LPCSTR address) override;
    void RunRestartDialog() override;
    // Empties the device list and fills it from a fresh scan (DeviceList.cpp). Called on the
    // worker's thread, it hands the rebuild to the user-interface thread and waits for it.
    void RefreshDeviceList() override;
    InstallPlatform& Platform() override { return m_platform; }

    // Swallows the key-downs of Enter and Esc (the key filter both dialogs share).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Device-interface arrival and removal, which no message map takes.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static InstallPlatform& SystemPlatform();
    static const DeviceTree& SystemDeviceTree();

protected:
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnInstallClicked();
    void OnHelpClicked();
    void OnRefreshClicked();
    void OnDeviceManagerClicked();
    void OnDeviceChanged(const CString& interfaceName);
    LRESULT OnRefreshRequest(WPARAM, LPARAM);
    // Starts InstallThreadProc for this dialog, keeping an own handle of the thread in
    // m_hInstallThread; NULL when no thread starts.
    virtual CWinThread* BeginInstallThread();

    DECLARE_MESSAGE_MAP()

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    HDEVNOTIFY m_hDevNotify = nullptr;
    HWINEVENTHOOK m_hWinEventHook = nullptr;
    // As AfxBeginThread returned it: the object deletes itself when the worker ends, so
    // nothing may be read through it later. The worker's parameter is this dialog as its
    // InstallHost, static_cast<InstallHost*>(this): InstallHost is not its first base.
    CWinThread* m_pInstallThread = nullptr;
    // The dialog's own handle of the worker's thread, which the teardown waits on: start the
    // worker with AfxBeginThread(..., &m_hInstallThread) after closing the previous one.
    HANDLE m_hInstallThread = nullptr;
    VendorTable m_vendors;
    CImageList m_imageList;
    HICON m_hIcon = nullptr;
    CProgressCtrl m_progress;
    CListCtrl m_deviceList;
    CBanner m_banner;
    ShellRequests& m_shell;
    InstallPlatform& m_platform;
    const DeviceTree& m_deviceTree;

private:
    void RegisterForDeviceNotifications();
    void InsertColumns();
    void BuildImageList();
    void StopRunningWorker();
    void RebuildDeviceList();
};

// Where a minimised dialog draws its icon of this size: centred in the client area, rounding
// up, in integer division that truncates toward zero.
CPoint MinimizedIconPosition(const RECT& client, int iconWidth, int iconHeight);

// Puts the operating-system text into control 1002.
void ShowOsVersion(CKorvessaDlg& dialog);
