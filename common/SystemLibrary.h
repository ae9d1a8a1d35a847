// DLLs taken from the system folder only. Both programs run with administrator rights from
// folders that any program of the user can write to (the browser's download folder, the work
// folder's usb_driver), and Windows looks for a DLL that is not a KnownDLL in the program's
// own folder first. So the programs import only DLLs that are safe everywhere and load the
// others at run time, by full path, from the system folder.
// Wide forms: the helper is shared by both programs, and the companion makes every Windows
// call in wide text.
#pragma once

#include <windows.h>

// Takes the current folder out of the DLL search and, where Windows can (from Windows 8, or
// Windows 7 with KB2533623), limits the search to the system folder. Called first thing in
// both programs, before anything loads a DLL.
void LoadDllsFromSystemFolderOnly();

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
