// The in-memory device information set: one set, its devices numbered from 1.
#include "tests/detection/FakeDeviceInfoSets.h"

#include <algorithm>
#include <cstring>

namespace {
const HDEVINFO kSet = reinterpret_cast<HDEVINFO>(0x5e7);
}

HDEVINFO FakeDeviceInfoSets::GetClassDevs(const GUID* guid, PCSTR enumeratorName, HWND window,
                                          DWORD setFlags) const
{
    classGuid = *guid;
    enumerator = enumeratorName ? enumeratorName : "(null)";
    parent = window;
    flags = setFlags;
    if (!setAvailable) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return kSet;
}

BOOL FakeDeviceInfoSets::EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const
{
    if (set != kSet || device->cbSize != sizeof(SP_DEVINFO_DATA)) {
        ::SetLastError(set != kSet ? ERROR_INVALID_HANDLE : ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (index >= devices.size()) {
        ::SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    device->DevInst = index + 1;
    return TRUE;
}

BOOL FakeDeviceInfoSets::GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device,
                                                   DWORD property, DWORD* dataType, BYTE* buffer,
                                                   DWORD bufferSize, DWORD* requiredSize) const
{
    if (set != kSet || device->DevInst < 1 || device->DevInst > devices.size() ||
        property != SPDRP_COMPATIBLEIDS || (buffer == nullptr && bufferSize != 0)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Device& found = devices[device->DevInst - 1];
    const auto& value = found.values[std::min<size_t>(found.reads, found.values.size() - 1)];
    ++found.reads;
    if (!value) {
        ::SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (requiredSize != nullptr)
        *requiredSize = static_cast<DWORD>(value->size());
    if (bufferSize < value->size()) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, value->data(), value->size());
    if (dataType != nullptr)
        *dataType = REG_MULTI_SZ;
    return TRUE;
}

BOOL FakeDeviceInfoSets::DestroyDeviceInfoList(HDEVINFO set) const
{
    if (set != kSet) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    ++setsDestroyed;
    return TRUE;
}

HLOCAL FakeDeviceInfoSets::LocalAlloc(UINT memoryFlags, SIZE_T bytes) const
{
    allocations.push_back(bytes);
    allocationFlags.push_back(memoryFlags);
    if (bytes > largestAllocation)
        return nullptr;
    std::unique_ptr<char[]> block(new char[bytes + sizeof(kGuard)]);
    std::memset(block.get(), (memoryFlags & LMEM_ZEROINIT) ? 0 : 0xCD, bytes);
    std::memcpy(block.get() + bytes, kGuard, sizeof(kGuard));
    const HLOCAL memory = block.get();
    m_buffers[memory] = std::move(block);
    return memory;
}

HLOCAL FakeDeviceInfoSets::LocalFree(HLOCAL memory) const
{
    if (m_buffers.erase(memory) == 0) {
        ++badFrees;
        return memory;
    }
    return nullptr;
}
