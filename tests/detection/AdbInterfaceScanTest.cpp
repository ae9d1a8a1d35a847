// The SetupAPI scan for the ADB interface over devices held in memory: what it asks for, the
// first-string match, the buffer that grows with the value, and the buffers it releases.
#include "detection/AdbInterfaceScan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/detection/FakeDeviceInfoSets.h"
#include "tests/support/RegistryValues.h"

namespace {

const std::string kAdb = "usb\\class_ff&subclass_42&prot_01";

// Every buffer went back, every allocation was LPTR, the set was destroyed once.
void ExpectCleanedUp(const FakeDeviceInfoSets& sets)
{
    EXPECT_EQ(0u, sets.BuffersHeld());
    EXPECT_EQ(0u, sets.badFrees);
    EXPECT_EQ(1u, sets.setsDestroyed);
    for (const UINT flags : sets.allocationFlags)
        EXPECT_EQ(static_cast<UINT>(LPTR), flags);
}

}  // namespace

TEST(IsAdbInterfacePresent, AsksForThePresentUsbDevicesOfAllClasses)
{
    FakeDeviceInfoSets sets;
    EXPECT_EQ(FALSE, IsAdbInterfacePresent(sets));
    const GUID usbDevice = {0xA5DCBF10, 0x6530, 0x11D2,
                            {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
    ASSERT_TRUE(sets.classGuid.has_value());
    EXPECT_EQ(0, std::memcmp(&usbDevice, &*sets.classGuid, sizeof(GUID)));
    EXPECT_EQ("USB", sets.enumerator);
    EXPECT_EQ(nullptr, sets.parent);
    EXPECT_EQ(6u, sets.flags);
    ExpectCleanedUp(sets);
}

TEST(IsAdbInterfacePresent, NoSetGivesFalseAndDestroysNothing)
{
    FakeDeviceInfoSets sets;
    sets.AddDevice(MultiStringValue({kAdb}));
    sets.setAvailable = false;
    EXPECT_EQ(FALSE, IsAdbInterfacePresent(sets));
    EXPECT_EQ(0u, sets.setsDestroyed);
    EXPECT_EQ(0u, sets.devices[0].reads);
}

TEST(IsAdbInterfacePresent, MatchesTheFirstCompatibleIdCaseBlindAsASubstring)
{
    const struct {
        const char* name;
        std::string value;
        bool matches;
    } cases[] = {
        {"mixed case, first of three",
         MultiStringValue(
             {"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff&SubClass_42", "USB\\Class_ff"}),
         true},
        {"more text around it", MultiStringValue({"XUSB\\CLASS_FF&SUBCLASS_42&PROT_01&MI_01"}),
         true},
        {"only the second", MultiStringValue({"USB\\Class_ff&SubClass_42", kAdb}), false},
        {"subclass 0x42 printed as 66", MultiStringValue({"usb\\class_ff&subclass_66&prot_01"}),
         false},
        {"another class", MultiStringValue({"USB\\Class_08&SubClass_06&Prot_50"}), false},
        {"no terminating NULs", kAdb, true},
        // Read past the buffer, the guard bytes would complete it.
        {"cut short, no terminating NULs", "usb\\class_ff&subclass_42&prot_0", false},
        {"empty multi-string", std::string(2, '\0'), false},
        {"a value of no bytes", std::string(), false},
    };
    for (const auto& c : cases) {
        FakeDeviceInfoSets sets;
        sets.AddDevice(c.value);
        EXPECT_EQ(c.matches ? TRUE : FALSE, IsAdbInterfacePresent(sets)) << c.name;
        if (!c.value.empty()) {
            EXPECT_EQ(std::vector<SIZE_T>{c.value.size()}, sets.allocations) << c.name;
        }
        ExpectCleanedUp(sets);
    }
}

TEST(IsAdbInterfacePresent, ReadsEveryDeviceEvenAfterAMatch)
{
    FakeDeviceInfoSets sets;
    sets.AddDevice(MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff"}));
    sets.AddDeviceWithoutCompatibleIds();
    sets.AddDevice(MultiStringValue({"USB\\Class_08&SubClass_06&Prot_50"}));
    sets.AddDevice(MultiStringValue({kAdb}));
    EXPECT_EQ(TRUE, IsAdbInterfacePresent(sets));
    for (const auto& device : sets.devices)
        EXPECT_EQ(device.values[0] ? 2u : 1u, device.reads);
    EXPECT_EQ(3u, sets.allocations.size());  // none for the device without compatible IDs
    ExpectCleanedUp(sets);
}

TEST(IsAdbInterfacePresent, ADeviceWithoutCompatibleIdsIsSkipped)
{
    FakeDeviceInfoSets sets;
    sets.AddDeviceWithoutCompatibleIds();
    sets.AddDevice(MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01"}));
    EXPECT_EQ(TRUE, IsAdbInterfacePresent(sets));
    EXPECT_EQ(1u, sets.allocations.size());
    ExpectCleanedUp(sets);
}

TEST(IsAdbInterfacePresent, AValueThatGrowsBetweenReadsIsReadAgainIntoANewBuffer)
{
    const std::string before = MultiStringValue({"USB\\Class_ff"});
    const std::string after =
        MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff"});
    const std::string larger = MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01&Rev_0001",
                                                 "USB\\Class_ff&SubClass_42", "USB\\Class_ff"});
    FakeDeviceInfoSets sets;
    sets.devices.push_back({{before, after}});
    sets.devices.push_back({{before, after, larger}});  // grows twice
    EXPECT_EQ(TRUE, IsAdbInterfacePresent(sets));
    EXPECT_EQ((std::vector<SIZE_T>{before.size(), after.size(), before.size(), after.size(),
                                   larger.size()}),
              sets.allocations);
    ExpectCleanedUp(sets);
}

TEST(IsAdbInterfacePresent, AFailedReadOrAllocationIsNoMatch)
{
    const std::string adb = MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01"});
    const std::string huge =
        MultiStringValue({adb.substr(0, adb.size() - 2), std::string(0x200000, 'x')});
    FakeDeviceInfoSets sets;
    sets.devices.push_back({{adb, std::nullopt}});  // gone after the sizing read
    sets.AddDevice(huge);                           // more than the memory there is
    EXPECT_EQ(FALSE, IsAdbInterfacePresent(sets));
    EXPECT_EQ((std::vector<SIZE_T>{adb.size(), huge.size()}), sets.allocations);
    ExpectCleanedUp(sets);

    sets.AddDevice(adb);  // and the scan goes on after them
    sets.setsDestroyed = 0;
    EXPECT_EQ(TRUE, IsAdbInterfacePresent(sets));
    ExpectCleanedUp(sets);
}
