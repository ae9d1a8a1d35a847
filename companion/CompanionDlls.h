// The functions the companion takes from DLLs that are not safe to import (SystemLibrary.h):
// newdev.dll's installer and shlwapi.dll's path functions, loaded from the system folder and
// looked up once. The companion runs elevated from the work folder's usb_driver, which any
// program of the user can write to.
#pragma once

#include <windows.h>

#include <newdev.h>

// The installer, UpdateDriverForPlugAndPlayDevicesW; tests hand in stand-ins of their own.
using UpdateDriverFunction = decltype(&::UpdateDriverForPlugAndPlayDevicesW);

// newdev.dll's installer; nullptr when it cannot be had.
UpdateDriverFunction SystemUpdateDriver();
// Why the installer cannot be had: the error of newdev.dll's failed load, or
// ERROR_PROC_NOT_FOUND.
DWORD MissingUpdateDriverError();

// PathAppendW: path (MAX_PATH characters) and more, joined with one separator. FALSE when the
// result would not fit, and when shlwapi.dll's function cannot be had.
BOOL AppendPath(LPWSTR path, LPCWSTR more);

// PathIsDirectoryW: nonzero for an existing folder; FALSE also when shlwapi.dll's function
// cannot be had.
BOOL IsDirectory(LPCWSTR path);
