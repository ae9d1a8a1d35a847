// The installation's two Plug and Play calls: the test for pending device installations and
// the driver update for one hardware ID. Their DLLs come from the system folder (SystemLibrary.h).
#pragma once

#include <windows.h>

#include <newdev.h>

// CMP_WaitNoPendingInstallEvents without waiting: WAIT_OBJECT_0 when nothing is pending,
// WAIT_TIMEOUT while installations are pending, WAIT_FAILED on failure, a setupapi.dll
// without the function included.
DWORD TestPendingInstallEvents();

// The installer, UpdateDriverForPlugAndPlayDevicesA; tests hand in stand-ins of their own.
using UpdateDriverFunction = decltype(&::UpdateDriverForPlugAndPlayDevicesA);

// newdev.dll's installer, from the system folder, looked up once; nullptr when it cannot be
// had. newdev.dll is on no Windows' KnownDLLs list.
UpdateDriverFunction SystemUpdateDriver();

// The installer with no parent window and the force flag. On failure lastError receives the
// call's error code; without an installer (nullptr) the call fails with the reason newdev.dll's
// installer could not be had. Whether a restart is needed is not reported.
BOOL UpdateDriverForHardwareId(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError,
                               UpdateDriverFunction update = SystemUpdateDriver());
