// The path functions Korvessa.exe takes from shlwapi.dll, which is no KnownDLL on Windows XP:
// loaded from the system folder and looked up once (SystemLibrary.h).
#pragma once

#include <windows.h>

// PathAppendA: path (MAX_PATH characters) and more, joined with one separator. FALSE when the
// result would not fit, and when shlwapi.dll's function cannot be had.
BOOL AppendPath(LPSTR path, LPCSTR more);

// PathIsDirectoryA: nonzero for an existing folder; FALSE also when shlwapi.dll's function
// cannot be had.
BOOL IsDirectory(LPCSTR path);
