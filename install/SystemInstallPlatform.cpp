// Each platform call of the installation, forwarded to the routine that makes it.
#include "install/SystemInstallPlatform.h"

#include "detection/AdbInterfaceScan.h"
#include "detection/DeviceScans.h"
#include "detection/SystemFacts.h"
#include "install/DriverPackage.h"
#include "install/PlugAndPlay.h"
#include "install/ProcessRunner.h"
#include "install/Processes.h"

CString SystemInstallPlatform::GetWorkFolder()
{
    return ::GetWorkFolder();
}

BOOL SystemInstallPlatform::ExtractDriverFile(int resourceId)
{
    return ::ExtractDriverFile(resourceId);
}

BOOL SystemInstallPlatform::IsWow64()
{
    return ::IsWow64();
}

BOOL SystemInstallPlatform::IsWindowsVista()
{
    return ::IsWindowsVista();
}

DWORD SystemInstallPlatform::TestPendingInstallEvents()
{
    return ::TestPendingInstallEvents();
}

void SystemInstallPlatform::Pause(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}

BOOL SystemInstallPlatform::FindAdbProblemDevice()
{
    return ::FindAdbProblemDevice();
}

BOOL SystemInstallPlatform::IsAdbInterfacePresent()
{
    return ::IsAdbInterfacePresent();
}

BOOL SystemInstallPlatform::IsSamsungDevicePresent()
{
    return ::IsSamsungDevicePresent();
}

BOOL SystemInstallPlatform::RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString& commandLine)
{
    return RunProcessCaptureOutput(childProcess, answer, commandLine);
}

BOOL SystemInstallPlatform::UpdateDriver(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError)
{
    return UpdateDriverForHardwareId(hardwareId, infPath, lastError);
}

void SystemInstallPlatform::KillAdbProcesses()
{
    ::KillAdbProcesses();
}
