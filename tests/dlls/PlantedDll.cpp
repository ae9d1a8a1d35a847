// The planted DLL: copied beside a program under the name of a DLL that Windows would take from
// there, it writes "<its own path>.loaded" when it is loaded. It exports a stand-in for every
// function the programs ever imported from newdev.dll and setupapi.dll, so that a program that
// takes it in their place goes on to the end of its run; each stand-in fails and changes
// nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t marker[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameW(module, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcpyW(marker + length, L".loaded");
    const HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}

// Undecorated names on x86 as well: the build links with --kill-at. The parameters are those
// of the real functions, so that a stand-in leaves the stack as the caller expects.
#define PLANTED_EXPORT extern "C" __declspec(dllexport)

// setupapi.dll's device information sets: no set and no device.
PLANTED_EXPORT HANDLE WINAPI SetupDiGetClassDevsA(const GUID*, LPCSTR, HWND, DWORD)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return INVALID_HANDLE_VALUE;
}

PLANTED_EXPORT BOOL WINAPI SetupDiEnumDeviceInfo(HANDLE, DWORD, void*)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

PLANTED_EXPORT BOOL WINAPI SetupDiGetDeviceRegistryPropertyA(HANDLE, void*, DWORD, DWORD*, BYTE*,
                                                             DWORD, DWORD*)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

PLANTED_EXPORT BOOL WINAPI SetupDiDestroyDeviceInfoList(HANDLE)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

// setupapi.dll's Configuration Manager: CR_FAILURE for every call, so no tree to walk.
constexpr DWORD kConfigurationFailure = 0x13;

PLANTED_EXPORT DWORD WINAPI CM_Locate_DevNodeA(DWORD*, LPSTR, ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CM_Get_Child(DWORD*, DWORD, ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CM_Get_Sibling(DWORD*, DWORD, ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CM_Get_Parent(DWORD*, DWORD, ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CM_Get_DevNode_Registry_PropertyA(DWORD, ULONG, ULONG*, void*, ULONG*,
                                                               ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CM_Get_DevNode_Status(ULONG*, ULONG*, DWORD, ULONG)
{
    return kConfigurationFailure;
}

PLANTED_EXPORT DWORD WINAPI CMP_WaitNoPendingInstallEvents(DWORD)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return WAIT_FAILED;
}

// newdev.dll's installer, in both text kinds: nothing installed.
PLANTED_EXPORT BOOL WINAPI UpdateDriverForPlugAndPlayDevicesA(HWND, LPCSTR, LPCSTR, DWORD, BOOL*)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

PLANTED_EXPORT BOOL WINAPI UpdateDriverForPlugAndPlayDevicesW(HWND, LPCWSTR, LPCWSTR, DWORD, BOOL*)
{
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}
