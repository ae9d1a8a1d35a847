// Plug and Play: the pending-installation test and the in-process driver update.
#include "PlugAndPlay.h"

#include <cfgmgr32.h>
#include <newdev.h>

DWORD TestPendingInstallEvents()
{
    return CMP_WaitNoPendingInstallEvents(0);
}

BOOL UpdateDriverForHardwareId(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError)
{
    BOOL rebootRequired = FALSE;
    const BOOL updated =
        UpdateDriverForPlugAndPlayDevicesA(nullptr, hardwareId, infPath, INSTALLFLAG_FORCE, &rebootRequired);
    if (!updated)
        lastError = GetLastError();
    return updated;
}
