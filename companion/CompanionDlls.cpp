// newdev.dll and shlwapi.dll from the system folder, and the functions the companion takes
// from them.
#include "companion/CompanionDlls.h"

#include <shlwapi.h>

#include "common/SystemLibrary.h"

namespace {

// Looked up once.
const SystemFunction<UpdateDriverFunction>& NewDevInstaller()
{
    static const auto installer =
        LookUpSystemFunction<UpdateDriverFunction>(L"newdev.dll", "UpdateDriverForPlugAndPlayDevicesW");
    return installer;
}

}  // namespace

UpdateDriverFunction SystemUpdateDriver()
{
    return NewDevInstaller().function;
}

DWORD MissingUpdateDriverError()
{
    return NewDevInstaller().missingError;
}

BOOL AppendPath(LPWSTR path, LPCWSTR more)
{
    static const auto pathAppend =
        LookUpSystemFunction<decltype(&::PathAppendW)>(L"shlwapi.dll", "PathAppendW").function;
    return pathAppend ? pathAppend(path, more) : FALSE;
}

BOOL IsDirectory(LPCWSTR path)
{
    static const auto pathIsDirectory =
        LookUpSystemFunction<decltype(&::PathIsDirectoryW)>(L"shlwapi.dll", "PathIsDirectoryW").function;
    return pathIsDirectory ? pathIsDirectory(path) : FALSE;
}
