// The DLL search limited to the system folder, and loading a DLL from there by full path.
#include "common/SystemLibrary.h"

SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories()
{
    // Looked up at run time: a static import of it would keep the programs from starting
    // where it is missing.
    return FindSystemFunction<SetDefaultDllDirectoriesFunction>(::GetModuleHandleW(L"kernel32.dll"),
                                                                "SetDefaultDllDirectories");
}

void LoadDllsFromSystemFolderOnly(SetDefaultDllDirectoriesFunction setDefaultDllDirectories)
{
    // The empty text takes the current folder out of the search (Windows XP SP1 and later).
    ::SetDllDirectoryW(L"");
    if (setDefaultDllDirectories != nullptr)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    for (const wchar_t* name : kDllsLoadedByNameLater)
        LoadSystemLibrary(name);
}

HMODULE LoadSystemLibrary(LPCWSTR name)
{
    wchar_t path[MAX_PATH];
    // The length without the NUL, or the size needed when the folder does not fit; 0 fails.
    const UINT folderLength = ::GetSystemDirectoryW(path, MAX_PATH);
    if (folderLength == 0)
        return NULL;
    const int nameLength = ::lstrlenW(name);
    if (folderLength + 1 + nameLength >= MAX_PATH) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return NULL;
    }
    path[folderLength] = L'\\';
    ::lstrcpynW(path + folderLength + 1, name, nameLength + 1);
    // The altered search looks for the DLL's own imports in its folder first, where Windows
    // without SetDefaultDllDirectories would otherwise look in this program's folder.
    return ::LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
