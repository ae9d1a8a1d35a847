// The scans and facts over the running system (Wine's device tree and device set for the
// 32-bit test program in a 64-bit prefix). Under Wine, which has no root device node and no
// USB devices, the answers are known and required; elsewhere the scans must agree with each
// other. Everywhere the walk sees each node once, and the set and its buffers are released.
#include "detection/AdbInterfaceScan.h"
#include "detection/DeviceScans.h"
#include "detection/SystemFacts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/support/UnderWine.h"

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
            ++setsOpened;
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
        ++setsDestroyed;
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
    mutable int setsOpened = 0;
    mutable int setsDestroyed = 0;
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
    EXPECT_EQ(0u, tree.visitedAgain);
    DEVINST root = 0;
    const bool rooted = tree.LocateRoot(&root) == CR_SUCCESS;
    if (UnderWine()) {
        EXPECT_FALSE(rooted);
        EXPECT_FALSE(listed);
        EXPECT_TRUE(records.empty());
        EXPECT_TRUE(tree.visited.empty());
        EXPECT_FALSE(FindAdbProblemDevice());
        EXPECT_FALSE(IsSamsungDevicePresent());
        return;
    }
    ASSERT_TRUE(rooted);
    EXPECT_EQ(1u, tree.visited.count(root));
    EXPECT_EQ(records.empty() ? FALSE : TRUE, listed);
    bool anyProblem = false;
    for (const DeviceRecord& record : records)
        anyProblem = anyProblem || record.hasProblem != 0;
    EXPECT_EQ(anyProblem ? TRUE : FALSE, FindAdbProblemDevice());
}

TEST(RealDeviceTree, ReadsAPropertyThroughTheFixedBuffer)
{
    const RealDeviceTree tree;
    DEVINST node = 1;  // where there is no root (as under Wine), whatever the system says of 1
    const bool rooted = tree.LocateRoot(&node) == CR_SUCCESS;
    CString text("kept");
    const BOOL read = GetDevNodeProperty(node, CM_DRP_HARDWAREID, text);
    if (UnderWine()) {
        EXPECT_FALSE(read);
        EXPECT_STREQ("kept", text);
    } else if (read) {
        EXPECT_LE(text.GetLength(), 256);
    } else {
        EXPECT_STREQ("kept", text);
    }
    if (rooted) {
        DEVINST parent = 0;
        EXPECT_NE(static_cast<CONFIGRET>(CR_SUCCESS), tree.GetParent(&parent, node));
    }
    // GetVersion's low byte is the major version, asked of Windows another way.
    EXPECT_EQ(static_cast<DWORD>(LOBYTE(LOWORD(GetVersion()))), tree.GetWindowsMajorVersion());
}

TEST(RealDeviceInfoSets, TheScanReleasesTheSetAndEveryBuffer)
{
    const ObservedDeviceInfoSets sets;
    const BOOL present = IsAdbInterfacePresent(sets);
    EXPECT_EQ(1, sets.setsOpened);
    EXPECT_EQ(1, sets.setsDestroyed);
    EXPECT_EQ(0, sets.buffersHeld);
    if (UnderWine()) {
        EXPECT_FALSE(present);
        EXPECT_EQ(0u, sets.devices);
    } else if (present) {
        EXPECT_LT(0u, sets.devices);
    }
    EXPECT_EQ(present, IsAdbInterfacePresent());
}

TEST(RealDeviceInfoSets, EveryDevicesCompatibleIdsAreReadIntoABufferOfTheSizeNeeded)
{
    // Every system has devices with compatible IDs: Wine's own input devices carry some.
    const WholeDeviceSet sets;
    IsAdbInterfacePresent(sets);
    EXPECT_EQ(1, sets.setsOpened);
    EXPECT_EQ(1, sets.setsDestroyed);
    EXPECT_EQ(0, sets.buffersHeld);
    EXPECT_LT(0u, sets.devices);
    EXPECT_LT(0u, sets.allocations);
    EXPECT_EQ(0u, sets.allocationsNotAsNeeded);
    EXPECT_LE(sets.allocations, sets.devices);
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
    // GetVersion packs the same two numbers: major in the low byte, minor in the next.
    const WORD packed = LOWORD(GetVersion());
    EXPECT_EQ(static_cast<DWORD>(LOBYTE(packed)), version.dwMajorVersion);
    EXPECT_EQ(static_cast<DWORD>(HIBYTE(packed)), version.dwMinorVersion);
    EXPECT_EQ(LOBYTE(packed) == 6 && HIBYTE(packed) == 0 ? TRUE : FALSE, IsWindowsVista());
}
