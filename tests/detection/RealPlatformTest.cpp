// The scans and facts over the running system (Wine's device tree and device set for the
// 32-bit test program in a 64-bit prefix): whatever devices there are, the answers agree with
// each other, the walk sees each node once, and the set and its buffers are released.
#include "AdbInterfaceScan.h"
#include "DeviceScans.h"
#include "SystemFacts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

// The real tree, noting each node the scans read a property of.
class ObservedDeviceTree : public RealDeviceTree {
public:
    CONFIGRET GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                  ULONG* length) const override
    {
        if (property == CM_DRP_COMPATIBLEIDS && !visited.insert(node).second)
            ++visitedAgain;
        return RealDeviceTree::GetRegistryProperty(node, property, buffer, length);
    }
    mutable std::set<DEVINST> visited;
    mutable unsigned visitedAgain = 0;
};

// The real device set, counting what the scan takes and gives back.
class ObservedDeviceInfoSets : public RealDeviceInfoSets {
public:
    HDEVINFO GetClassDevs(const GUID* classGuid, PCSTR enumerator, HWND parent,
                          DWORD flags) const override
    {
        const HDEVINFO set = RealDeviceInfoSets::GetClassDevs(classGuid, enumerator, parent, flags);
        if (set != INVALID_HANDLE_VALUE)
            ++setsOpen;
        return set;
    }
    BOOL GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                   DWORD* dataType, BYTE* buffer, DWORD bufferSize,
                                   DWORD* requiredSize) const override
    {
        const BOOL read = RealDeviceInfoSets::GetDeviceRegistryProperty(
            set, device, property, dataType, buffer, bufferSize, requiredSize);
        const DWORD error = ::GetLastError();
        lastNeeded = requiredSize != nullptr ? *requiredSize : 0;
        ::SetLastError(error);
        return read;
    }
    BOOL EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) const override
    {
        const BOOL found = RealDeviceInfoSets::EnumDeviceInfo(set, index, device);
        devices += found ? 1 : 0;
        return found;
    }
    BOOL DestroyDeviceInfoList(HDEVINFO set) const override
    {
        --setsOpen;
        return RealDeviceInfoSets::DestroyDeviceInfoList(set);
    }
    HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) const override
    {
        const HLOCAL memory = RealDeviceInfoSets::LocalAlloc(flags, bytes);
        buffersHeld += memory != nullptr ? 1 : 0;
        ++allocations;
        if (bytes != lastNeeded || flags != LPTR)
            ++allocationsNotAsNeeded;
        return memory;
    }
    HLOCAL LocalFree(HLOCAL memory) const override
    {
        --buffersHeld;
        return RealDeviceInfoSets::LocalFree(memory);
    }
    mutable int setsOpen = 0;
    mutable int buffersHeld = 0;
    mutable unsigned devices = 0;
    mutable DWORD lastNeeded = 0;
    mutable unsigned allocations = 0;
    mutable unsigned allocationsNotAsNeeded = 0;
};

// The whole device set instead of the USB devices, so that the scan reads the compatible IDs
// Wine's own devices have (it has no USB devices) through the real calls.
class WholeDeviceSet : public ObservedDeviceInfoSets {
public:
    HDEVINFO GetClassDevs(const GUID*, PCSTR, HWND, DWORD) const override
    {
        return ObservedDeviceInfoSets::GetClassDevs(nullptr, nullptr, nullptr,
                                                    DIGCF_PRESENT | DIGCF_ALLCLASSES);
    }
};

}  // namespace

