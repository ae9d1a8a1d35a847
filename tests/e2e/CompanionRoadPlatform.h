// The installation of the end-to-end test builds: as on 64-bit Windows with an ADB device in
// trouble, so that every Install goes to the companion, which each build runs its own way.
// Nothing is written or installed.
#pragma once

#include <windows.h>

#include "install/InstallSeams.h"

class CompanionRoadPlatform : public InstallPlatform {
public:
    CString GetWorkFolder() override { return "C:\\korvessa-test-build"; }
    BOOL ExtractDriverFile(int) override { return TRUE; }
    BOOL IsWow64() override { return TRUE; }
    BOOL IsWindowsVista() override { return FALSE; }
    DWORD TestPendingInstallEvents() override { return WAIT_OBJECT_0; }
    void Pause(DWORD milliseconds) override { Sleep(milliseconds); }
    BOOL FindAdbProblemDevice() override { return TRUE; }
    BOOL IsAdbInterfacePresent() override { return TRUE; }
    BOOL IsSamsungDevicePresent() override { return FALSE; }
    BOOL UpdateDriver(LPCSTR, LPCSTR, DWORD& lastError) override
    {
        lastError = ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    void KillAdbProcesses() override {}

protected:
    ~CompanionRoadPlatform() = default;
};
