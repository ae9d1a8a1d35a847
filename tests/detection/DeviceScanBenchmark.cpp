// EnumAdbDevices over an in-memory tree of 100,000 nodes, 1,000 of them ADB interfaces: the
// time per visited node and the heap allocations per property read. The program counts every
// operator new and delete. What the returned records still hold when a scan ends is their
// storage; the rest the scan made for itself. Scanning a second tree that holds only the same
// ADB nodes gives the same records with far fewer reads: the difference in allocations is what
// the extra property reads cost.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "detection/DeviceScans.h"
#include "tests/support/FakeDeviceTree.h"

namespace {

unsigned long g_allocations = 0;
unsigned long g_frees = 0;

void* Allocate(size_t size)
{
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void Release(void* memory)
{
    if (memory != nullptr) {
        ++g_frees;
        std::free(memory);
    }
}

constexpr DEVINST kNodes = 100000;
constexpr DEVINST kAdbEvery = 100;  // 1,000 ADB nodes
constexpr int kScans = 20;

const std::string kAdbIds = MultiStringValue(
    {"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff&SubClass_42", "USB\\Class_ff"});
const std::string kOtherIds = MultiStringValue(
    {"USB\\Class_08&SubClass_06&Prot_50", "USB\\Class_08&SubClass_06", "USB\\Class_08"});

void MakeAdbNode(FakeDeviceTree::Node& node, bool hasProblem)
{
    node.properties[CM_DRP_COMPATIBLEIDS] = kAdbIds;
    node.properties[CM_DRP_HARDWAREID] =
        MultiStringValue({"USB\\VID_18D1&PID_4EE2&REV_0232&MI_01", "USB\\VID_18D1&PID_4EE2&MI_01"});
    node.properties[CM_DRP_DEVICEDESC] = TextValue("Android Composite ADB Interface");
    node.status = hasProblem ? DN_HAS_PROBLEM : DN_STARTED;
    node.problem = hasProblem ? 28 : 0;
}

// Shaped like a 4-ary heap (nine levels, so the walk climbs often). Every 100th node is an ADB
// interface; a third of the others have no compatible IDs, as many of Windows' own nodes.
void BuildLargeTree(FakeDeviceTree& tree)
{
    tree.AddRoot();
    for (DEVINST node = 2; node <= kNodes; ++node)
        tree.AddChild((node - 2) / 4 + 1);
    for (DEVINST node = 1; node <= kNodes; ++node) {
        if (node % kAdbEvery == 0)
            MakeAdbNode(tree[node], node % (3 * kAdbEvery) == 0);
        else if (node % 3 != 0)
            tree[node].properties[CM_DRP_COMPATIBLEIDS] = kOtherIds;
    }
}

// The same ADB nodes, in the same order, under a root like the large tree's.
void BuildAdbOnlyTree(FakeDeviceTree& tree)
{
    const DEVINST root = tree.AddRoot();
    tree[root].properties[CM_DRP_COMPATIBLEIDS] = kOtherIds;
    for (DEVINST node = kAdbEvery; node <= kNodes; node += kAdbEvery)
        MakeAdbNode(tree[tree.AddChild(root)], node % (3 * kAdbEvery) == 0);
}

struct Measurement {
    double seconds = 0;  // the fastest scan
    unsigned long allocations = 0;
    unsigned long frees = 0;
    unsigned long reads = 0;
    size_t records = 0;
    unsigned long visited = 0;
};

Measurement Measure(const FakeDeviceTree& tree)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    Measurement m;
    for (int scan = 0; scan < kScans; ++scan) {
        std::vector<DeviceRecord> records;
        const unsigned long readsBefore = tree.propertyReads;
        const unsigned long allocationsBefore = g_allocations;
        const unsigned long freesBefore = g_frees;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        EnumAdbDevices(records, tree);
        ::QueryPerformanceCounter(&end);
        m.allocations = g_allocations - allocationsBefore;
        m.frees = g_frees - freesBefore;
        m.reads = tree.propertyReads - readsBefore;
        m.records = records.size();
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart);
        if (scan == 0 || seconds < m.seconds)
            m.seconds = seconds;
    }
    for (DEVINST node = 1; node <= tree.NodeCount(); ++node)
        m.visited += tree[node].propertyReads != 0 ? 1 : 0;
    return m;
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, size_t) noexcept { Release(memory); }
void operator delete[](void* memory, size_t) noexcept { Release(memory); }

int main()
{
    FakeDeviceTree large;
    BuildLargeTree(large);
    FakeDeviceTree adbOnly;
    BuildAdbOnlyTree(adbOnly);
    const Measurement m = Measure(large);
    const Measurement control = Measure(adbOnly);

    std::printf("Device tree in memory: %lu nodes, %lu of them ADB nodes\n",
                static_cast<unsigned long>(kNodes), static_cast<unsigned long>(kNodes / kAdbEvery));
    std::printf("EnumAdbDevices: %lu records, %lu nodes visited, %lu property reads per scan\n",
                static_cast<unsigned long>(m.records), m.visited, m.reads);
    std::printf("Heap allocations per scan: %lu held by the records and their list, %lu others"
                " (%lu over the %lu ADB nodes alone)\n",
                m.allocations - m.frees, m.frees, control.frees,
                static_cast<unsigned long>(control.records));
    // The last line is the summary that ./build.sh bench shows.
    const long extraAllocations = static_cast<long>(m.allocations - control.allocations);
    const unsigned long extraReads = m.reads - control.reads;
    std::printf("%.1f ns per visited node (fastest of %d scans), %g heap allocations per property"
                " read (%ld over the %lu reads the large tree makes more)\n",
                m.seconds * 1e9 / static_cast<double>(m.visited), kScans,
                static_cast<double>(extraAllocations) / static_cast<double>(extraReads),
                extraAllocations, extraReads);
    const bool complete = m.visited == kNodes && m.records == kNodes / kAdbEvery &&
                          control.records == m.records;
    return complete ? 0 : 1;
}
