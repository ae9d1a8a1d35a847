// The names of Korvessa's work folder below the user's application data and of the package
// folder below it. Korvessa.exe writes the package there in 8-bit text; KorvessaX64.exe finds
// it there in wide text, so both take the names from here (KORVESSA_ANSI_TEXT or
// KORVESSA_WIDE_TEXT from TextKinds.h).
#pragma once

#include "common/TextKinds.h"

#define KORVESSA_WORK_FOLDER(TEXT) TEXT("Korvessa")
#define KORVESSA_PACKAGE_FOLDER(TEXT) TEXT("usb_driver")
