// dll_importing_program.exe: imports newdev.dll and setupapi.dll, as Korvessa's programs once
// did, and does nothing else. Beside planted copies of them it shows that the planting test
// sees a DLL that Windows takes from a program's folder.
#include <windows.h>

#include <newdev.h>
#include <setupapi.h>

int main()
{
    // Referenced, never called: the imports alone make the loader take the DLLs.
    const auto volatile update = &UpdateDriverForPlugAndPlayDevicesW;
    const auto volatile destroy = &SetupDiDestroyDeviceInfoList;
    return update != nullptr && destroy != nullptr ? 0 : 1;
}
