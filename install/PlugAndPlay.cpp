// Plug and Play: the pending-installation test and the in-process driver update.
#include "install/PlugAndPlay.h"

#include "common/SystemLibrary.h"
#include "detection/SetupApi.h"

namespace {

struct NewDevFunctions {
    UpdateDriverFunction UpdateDriverForPlugAndPlayDevicesA;
    DWORD missingError;  // MissingFunctionError
};

const NewDevFunctions& NewDev()
{
    static const NewDevFunctions functions = [] {
        const HMODULE newDev = LoadSystemLibrary(L"newdev.dll");
        const DWORD missingError = MissingFunctionError(newDev);
        return NewDevFunctions{
            FindSystemFunction<UpdateDriverFunction>(newDev, "UpdateDriverForPlugAndPlayDevicesA"),
            missingError};
    }();
    return functions;
}

}  // namespace

DWORD TestPendingInstallEvents()
{
    const auto waitNoPendingInstallEvents = SetupApi().CMP_WaitNoPendingInstallEvents;
    return waitNoPendingInstallEvents ? waitNoPendingInstallEvents(0) : WAIT_FAILED;
}

UpdateDriverFunction SystemUpdateDriver()
{
    return NewDev().UpdateDriverForPlugAndPlayDevicesA;
}

BOOL UpdateDriverForHardwareId(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError,
                               UpdateDriverFunction update)
{
    if (update == nullptr) {
        lastError = NewDev().missingError;
        return FALSE;
    }
    BOOL rebootRequired = FALSE;
    const BOOL updated = update(nullptr, hardwareId, infPath, INSTALLFLAG_FORCE, &rebootRequired);
    if (!updated)
        lastError = GetLastError();
    return updated;
}
