// The device-tree scans over trees held in memory: the walk, the ADB match, the records, the
// problem and Samsung tests, and the 256-byte property read.
#include "detection/DeviceScans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/FakeDeviceTree.h"

namespace {

const std::string kAdbIds = MultiStringValue(
    {"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff&SubClass_42", "USB\\Class_ff"});
const std::string kStorageIds =
    MultiStringValue({"USB\\Class_08&SubClass_06&Prot_50", "USB\\Class_08&SubClass_06"});

// An ADB interface node as Windows shows one; the description names the node in the tests.
void MakeAdbNode(FakeDeviceTree& tree, DEVINST node, const std::string& description,
                 ULONG status = 0, ULONG problem = 0)
{
    FakeDeviceTree::Node& n = tree[node];
    n.properties[CM_DRP_COMPATIBLEIDS] = kAdbIds;
    n.properties[CM_DRP_HARDWAREID] =
        MultiStringValue({"USB\\VID_18D1&PID_4EE2&REV_0232&MI_01", "USB\\VID_18D1&PID_4EE2&MI_01"});
    n.properties[CM_DRP_DEVICEDESC] = TextValue(description);
    n.status = status;
    n.problem = problem;
}

std::vector<std::string> Descriptions(const std::vector<DeviceRecord>& records)
{
    std::vector<std::string> texts;
    for (const DeviceRecord& record : records)
        texts.push_back(static_cast<LPCSTR>(record.description));
    return texts;
}

// The nodes in the order of their first property read, named by their description.
std::vector<std::string> VisitOrder(const FakeDeviceTree& tree)
{
    std::vector<std::pair<unsigned long, std::string>> visits;
    for (DEVINST node = 1; node <= tree.NodeCount(); ++node) {
        const std::string& description = tree[node].properties.at(CM_DRP_DEVICEDESC);
        if (tree[node].firstRead != 0)
            visits.emplace_back(tree[node].firstRead, description.c_str());
    }
    std::sort(visits.begin(), visits.end());
    std::vector<std::string> names;
    for (const auto& visit : visits)
        names.push_back(visit.second);
    return names;
}

// R with the children A, B and C; A has A1, which has A1a; B has B1. Every node is an ADB
// node with a problem and the Samsung hardware ID.
FakeDeviceTree TreeOfSeven()
{
    FakeDeviceTree tree;
    const DEVINST r = tree.AddRoot();
    const DEVINST a = tree.AddChild(r);
    const DEVINST a1 = tree.AddChild(a);
    const DEVINST a1a = tree.AddChild(a1);
    const DEVINST b = tree.AddChild(r);
    const DEVINST b1 = tree.AddChild(b);
    const DEVINST c = tree.AddChild(r);
    const struct {
        DEVINST node;
        const char* name;
    } names[] = {{r, "R"}, {a, "A"}, {a1, "A1"}, {a1a, "A1a"}, {b, "B"}, {b1, "B1"}, {c, "C"}};
    for (const auto& n : names) {
        MakeAdbNode(tree, n.node, n.name, DN_HAS_PROBLEM, 28);
        tree[n.node].properties[CM_DRP_HARDWAREID] = MultiStringValue({"USB\\VID_04E8&PID_681C"});
    }
    return tree;
}

const std::vector<std::string> kPreOrder = {"R", "A", "A1", "A1a", "B", "B1", "C"};

// The scans, each as a TRUE or FALSE answer.
const struct {
    const char* name;
    BOOL (*scan)(const DeviceTree& tree);
} kScans[] = {
    {"EnumAdbDevices",
     [](const DeviceTree& tree) {
         std::vector<DeviceRecord> records;
         return EnumAdbDevices(records, tree);
     }},
    {"FindAdbProblemDevice", [](const DeviceTree& tree) { return FindAdbProblemDevice(tree); }},
    {"IsSamsungDevicePresent", [](const DeviceTree& tree) { return IsSamsungDevicePresent(tree); }},
};

}  // namespace

