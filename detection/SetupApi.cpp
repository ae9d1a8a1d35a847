// setupapi.dll from the system folder and the functions Korvessa.exe takes from it.
#include "detection/SetupApi.h"

#include <type_traits>

#include "common/SystemLibrary.h"

namespace {

SetupApiFunctions LookUpSetupApi()
{
    SetupApiFunctions found = {};
    const HMODULE setupApi = LoadSystemLibrary(L"setupapi.dll");
    found.missingError = MissingFunctionError(setupApi);
    const auto find = [setupApi](auto& function, LPCSTR name) {
        function = FindSystemFunction<std::decay_t<decltype(function)>>(setupApi, name);
    };
    find(found.SetupDiGetClassDevsA, "SetupDiGetClassDevsA");
    find(found.SetupDiEnumDeviceInfo, "SetupDiEnumDeviceInfo");
    find(found.SetupDiGetDeviceRegistryPropertyA, "SetupDiGetDeviceRegistryPropertyA");
    find(found.SetupDiDestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
    find(found.CM_Locate_DevNodeA, "CM_Locate_DevNodeA");
    find(found.CM_Get_Child, "CM_Get_Child");
    find(found.CM_Get_Sibling, "CM_Get_Sibling");
    find(found.CM_Get_Parent, "CM_Get_Parent");
    find(found.CM_Get_DevNode_Registry_PropertyA, "CM_Get_DevNode_Registry_PropertyA");
    find(found.CM_Get_DevNode_Status, "CM_Get_DevNode_Status");
    find(found.CMP_WaitNoPendingInstallEvents, "CMP_WaitNoPendingInstallEvents");
    return found;
}

}  // namespace

const SetupApiFunctions& SetupApi()
{
    static const SetupApiFunctions functions = LookUpSetupApi();
    return functions;
}
