// CKorvessaDlg: the main window (dialog template 102) and the installation worker's host.
// This file's .cpp holds its construction, data exchange, initialisation and teardown.
#pragma once

#include <windows.h>

#include "Banner.h"
#include "DeviceTexts.h"
#include "Dialog.h"
#include "ImageList.h"
#include "InstallSeams.h"
#include "ListCtrl.h"
#include "ProgressCtrl.h"
#include "ShellRequests.h"
#include "SystemInstallPlatform.h"
#include "Thread.h"

class CKorvessaDlg : public CDialog, public InstallHost {
public:
    // Loads the icon and installs the new-hardware hook; creates no window.
    explicit CKorvessaDlg(ShellRequests& shell = SystemShell());
    // Releases the notification and the hook, and lets no running worker outlive the object.
    ~CKorvessaDlg() override;

    // The worker's window operations (KorvessaDlgInstallHost.cpp).
    void SetStatusText(LPCSTR text) override;
    void SetProgress(int position) override;
    void ShowMessageBox(LPCSTR text) override;
    void OpenWebPage(LPCSTR address) override;
    void RunRestartDialog() override;
    // Empties the device list and fills it from a fresh scan (DeviceList.cpp).
    void RefreshDeviceList() override;
    InstallPlatform& Platform() override { return m_platform; }

protected:
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
    SystemInstallPlatform m_platform;

private:
    void RegisterForDeviceNotifications();
    void InsertColumns();
    void BuildImageList();
    void StopRunningWorker();
};

// Puts the operating-system text into control 1002.
void ShowOsVersion(CKorvessaDlg& dialog);