TEST(DeviceTreeWalk, VisitsEveryNodeOnceInPreOrder)
{
    for (const auto& scan : kScans) {
        const FakeDeviceTree tree = TreeOfSeven();
        EXPECT_EQ(TRUE, scan.scan(tree)) << scan.name;
        EXPECT_EQ(kPreOrder, VisitOrder(tree)) << scan.name;
    }
    const FakeDeviceTree tree = TreeOfSeven();
    std::vector<DeviceRecord> records;
    EnumAdbDevices(records, tree);
    EXPECT_EQ(kPreOrder, Descriptions(records));
}

TEST(DeviceTreeWalk, AMatchFoundEarlyStillVisitsTheRest)
{
    for (const auto& scan : kScans) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        MakeAdbNode(tree, root, "R", DN_HAS_PROBLEM, 10);
        tree[root].properties[CM_DRP_HARDWAREID] = MultiStringValue({"USB\\VID_04E8&PID_681C"});
        const DEVINST first = tree.AddChild(root);
        tree[first].properties[CM_DRP_DEVICEDESC] = TextValue("first");
        const DEVINST deep = tree.AddChild(first);
        tree[deep].properties[CM_DRP_DEVICEDESC] = TextValue("deep");
        const DEVINST last = tree.AddChild(root);
        tree[last].properties[CM_DRP_DEVICEDESC] = TextValue("last");

        EXPECT_EQ(TRUE, scan.scan(tree)) << scan.name;
        EXPECT_EQ((std::vector<std::string>{"R", "first", "deep", "last"}), VisitOrder(tree))
            << scan.name;
    }
}

TEST(DeviceTreeWalk, ARootAloneOrMissingGivesFalse)
{
    for (const bool missing : {false, true}) {
        for (const auto& scan : kScans) {
            FakeDeviceTree tree;
            tree.AddRoot();
            tree.rootMissing = missing;
            EXPECT_EQ(FALSE, scan.scan(tree)) << scan.name << " missing " << missing;
            EXPECT_EQ(missing ? 0u : 1u, tree.propertyReads) << scan.name;
        }
        FakeDeviceTree tree;
        tree.AddRoot();
        tree.rootMissing = missing;
        std::vector<DeviceRecord> records{{DN_HAS_PROBLEM, 22, "18d1", "earlier"}};
        EXPECT_EQ(FALSE, EnumAdbDevices(records, tree));
        ASSERT_EQ(1u, records.size());
        EXPECT_STREQ("earlier", records[0].description);
    }
}

TEST(DeviceTreeWalk, ANodeWhoseParentCannotBeAskedEndsTheWalk)
{
    FakeDeviceTree tree = TreeOfSeven();
    tree[4].parentFails = true;  // A1a: nothing after it is visited
    std::vector<DeviceRecord> records;
    EXPECT_EQ(TRUE, EnumAdbDevices(records, tree));
    EXPECT_EQ((std::vector<std::string>{"R", "A", "A1", "A1a"}), Descriptions(records));
}

TEST(AdbMatch, OnlyTheFirstCompatibleIdCountsCaseBlindAsASubstring)
{
    const std::string adb = "usb\\class_ff&subclass_42&prot_01";
    const struct {
        const char* name;
        std::string compatibleIds;  // empty: the node has no such property
        bool matches;
    } cases[] = {
        {"mixed case, first of three", kAdbIds, true},
        {"upper case", MultiStringValue({"USB\\CLASS_FF&SUBCLASS_42&PROT_01"}), true},
        {"more text around it", MultiStringValue({"xUSB\\Class_ff&SubClass_42&Prot_01&Rev_01"}),
         true},
        {"only the second", MultiStringValue({"USB\\Class_ff&SubClass_42", adb}), false},
        {"subclass 0x42 printed as 66", MultiStringValue({"usb\\class_ff&subclass_66&prot_01"}),
         false},
        {"protocol cut short", MultiStringValue({"usb\\class_ff&subclass_42&prot_0"}), false},
        {"another class", kStorageIds, false},
        {"empty value", std::string(1, '\0'), false},
        {"no property", std::string(), false},
        {"256 bytes without a NUL", std::string(224, 'x') + adb, true},
        {"257 bytes: does not fit", std::string(225, 'x') + adb, false},
    };
    for (const auto& c : cases) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        const DEVINST node = tree.AddChild(root);
        MakeAdbNode(tree, node, "node", DN_HAS_PROBLEM, 28);
        if (c.compatibleIds.empty())
            tree[node].properties.erase(CM_DRP_COMPATIBLEIDS);
        else
            tree[node].properties[CM_DRP_COMPATIBLEIDS] = c.compatibleIds;

        std::vector<DeviceRecord> records;
        EXPECT_EQ(c.matches ? TRUE : FALSE, EnumAdbDevices(records, tree)) << c.name;
        EXPECT_EQ(c.matches ? 1u : 0u, records.size()) << c.name;
        EXPECT_EQ(c.matches ? TRUE : FALSE, FindAdbProblemDevice(tree)) << c.name;
    }
}

