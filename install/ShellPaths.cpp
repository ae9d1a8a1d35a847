// shlwapi.dll from the system folder and its two path functions.
#include "install/ShellPaths.h"

#include <shlwapi.h>

#include "common/SystemLibrary.h"

namespace {

struct ShellPathFunctions {
    decltype(&::PathAppendA) PathAppendA;
    decltype(&::PathIsDirectoryA) PathIsDirectoryA;
};

const ShellPathFunctions& LoadedShellPathFunctions()
{
    static const ShellPathFunctions functions = [] {
        const HMODULE shlwapi = LoadSystemLibrary(L"shlwapi.dll");
        return ShellPathFunctions{
            FindSystemFunction<decltype(&::PathAppendA)>(shlwapi, "PathAppendA"),
            FindSystemFunction<decltype(&::PathIsDirectoryA)>(shlwapi, "PathIsDirectoryA")};
    }();
    return functions;
}

}  // namespace

BOOL AppendPath(LPSTR path, LPCSTR more)
{
    const auto pathAppend = LoadedShellPathFunctions().PathAppendA;
    return pathAppend ? pathAppend(path, more) : FALSE;
}

BOOL IsDirectory(LPCSTR path)
{
    const auto pathIsDirectory = LoadedShellPathFunctions().PathIsDirectoryA;
    return pathIsDirectory ? pathIsDirectory(path) : FALSE;
}
