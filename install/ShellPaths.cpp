// shlwapi.dll from the system folder and its two path functions.
#include "install/ShellPaths.h"

#include <shlwapi.h>

#include "common/SystemLibrary.h"

BOOL AppendPath(LPSTR path, LPCSTR more)
{
    static const auto pathAppend =
        LookUpSystemFunction<decltype(&::PathAppendA)>(L"shlwapi.dll", "PathAppendA").function;
    return pathAppend ? pathAppend(path, more) : FALSE;
}

BOOL IsDirectory(LPCSTR path)
{
    static const auto pathIsDirectory =
        LookUpSystemFunction<decltype(&::PathIsDirectoryA)>(L"shlwapi.dll", "PathIsDirectoryA").function;
    return pathIsDirectory ? pathIsDirectory(path) : FALSE;
}
