// The main dialog open on a user-interface thread of its own, over a device tree and an
// installation platform held in memory and a recording shell, driven from the test's thread
// with window messages as a user and the system would drive it.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "framework/App.h"
#include "tests/support/FakeDeviceTree.h"
#include "tests/ui/ModalDialogThread.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/KorvessaDlg.h"

// Counts the scans: each scan locates the tree's root once.
class CountingDeviceTree : public FakeDeviceTree {
public:
    CONFIGRET LocateRoot(DEVINST* root) const override
    {
        ++scans;
        return FakeDeviceTree::LocateRoot(root);
    }
    mutable std::atomic<long> scans{0};
};

// Adds an ADB interface node below the root, with this hardware ID's vendor.
void AddAdbNode(FakeDeviceTree& tree, const std::string& hardwareId, const std::string& description,
                ULONG status = 0, ULONG problem = 0);

// An installation that finds no device, or the Samsung device when samsungPresent says so.
// Its Plug and Play test waits at a gate the test opens; its companion (when the platform
// says 64-bit and a device is there) takes companionMs.
class GatedInstallPlatform : public InstallPlatform {
public:
    GatedInstallPlatform();
    ~GatedInstallPlatform();

    void OpenGate() { SetEvent(m_gate); }
    long Runs() const { return m_runs; }

    CString GetWorkFolder() override { return "C:\\nowhere"; }
    BOOL ExtractDriverFile(int resourceId) override;
    BOOL IsWow64() override { return wow64; }
    BOOL IsWindowsVista() override { return FALSE; }
    DWORD TestPendingInstallEvents() override;
    void Pause(DWORD) override {}
    BOOL FindAdbProblemDevice() override { return FALSE; }
    BOOL IsAdbInterfacePresent() override { return devicePresent; }
    BOOL IsSamsungDevicePresent() override { return samsungPresent; }
    BOOL RunCompanion(ChildProcessRecord&, CString& answer, const CString&) override;
    BOOL UpdateDriver(LPCSTR, LPCSTR, DWORD& lastError) override;
    void KillAdbProcesses() override {}

    std::atomic<BOOL> wow64{FALSE};
    std::atomic<BOOL> devicePresent{FALSE};
    std::atomic<BOOL> samsungPresent{FALSE};
    std::atomic<DWORD> companionMs{0};

private:
    HANDLE m_gate;
    std::atomic<long> m_runs{0};
};

// Also notes whether COM was ready on the thread that asked to open something.
class ComCheckingShell : public RecordingShell {
public:
    void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) override
    {
        // S_FALSE: COM was initialised on this thread already.
        const HRESULT result = CoInitialize(nullptr);
        comWasReady = result == S_FALSE;
        if (SUCCEEDED(result))
            CoUninitialize();
        RecordingShell::Execute(owner, verb, file, showCommand);
    }
    std::atomic<bool> comWasReady{false};
};

class TestMainDialog : public CKorvessaDlg {
public:
    using CKorvessaDlg::CKorvessaDlg;
    using CKorvessaDlg::m_bInstalling;
    size_t VendorCount() const { return m_vendors.size(); }

    // A thread start that fails, and what the flag said when the start was asked for.
    std::atomic<bool> failThreadStart{false};
    std::atomic<bool> flagSetAtStart{false};

protected:
    CWinThread* BeginInstallThread() override
    {
        flagSetAtStart = m_bInstalling != FALSE;
        return failThreadStart ? nullptr : CKorvessaDlg::BeginInstallThread();
    }
};

class OpenMainDialog {
public:
    OpenMainDialog();
    ~OpenMainDialog();

    HWND Window() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    TestMainDialog& Dialog() const { return *m_dialog; }
    // Sends the click of a button as the button itself reports it, and waits for its handling.
    void Click(int id) const;
    std::string StatusText() const;
    // The list's rows as text: image, maker, description and status, separated by '|'.
    std::vector<std::string> Rows() const;

    CWinApp m_app;
    ComCheckingShell m_shell;
    CountingDeviceTree m_tree;
    GatedInstallPlatform m_platform;

private:
    std::unique_ptr<ModalDialogThread> m_thread;
    std::atomic<TestMainDialog*> m_dialog{nullptr};
    HWND m_window = nullptr;
};
