// The installation worker: one press of Install, from writing the driver package to an
// installed driver or a status message that says why not.
#pragma once

#include <windows.h>

#include "install/InstallSeams.h"

// Runs the whole installation on the calling thread, reporting through the host's window
// operations and working through its platform.
void InstallDriver(InstallHost& host);

// The worker thread's procedure. parameter is the InstallHost; it runs InstallDriver, clears
// the host's m_bInstalling as its last act and returns 0.
UINT InstallThreadProc(LPVOID parameter);
