// Plug and Play: the pending-installation test and the in-process driver update.
#include "install/PlugAndPlay.h"

#include "common/SystemLibrary.h"
#include "detection/SetupApi.h"

namespace {

// Looked up once; newdev.dll is on no Windows' KnownDLLs list.
const SystemFunction<UpdateDriverFunction>& NewDevInstaller()
{
    static const auto installer =
        LookUpSystemFunction<UpdateDriverFunction>(L"newdev.dll", "UpdateDriverForPlugAndPlayDevicesA");
    return installer;
}

}  // namespace

DWORD TestPendingInstallEvents()
{
    const auto waitNoPendingInstallEvents = SetupApi().CMP_WaitNoPendingInstallEvents;
    return waitNoPendingInstallEvents ? waitNoPendingInstallEvents(0) : WAIT_FAILED;
}

UpdateDriverFunction SystemUpdateDriver()
{
    return NewDevInstaller().function;
}

BOOL UpdateDriverForHardwareId(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError,
                               UpdateDriverFunction update)
{
    if (update == nullptr) {
        lastError = NewDevInstaller().missingError;
        return FALSE;
    }
    BOOL rebootRequired = FALSE;
    const BOOL updated = update(nullptr, hardwareId, infPath, INSTALLFLAG_FORCE, &rebootRequired);
    if (!updated)
        lastError = GetLastError();
    return updated;
}