TEST(AdbMatch, AFailedReadRightAfterAMatchingNodeIsNoMatch)
{
    for (const std::string& unreadable : {std::string(), std::string(300, 'x')}) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        const DEVINST adb = tree.AddChild(root);
        MakeAdbNode(tree, adb, "adb");
        const DEVINST next = tree.AddChild(root);
        MakeAdbNode(tree, next, "unreadable", DN_HAS_PROBLEM, 28);
        if (unreadable.empty())
            tree[next].properties.erase(CM_DRP_COMPATIBLEIDS);
        else
            tree[next].properties[CM_DRP_COMPATIBLEIDS] = unreadable;

        std::vector<DeviceRecord> records;
        EXPECT_EQ(TRUE, EnumAdbDevices(records, tree));
        EXPECT_EQ(std::vector<std::string>{"adb"}, Descriptions(records));
        EXPECT_EQ(FALSE, FindAdbProblemDevice(tree));
    }
}

TEST(DeviceRecords, VendorIdFromIndexEightOfTheFirstHardwareId)
{
    // One tree, so that a failed read after a successful one shows up.
    const struct {
        std::string hardwareIds;  // empty: no such property
        const char* vendorId;
    } cases[] = {
        {MultiStringValue({"USB\\VID_18D1&PID_4EE2&REV_0232&MI_01", "USB\\VID_18D1&PID_4EE2"}),
         "18d1"},
        {std::string(), ""},
        {MultiStringValue({"USB\\VID_0BB4&PID_0C02"}), "0bb4"},
        {MultiStringValue({"HID\\VID_18D1&PID_4EE2", "USB\\VID_18D1&PID_4EE2"}), ""},
        {MultiStringValue({"usb\\vid_1"}), "1"},
        {MultiStringValue({"usb\\vid_"}), ""},
        {MultiStringValue({"ACPI\\USB\\VID_18D1"}), "\\vid"},
        {std::string(257, 'U'), ""},
        {MultiStringValue({"USB\\VID_04E8&PID_6860"}), "04e8"},
        {MultiStringValue({""}), ""},
    };
    FakeDeviceTree tree;
    const DEVINST root = tree.AddRoot();
    for (const auto& c : cases) {
        const DEVINST node = tree.AddChild(root);
        MakeAdbNode(tree, node, "node");
        if (c.hardwareIds.empty())
            tree[node].properties.erase(CM_DRP_HARDWAREID);
        else
            tree[node].properties[CM_DRP_HARDWAREID] = c.hardwareIds;
    }
    std::vector<DeviceRecord> records;
    EnumAdbDevices(records, tree);
    ASSERT_EQ(std::size(cases), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_STREQ(cases[i].vendorId, records[i].vendorId) << "case " << i;
}

TEST(DeviceRecords, StatusGivesTheProblemFlagAndNumberAsReported)
{
    const struct {
        ULONG status;
        ULONG problem;
        bool statusFails;
        LONG hasProblem;
        bool problemDevice;
    } cases[] = {
        {DN_DRIVER_LOADED | DN_STARTED, 0, false, 0, false},
        {DN_HAS_PROBLEM, 28, false, DN_HAS_PROBLEM, true},
        {DN_HAS_PROBLEM | DN_DISABLEABLE | DN_NT_ENUMERATOR, 22, false, DN_HAS_PROBLEM, true},
        {DN_STARTED, 14, false, 0, false},
        {0xFFFFFFFF, 0xFFFFFFFF, false, DN_HAS_PROBLEM, true},
        {DN_HAS_PROBLEM, 28, true, 0, false},
    };
    for (const auto& c : cases) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        MakeAdbNode(tree, tree.AddChild(root), "node", c.status, c.problem);
        tree[2].statusFails = c.statusFails;

        std::vector<DeviceRecord> records;
        EXPECT_EQ(c.statusFails ? FALSE : TRUE, EnumAdbDevices(records, tree));
        ASSERT_EQ(c.statusFails ? 0u : 1u, records.size()) << c.status;
        if (!c.statusFails) {
            EXPECT_EQ(c.hasProblem, records[0].hasProblem) << c.status;
            EXPECT_EQ(c.problem, records[0].problemCode) << c.status;
        }
        EXPECT_EQ(c.problemDevice ? TRUE : FALSE, FindAdbProblemDevice(tree)) << c.status;
    }
}

