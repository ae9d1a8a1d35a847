// The installation's two Plug and Play calls: the test for pending device installations and
// the driver update for one hardware ID.
#pragma once

#include <windows.h>

// CMP_WaitNoPendingInstallEvents without waiting: WAIT_OBJECT_0 when nothing is pending,
// WAIT_TIMEOUT while installations are pending, WAIT_FAILED on failure.
DWORD TestPendingInstallEvents();

// UpdateDriverForPlugAndPlayDevicesA with no parent window and the force flag. On failure
// lastError receives the call's error code. Whether a restart is needed is not reported.
BOOL UpdateDriverForHardwareId(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError);