TEST(RealDeviceTree, TheScansAgreeOverTheSystemsTree)
{
    const ObservedDeviceTree tree;
    std::vector<DeviceRecord> records;
    const BOOL listed = EnumAdbDevices(records, tree);
    EXPECT_EQ(records.empty() ? FALSE : TRUE, listed);
    EXPECT_EQ(0u, tree.visitedAgain);
    DEVINST root = 0;
    if (tree.LocateRoot(&root) == CR_SUCCESS) {
        EXPECT_EQ(1u, tree.visited.count(root));
    } else {
        EXPECT_TRUE(tree.visited.empty());
    }

    bool anyProblem = false;
    for (const DeviceRecord& record : records) {
        EXPECT_TRUE(record.hasProblem == 0 || record.hasProblem == DN_HAS_PROBLEM);
        anyProblem = anyProblem || record.hasProblem != 0;
        EXPECT_LE(record.vendorId.GetLength(), 4);
    }
    EXPECT_EQ(anyProblem ? TRUE : FALSE, FindAdbProblemDevice());
    const BOOL samsung = IsSamsungDevicePresent();
    EXPECT_TRUE(samsung == TRUE || samsung == FALSE);
}

TEST(RealDeviceTree, ReadsAPropertyThroughTheFixedBuffer)
{
    const RealDeviceTree tree;
    DEVINST node = 1;  // where there is no root (as under Wine), whatever the system says of 1
    const bool rooted = tree.LocateRoot(&node) == CR_SUCCESS;
    CString text("kept");
    if (GetDevNodeProperty(node, CM_DRP_HARDWAREID, text)) {
        EXPECT_LE(text.GetLength(), 256);
    } else {
        EXPECT_STREQ("kept", text);
    }
    if (rooted) {
        DEVINST parent = 0;
        EXPECT_NE(static_cast<CONFIGRET>(CR_SUCCESS), tree.GetParent(&parent, node));
    }
    EXPECT_EQ(ReadVersionRecord().dwMajorVersion, tree.GetWindowsMajorVersion());
}

TEST(RealDeviceInfoSets, TheScanReleasesTheSetAndEveryBuffer)
{
    const ObservedDeviceInfoSets sets;
    const BOOL present = IsAdbInterfacePresent(sets);
    EXPECT_TRUE(present == TRUE || present == FALSE);
    EXPECT_EQ(0, sets.setsOpen);
    EXPECT_EQ(0, sets.buffersHeld);
    if (present) {
        EXPECT_LT(0u, sets.devices);
    }
    EXPECT_EQ(present, IsAdbInterfacePresent());
}

TEST(RealDeviceInfoSets, EveryDevicesCompatibleIdsAreReadIntoABufferOfTheSizeNeeded)
{
    const WholeDeviceSet sets;
    IsAdbInterfacePresent(sets);
    EXPECT_EQ(0, sets.setsOpen);
    EXPECT_EQ(0, sets.buffersHeld);
    EXPECT_EQ(0u, sets.allocationsNotAsNeeded);
    EXPECT_LE(sets.allocations, sets.devices);
    std::printf("%u devices, %u compatible-ID buffers\n", sets.devices, sets.allocations);
}

// The prefix is 64-bit: the 32-bit program runs under WoW64 there and names x64; a 64-bit
// process is no WoW64 process, so the x64 test build names x86, as the facts are defined.
TEST(RealSystemFacts, WoW64AndTheWordSizeInTheVersionText)
{
    const bool thirtyTwoBit = sizeof(void*) == 4;
    EXPECT_EQ(thirtyTwoBit ? TRUE : FALSE, IsWow64());
    const std::string text = static_cast<LPCSTR>(GetWindowsVersionText());
    EXPECT_EQ(0u, text.rfind("Windows ", 0)) << text;
    ASSERT_GE(text.size(), 5u);
    EXPECT_EQ(thirtyTwoBit ? "[x64]" : "[x86]", text.substr(text.size() - 5)) << text;

    const OSVERSIONINFOA version = ReadVersionRecord();
    EXPECT_LE(5u, version.dwMajorVersion);
    EXPECT_EQ(version.dwMajorVersion == 6 && version.dwMinorVersion == 0 ? TRUE : FALSE,
              IsWindowsVista());
}