TEST(DeviceRecords, DescriptionDependsOnTheMajorVersion)
{
    const struct {
        DWORD majorVersion;
        bool hasDescription;
        bool hasLocation;
        const char* description;
    } cases[] = {
        {5, true, true, "Port_#0002.Hub_#0001"},
        {6, true, true, "Android ADB Interface"},
        {10, true, true, "Android ADB Interface"},
        {0, true, true, "Android ADB Interface"},  // a failed version query
        {5, true, false, ""},
        {10, false, true, ""},
    };
    for (const auto& c : cases) {
        FakeDeviceTree tree;
        tree.majorVersion = c.majorVersion;
        const DEVINST root = tree.AddRoot();
        // The node before leaves texts behind that a failed read must not take over.
        MakeAdbNode(tree, tree.AddChild(root), "Earlier Interface");
        tree[2].properties[CM_DRP_LOCATION_INFORMATION] = TextValue("Earlier Location");
        const DEVINST node = tree.AddChild(root);
        MakeAdbNode(tree, node, "Android ADB Interface");
        if (c.hasLocation)
            tree[node].properties[CM_DRP_LOCATION_INFORMATION] = TextValue("Port_#0002.Hub_#0001");
        if (!c.hasDescription)
            tree[node].properties.erase(CM_DRP_DEVICEDESC);

        std::vector<DeviceRecord> records;
        EnumAdbDevices(records, tree);
        ASSERT_EQ(2u, records.size());
        EXPECT_STREQ(c.description, records[1].description) << c.majorVersion;
    }
}

TEST(DeviceRecords, AppendedBehindTheRecordsAlreadyListed)
{
    FakeDeviceTree tree = TreeOfSeven();
    std::vector<DeviceRecord> records{{0, 0, "0bb4", "listed before"}};
    EXPECT_EQ(TRUE, EnumAdbDevices(records, tree));
    ASSERT_EQ(8u, records.size());
    EXPECT_STREQ("listed before", records[0].description);
    EXPECT_STREQ("R", records[1].description);
    EXPECT_STREQ("04e8", records[1].vendorId);
    EXPECT_EQ(DN_HAS_PROBLEM, records[1].hasProblem);
    EXPECT_EQ(28u, records[1].problemCode);
}

TEST(ProblemDevice, OnlyAnAdbNodeWithTheProblemBitCounts)
{
    FakeDeviceTree tree;
    const DEVINST root = tree.AddRoot();
    const DEVINST storage = tree.AddChild(root);
    MakeAdbNode(tree, storage, "storage with a problem", DN_HAS_PROBLEM, 28);
    tree[storage].properties[CM_DRP_COMPATIBLEIDS] = kStorageIds;
    MakeAdbNode(tree, tree.AddChild(root), "adb without a problem", DN_STARTED, 0);
    EXPECT_EQ(FALSE, FindAdbProblemDevice(tree));
    EXPECT_EQ(1u, tree[storage].statusReads);  // every readable node's status is read

    MakeAdbNode(tree, tree.AddChild(root), "adb with a problem", DN_HAS_PROBLEM, 10);
    EXPECT_EQ(TRUE, FindAdbProblemDevice(tree));
}

