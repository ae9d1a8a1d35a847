// DLLs taken from the system folder only. Both programs run with administrator rights from
// folders that any program of the user can write to (the browser's download folder, the work
// folder's usb_driver), and Windows looks for a DLL that is not a KnownDLL in the program's
// own folder first. So the programs import, when they start, only DLLs that are safe
// everywhere, delay-load the ones whose start-up loads further DLLs, close the search first
// thing, and load the others at run time, by full path, from the system folder.
// Wide forms: the helper is shared by both programs, and the companion makes every Windows
// call in wide text.
#pragma once

#include <windows.h>

// What Windows' own libraries load by bare name after the program has started, each with the
// call or the Windows that does it. A name that is not loaded yet is looked for in the
// program's folder first wherever SetDefaultDllDirectories is missing (Windows XP, and Vista
// and 7 without KB2533623), and wherever a library asks for the program's folder itself.
// LoadDllsFromSystemFolderOnly loads each from the system folder first, so that the later
// loads by name find the loaded copy. A name that some Windows lacks is simply not loaded.
inline constexpr const wchar_t* kDllsLoadedByNameLater[] = {
    L"uxtheme.dll",    // the common controls' start-up; OleInitialize's window (Vista)
    L"msimg32.dll",    // the theming code, drawing the themed controls
    L"dwmapi.dll",     // uxtheme.dll (7 without KB2533623)
    L"userenv.dll",    // SHGetFileInfo (Vista)
    L"setupapi.dll",   // SHGetFileInfo (XP); Korvessa.exe's own device scans
    L"apphelp.dll",    // SHGetFileInfo (Vista)
    L"propsys.dll",    // SHGetFileInfo (Vista)
    L"cryptbase.dll",  // OleInitialize's UuidCreate (7 without KB2533623)
    L"oleacc.dll",     // SHFileOperation (Vista)
    L"clbcatq.dll",    // the COM catalogue (XP SP2 and SP3)
    L"ntmarta.dll",    // SetEntriesInAcl (7 without KB2533623)
    L"version.dll",    // GetFileVersionInfo, which the shell and the installers call
};

// kernel32's SetDefaultDllDirectories: Windows from 8 on, and 7 or Vista with KB2533623.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// kernel32's SetDefaultDllDirectories; nullptr where this Windows lacks it.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories();

// The first thing both programs do, before anything can load a DLL. Takes the current folder
// out of the DLL search; limits the search to the system folder through
// setDefaultDllDirectories (nullptr: as on a Windows that lacks it, where the program's own
// folder stays first in the search); then loads, from the system folder, the DLLs that
// Windows' own libraries are known to load by bare name later, so that those loads find
// them already loaded.
void LoadDllsFromSystemFolderOnly(
    SetDefaultDllDirectoriesFunction setDefaultDllDirectories = FindSetDefaultDllDirectories());

// Loads <system folder>\name, with the DLL's own imports looked for beside it first. NULL
// with the last error set when it cannot be loaded, a system folder too long for the name
// included. The module stays loaded for the life of the process.
HMODULE LoadSystemLibrary(LPCWSTR name);

// The function of that name in a module from LoadSystemLibrary; nullptr when the module or
// the function is missing.
template <typename Function>
Function FindSystemFunction(HMODULE module, LPCSTR name)
{
    if (module == NULL)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Why the functions of a module would be missing, asked right after LoadSystemLibrary: the
// error of the failed load, or ERROR_PROC_NOT_FOUND when the module is there.
inline DWORD MissingFunctionError(HMODULE module)
{
    return module != NULL ? ERROR_PROC_NOT_FOUND : ::GetLastError();
}

// One function of a DLL in the system folder: nullptr when it cannot be had, and then the
// reason a call of it fails with.
template <typename Function>
struct SystemFunction {
    Function function;
    DWORD missingError;  // MissingFunctionError
};

// Loads library from the system folder and looks the function of that name up in it.
template <typename Function>
SystemFunction<Function> LookUpSystemFunction(LPCWSTR library, LPCSTR name)
{
    const HMODULE module = LoadSystemLibrary(library);
    const DWORD missingError = MissingFunctionError(module);
    return {FindSystemFunction<Function>(module, name), missingError};
}
