// newdev.dll and shlwapi.dll from the system folder, and the functions the companion takes
// from them.
#include "companion/CompanionDlls.h"

#include <shlwapi.h>

#include "common/SystemLibrary.h"

namespace {

struct NewDevFunctions {
    UpdateDriverFunction UpdateDriverForPlugAndPlayDevicesW;
    DWORD missingError;  // MissingFunctionError
};

const NewDevFunctions& NewDev()
{
    static const NewDevFunctions functions = [] {
        const HMODULE newDev = LoadSystemLibrary(L"newdev.dll");
        const DWORD missingError = MissingFunctionError(newDev);
        return NewDevFunctions{
            FindSystemFunction<UpdateDriverFunction>(newDev, "UpdateDriverForPlugAndPlayDevicesW"),
            missingError};
    }();
    return functions;
}

struct ShellPathFunctions {
    decltype(&::PathAppendW) PathAppendW;
    decltype(&::PathIsDirectoryW) PathIsDirectoryW;
};

const ShellPathFunctions& LoadedShellPathFunctions()
{
    static const ShellPathFunctions functions = [] {
        const HMODULE shlwapi = LoadSystemLibrary(L"shlwapi.dll");
        return ShellPathFunctions{
            FindSystemFunction<decltype(&::PathAppendW)>(shlwapi, "PathAppendW"),
            FindSystemFunction<decltype(&::PathIsDirectoryW)>(shlwapi, "PathIsDirectoryW")};
    }();
    return functions;
}

}  // namespace

UpdateDriverFunction SystemUpdateDriver()
{
    return NewDev().UpdateDriverForPlugAndPlayDevicesW;
}

DWORD MissingUpdateDriverError()
{
    return NewDev().missingError;
}

BOOL AppendPath(LPWSTR path, LPCWSTR more)
{
    const auto pathAppend = LoadedShellPathFunctions().PathAppendW;
    return pathAppend ? pathAppend(path, more) : FALSE;
}

BOOL IsDirectory(LPCWSTR path)
{
    const auto pathIsDirectory = LoadedShellPathFunctions().PathIsDirectoryW;
    return pathIsDirectory ? pathIsDirectory(path) : FALSE;
}
