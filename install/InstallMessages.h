// The status line's message for the outcome of an installation: the companion program's
// answer, one result word, on 64-bit Windows; the installation call's error code on 32-bit
// Windows.
#pragma once

#include <windows.h>

#include "framework/CString.h"

// Puts the message for answer into message and returns TRUE only for the exact word "success".
// The other known words match whatever their letters' case; any other answer, the empty one
// included, becomes the message unchanged. isWindowsVista picks the success message that asks
// for a restart.
BOOL MapHelperResult(CString answer, CString& message, BOOL isWindowsVista);

// The message for an error code of the in-process installation call; a code without a message
// of its own gives "Error=0x" and the code in eight lower-case hexadecimal digits.
CString InstallErrorMessage(DWORD code);
