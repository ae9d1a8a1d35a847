// The SetupAPI scan for the ADB interface, and the running system's device information sets
// (setupapi.dll's functions as SetupApi() has them).
#include "detection/AdbInterfaceScan.h"

#include <initguid.h>

#include <usbiodef.h>

#include <algorithm>
#include <climits>

#include "common/AdbCompatibleId.h"
#include "detection/SetupApi.h"
#include "framework/CString.h"

namespace {

// The device's first compatible ID, lower-cased, read into a buffer of exactly the size the
// value needs; the empty text when the value cannot be read.
CString ReadFirstCompatibleId(const DeviceInfoSets& sets, HDEVINFO set, SP_DEVINFO_DATA* device)
{
    DWORD dataType = 0;
    DWORD needed = 0;
    if (sets.GetDeviceRegistryProperty(set, device, SPDRP_COMPATIBLEIDS, &dataType, nullptr, 0,
                                       &needed))
        return CString();
    BYTE* buffer = nullptr;
    DWORD bufferSize = 0;
    BOOL read = FALSE;
    // The value may grow between two reads: each failure names the size it now needs.
    while (!read && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        if (buffer != nullptr)
            sets.LocalFree(buffer);
        bufferSize = needed;
        buffer = static_cast<BYTE*>(sets.LocalAlloc(LPTR, bufferSize));
        if (buffer == nullptr)
            break;
        read = sets.GetDeviceRegistryProperty(set, device, SPDRP_COMPATIBLEIDS, &dataType, buffer,
                                              bufferSize, &needed);
    }
    CString firstId;
    if (read) {
        // Bounded by the buffer: a value may lack its terminating NULs.
        firstId = CString(reinterpret_cast<const char*>(buffer),
                          static_cast<int>(std::min<DWORD>(bufferSize, INT_MAX)));
        firstId.MakeLower();
    }
    if (buffer != nullptr)
        sets.LocalFree(buffer);
    return firstId;
}

// A function setupapi.dll lacks fails as SetupAPI's own calls fail: the failure value, with
// the reason as the thread's last error.
template <typename Result>
Result FailMissing(Result failure)
{
    ::SetLastError(SetupApi().missingError);
    return failure;
}

}  // namespace

BOOL IsAdbInterfacePresent(const DeviceInfoSets& sets)
{
    CString adbId;
    adbId.Format(ADB_COMPATIBLE_ID(KORVESSA_ANSI_TEXT));
    const HDEVINFO set = sets.GetClassDevs(&GUID_DEVINTERFACE_USB_DEVICE, "USB", nullptr,
                                           DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (set == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL found = FALSE;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; sets.EnumDeviceInfo(set, index, &device); ++index) {
        if (ReadFirstCompatibleId(sets, set, &device).Find(adbId) >= 0)
            found = TRUE;
    }
    sets.DestroyDeviceInfoList(set);
    return found;
}

HDEVINFO RealDeviceInfoSets::GetClassDevs(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                          DWORD flags) const
{
    const auto getClassDevs = SetupApi().SetupDiGetClassDevsA;
    return getClassDevs ? getClassDevs(classGuid, enumerator, parent, flags)
                        : FailMissing(INVALID_HANDLE_VALUE);
}

BOOL RealDeviceInfoSets::EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const
{
    const auto enumDeviceInfo = SetupApi().SetupDiEnumDeviceInfo;
    return enumDeviceInfo ? enumDeviceInfo(set, index, device) : FailMissing(FALSE);
}

BOOL RealDeviceInfoSets::GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device,
                                                   DWORD property, DWORD* dataType, BYTE* buffer,
                                                   DWORD bufferSize, DWORD* requiredSize) const
{
    const auto getProperty = SetupApi().SetupDiGetDeviceRegistryPropertyA;
    return getProperty ? getProperty(set, device, property, dataType, buffer, bufferSize, requiredSize)
                       : FailMissing(FALSE);
}

BOOL RealDeviceInfoSets::DestroyDeviceInfoList(HDEVINFO set) const
{
    const auto destroy = SetupApi().SetupDiDestroyDeviceInfoList;
    return destroy ? destroy(set) : FailMissing(FALSE);
}

HLOCAL RealDeviceInfoSets::LocalAlloc(UINT flags, SIZE_T bytes) const
{
    return ::LocalAlloc(flags, bytes);
}

HLOCAL RealDeviceInfoSets::LocalFree(HLOCAL memory) const
{
    return ::LocalFree(memory);
}
