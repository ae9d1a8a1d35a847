// Turns the companion program's answer, one result word, into the status line's message.
#pragma once

#include <windows.h>

#include "framework/CString.h"

// Puts the message for answer into message and returns TRUE only for the exact word "success".
// The other known words match whatever their letters' case; any other answer, the empty one
// included, becomes the message unchanged. isWindowsVista picks the success message that asks
// for a restart.
BOOL MapHelperResult(CString answer, CString& message, BOOL isWindowsVista);
