// Whether a present device of the USB enumerator carries the ADB compatible ID as the first of
// its compatible IDs, asked of SetupAPI's device information sets. The sets are read through
// DeviceInfoSets, so the scan also runs over devices held in memory.
#pragma once

#include <windows.h>

#include <setupapi.h>

// The SetupAPI calls of the scan (ANSI forms) and the memory its reads go into. Failures
// leave their code as the thread's last error, as SetupAPI does.
class DeviceInfoSets {
public:
    virtual ~DeviceInfoSets() = default;
    virtual HDEVINFO GetClassDevs(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                  DWORD flags) const = 0;
    virtual BOOL EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const = 0;
    // FALSE with ERROR_INSUFFICIENT_BUFFER when the value does not fit in bufferSize bytes;
    // *requiredSize is the size the value needs, whether or not it fits.
    virtual BOOL GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                           DWORD* dataType, BYTE* buffer, DWORD bufferSize,
                                           DWORD* requiredSize) const = 0;
    virtual BOOL DestroyDeviceInfoList(HDEVINFO set) const = 0;
    virtual HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) const = 0;
    virtual HLOCAL LocalFree(HLOCAL memory) const = 0;
};

class RealDeviceInfoSets : public DeviceInfoSets {
public:
    HDEVINFO GetClassDevs(const GUID* classGuid, PCSTR enumerator, HWND parent,
                          DWORD flags) const override;
    BOOL EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const override;
    BOOL GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                   DWORD* dataType, BYTE* buffer, DWORD bufferSize,
                                   DWORD* requiredSize) const override;
    BOOL DestroyDeviceInfoList(HDEVINFO set) const override;
    HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) const override;
    HLOCAL LocalFree(HLOCAL memory) const override;
};

// TRUE when at least one present USB device's first compatible ID contains the ADB
// compatible ID, case-blind; FALSE also when the device set cannot be had.
BOOL IsAdbInterfacePresent(const DeviceInfoSets& sets = RealDeviceInfoSets());
