// The SetupAPI functions Korvessa.exe calls: the device information sets, the Configuration
// Manager's tree (setupapi.dll exports the CM_* functions on every Windows from XP on) and the
// test for pending installations. They come from the system folder's setupapi.dll, looked up
// once (SystemLibrary.h); setupapi.dll is no KnownDLL on Windows XP.
#pragma once

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

// Each member is nullptr when the function cannot be had; callers then fail as the function
// itself fails.
struct SetupApiFunctions {
    decltype(&::SetupDiGetClassDevsA) SetupDiGetClassDevsA;
    decltype(&::SetupDiEnumDeviceInfo) SetupDiEnumDeviceInfo;
    decltype(&::SetupDiGetDeviceRegistryPropertyA) SetupDiGetDeviceRegistryPropertyA;
    decltype(&::SetupDiDestroyDeviceInfoList) SetupDiDestroyDeviceInfoList;
    decltype(&::CM_Locate_DevNodeA) CM_Locate_DevNodeA;
    decltype(&::CM_Get_Child) CM_Get_Child;
    decltype(&::CM_Get_Sibling) CM_Get_Sibling;
    decltype(&::CM_Get_Parent) CM_Get_Parent;
    decltype(&::CM_Get_DevNode_Registry_PropertyA) CM_Get_DevNode_Registry_PropertyA;
    decltype(&::CM_Get_DevNode_Status) CM_Get_DevNode_Status;
    decltype(&::CMP_WaitNoPendingInstallEvents) CMP_WaitNoPendingInstallEvents;
    // The last error a missing function's call leaves: MissingFunctionError.
    DWORD missingError;
};

// Loaded and looked up on the first call, from whichever thread makes it.
const SetupApiFunctions& SetupApi();
