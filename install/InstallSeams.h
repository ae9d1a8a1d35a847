// What the installation worker is handed: the main window's six operations, the platform's
// calls, and the host that carries both together with the two fields the worker writes.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/CString.h"
#include "install/ChildProcessRecord.h"

// The main window as the worker sees it. Every operation is called on the worker's thread.
class InstallWindow {
public:
    virtual void SetStatusText(LPCSTR text) = 0;
    virtual void SetProgress(int position) = 0;  // 0 to 100
    virtual void RefreshDeviceList() = 0;
    // Modal to the main window: returns when the user presses OK.
    virtual void ShowMessageBox(LPCSTR text) = 0;
    virtual void OpenWebPage(LPCSTR address) = 0;
    // Runs the driver signature dialog modally and returns when it closes.
    virtual void RunRestartDialog() = 0;

protected:
    ~InstallWindow() = default;
};

// The system calls of one installation: the package writer, the system facts, the device
// scans, Plug and Play and the installers.
class InstallPlatform {
public:
    virtual CString GetWorkFolder() = 0;
    // Writes one driver package file, chosen by its resource id; FALSE when nothing was written.
    virtual BOOL ExtractDriverFile(int resourceId) = 0;
    virtual BOOL IsWow64() = 0;
    virtual BOOL IsWindowsVista() = 0;
    // An immediate test for pending device installations: WAIT_OBJECT_0 when there are none,
    // WAIT_TIMEOUT while some are pending, WAIT_FAILED when the test itself fails.
    virtual DWORD TestPendingInstallEvents() = 0;
    virtual void Pause(DWORD milliseconds) = 0;
    virtual BOOL FindAdbProblemDevice() = 0;
    virtual BOOL IsAdbInterfacePresent() = 0;
    virtual BOOL IsSamsungDevicePresent() = 0;
    // Runs the companion program's command line; see RunProcessCaptureOutput.
    virtual BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString& commandLine) = 0;
    // Installs the INF's driver for the devices with this hardware ID; on failure lastError
    // receives the call's error code.
    virtual BOOL UpdateDriver(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError) = 0;
    virtual void KillAdbProcesses() = 0;

protected:
    ~InstallPlatform() = default;
};

// The worker's thread parameter: the main dialog, or an object that stands in for it.
class InstallHost : public InstallWindow {
public:
    virtual InstallPlatform& Platform() = 0;

    // The companion program's process id while it runs, recorded by the process runner on the
    // worker's thread; the main window's teardown ends that companion.
    ChildProcessRecord m_childProcessId;
    // Set on the user-interface thread before a worker starts; the worker clears it as its
    // last act. Only the user-interface thread tests it.
    std::atomic<BOOL> m_bInstalling{FALSE};

protected:
    ~InstallHost() = default;
};
