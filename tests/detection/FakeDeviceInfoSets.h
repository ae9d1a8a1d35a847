// USB devices held in memory, answered as SetupAPI answers: a read into a buffer that is too
// small or absent fails with ERROR_INSUFFICIENT_BUFFER and the size the value needs, a device
// without the property fails with ERROR_INVALID_DATA. Its buffers sit between guard bytes, so
// a read past one changes what the scan sees, and it counts every buffer not freed.
#pragma once

#include "detection/AdbInterfaceScan.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FakeDeviceInfoSets : public DeviceInfoSets {
public:
    // Successive reads of the device's compatible IDs see values[0], values[1], ... and then
    // the last one again; an empty optional is a device without the property.
    struct Device {
        std::vector<std::optional<std::string>> values;
        mutable unsigned reads = 0;
    };
    // Bytes that follow every buffer: they would complete "prot_0" into the ADB compatible ID.
    static constexpr char kGuard[] = "1111111111111111";

    void AddDevice(const std::string& compatibleIds) { devices.push_back(Device{{compatibleIds}}); }
    void AddDeviceWithoutCompatibleIds() { devices.push_back(Device{{std::nullopt}}); }

    std::vector<Device> devices;
    bool setAvailable = true;
    SIZE_T largestAllocation = 0x100000;  // a larger request fails, as when memory runs out

    // What the scan asked for.
    mutable std::optional<GUID> classGuid;
    mutable std::string enumerator;
    mutable HWND parent = nullptr;
    mutable DWORD flags = 0;
    mutable unsigned setsDestroyed = 0;
    mutable std::vector<SIZE_T> allocations;
    mutable std::vector<UINT> allocationFlags;
    mutable unsigned badFrees = 0;
    size_t BuffersHeld() const { return m_buffers.size(); }

    HDEVINFO GetClassDevs(const GUID* classGuid, PCSTR enumerator, HWND parent,
                          DWORD flags) const override;
    BOOL EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const override;
    BOOL GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                   DWORD* dataType, BYTE* buffer, DWORD bufferSize,
                                   DWORD* requiredSize) const override;
    BOOL DestroyDeviceInfoList(HDEVINFO set) const override;
    HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) const override;
    HLOCAL LocalFree(HLOCAL memory) const override;

private:
    mutable std::map<HLOCAL, std::unique_ptr<char[]>> m_buffers;
};