TEST(SamsungDevice, FoundByTheFirstHardwareIdOfAnyNode)
{
    const struct {
        std::string hardwareIds;  // empty: no such property
        bool present;
    } cases[] = {
        {MultiStringValue({"USB\\VID_04E8&PID_681C&REV_0400", "USB\\VID_04E8&PID_681C"}), true},
        {MultiStringValue({"usb\\vid_04e8&pid_681c&mi_00"}), true},
        {MultiStringValue({"USB\\VID_04E8&PID_6860&REV_0400", "USB\\VID_04E8&PID_6860"}), false},
        {MultiStringValue({"USB\\VID_04E8&PID_6860", "USB\\VID_04E8&PID_681C"}), false},
        {MultiStringValue({"USB\\VID_04E8&PID_681"}), false},
        {std::string(), false},
        {std::string(250, 'x') + "VID_04E8&PID_681C", false},  // 267 bytes: does not fit
    };
    for (const auto& c : cases) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        const DEVINST node = tree.AddChild(tree.AddChild(root));
        tree[node].properties[CM_DRP_COMPATIBLEIDS] = MultiStringValue({"USB\\VID_04E8&PID_681C"});
        if (!c.hardwareIds.empty())
            tree[node].properties[CM_DRP_HARDWAREID] = c.hardwareIds;
        tree.AddChild(root);
        EXPECT_EQ(c.present ? TRUE : FALSE, IsSamsungDevicePresent(tree)) << c.hardwareIds;
    }
}

TEST(GetDevNodeProperty, ReadsUpToTheFirstNulOfAValueThatFitsIn256Bytes)
{
    const struct {
        std::string value;  // empty: no such property
        BOOL read;
        std::string text;
    } cases[] = {
        {MultiStringValue({"USB\\VID_18D1&PID_4EE2", "USB\\VID_18D1"}), TRUE,
         "USB\\VID_18D1&PID_4EE2"},
        {std::string(255, 'a') + '\0', TRUE, std::string(255, 'a')},
        {std::string(256, 'b'), TRUE, std::string(256, 'b')},
        {std::string(257, 'c'), FALSE, "kept"},
        {std::string(10, 'd') + std::string(246, '\0') + "e", FALSE, "kept"},
        {std::string(1, '\0'), TRUE, ""},
        {"USB\\VID_18D1", TRUE, "USB\\VID_18D1"},  // no NUL: the rest of the buffer is not its
        {std::string(), FALSE, "kept"},
    };
    for (const auto& c : cases) {
        FakeDeviceTree tree;
        const DEVINST root = tree.AddRoot();
        if (!c.value.empty())
            tree[root].properties[CM_DRP_HARDWAREID] = c.value;
        CString text("kept");
        EXPECT_EQ(c.read, GetDevNodeProperty(root, CM_DRP_HARDWAREID, text, tree))
            << c.value.size();
        EXPECT_EQ(c.text, static_cast<LPCSTR>(text)) << c.value.size();
    }
}

TEST(GetDevNodeProperty, AShorterValueReplacesTheWholeText)
{
    FakeDeviceTree tree;
    const DEVINST root = tree.AddRoot();
    tree[root].properties[CM_DRP_DEVICEDESC] = TextValue("Android Composite ADB Interface");
    tree[root].properties[CM_DRP_HARDWAREID] = MultiStringValue({"USB\\VID"});
    CString text;
    EXPECT_EQ(TRUE, GetDevNodeProperty(root, CM_DRP_DEVICEDESC, text, tree));
    EXPECT_STREQ("Android Composite ADB Interface", text);
    EXPECT_EQ(TRUE, GetDevNodeProperty(root, CM_DRP_HARDWAREID, text, tree));
    EXPECT_STREQ("USB\\VID", text);
}
