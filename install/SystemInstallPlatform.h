// The installation's platform as the running program uses it: the real package writer,
// system facts, device scans, Plug and Play calls and installers.
#pragma once

#include "install/InstallSeams.h"

class SystemInstallPlatform : public InstallPlatform {
public:
    CString GetWorkFolder() override;
    BOOL ExtractDriverFile(int resourceId) override;
    BOOL IsWow64() override;
    BOOL IsWindowsVista() override;
    DWORD TestPendingInstallEvents() override;
    void Pause(DWORD milliseconds) override;
    BOOL FindAdbProblemDevice() override;
    BOOL IsAdbInterfacePresent() override;
    BOOL IsSamsungDevicePresent() override;
    BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString& commandLine) override;
    BOOL UpdateDriver(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError) override;
    void KillAdbProcesses() override;
};
