// The pre-order walk of the device tree, the node steps of the three scans, and the running
// system's tree: the Configuration Manager's ANSI calls, flags 0, from setupapi.dll.
#include "detection/DeviceScans.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/AdbCompatibleId.h"
#include "detection/SetupApi.h"
#include "detection/SystemFacts.h"

namespace {

constexpr ULONG kPropertyBufferSize = 256;

CString AdbCompatibleId()
{
    CString id;
    id.Format(ADB_COMPATIBLE_ID(KORVESSA_ANSI_TEXT));
    return id;
}

// Visits every node once, each before its children and the children in sibling order. It
// never stops early; a node whose parent cannot be asked ends the walk. FALSE when there is
// no root to start from.
template <typename VisitNode>
BOOL WalkDeviceTree(const DeviceTree& tree, VisitNode visit)
{
    DEVINST current = 0;
    if (tree.LocateRoot(&current) != CR_SUCCESS)
        return FALSE;
    for (;;) {
        visit(current);
        DEVINST next = 0;
        if (tree.GetChild(&next, current) == CR_SUCCESS ||
            tree.GetSibling(&next, current) == CR_SUCCESS) {
            current = next;
            continue;
        }
        for (;;) {
            if (tree.GetParent(&next, current) != CR_SUCCESS)
                return TRUE;
            current = next;
            if (tree.GetSibling(&next, current) == CR_SUCCESS) {
                current = next;
                break;
            }
        }
    }
}

// The property read of a node step: it starts from the empty text, so a failed read never
// leaves the text of an earlier node behind.
void ReadLowerCase(DEVINST node, ULONG property, CString& text, const DeviceTree& tree)
{
    text.Empty();
    GetDevNodeProperty(node, property, text, tree);
    text.MakeLower();
}

}  // namespace

BOOL GetDevNodeProperty(DEVINST node, ULONG property, CString& text, const DeviceTree& tree)
{
    char buffer[kPropertyBufferSize];
    ULONG length = kPropertyBufferSize;
    if (tree.GetRegistryProperty(node, property, buffer, &length) != CR_SUCCESS)
        return FALSE;
    // Only the bytes the read copied: after a value without its NUL come old stack bytes.
    const size_t copied = std::min<size_t>(length, kPropertyBufferSize);
    text.SetString(buffer, static_cast<int>(::strnlen(buffer, copied)));
    return TRUE;
}

BOOL EnumAdbDevices(std::vector<DeviceRecord>& records, const DeviceTree& tree)
{
    const CString adbId = AdbCompatibleId();
    const size_t recordsBefore = records.size();
    // Kept across the nodes, so that their reads reuse the storage.
    CString compatibleId;
    CString hardwareId;
    WalkDeviceTree(tree, [&](DEVINST node) {
        ReadLowerCase(node, CM_DRP_COMPATIBLEIDS, compatibleId, tree);
        if (compatibleId.Find(adbId) < 0)
            return;
        ULONG status = 0;
        ULONG problem = 0;
        if (tree.GetStatus(&status, &problem, node) != CR_SUCCESS)
            return;
        DeviceRecord record{static_cast<LONG>(status & DN_HAS_PROBLEM), problem, CString(),
                            CString()};
        ReadLowerCase(node, CM_DRP_HARDWAREID, hardwareId, tree);
        if (hardwareId.Find("usb\\") >= 0)
            record.vendorId = hardwareId.Mid(8, 4);
        const ULONG descriptionProperty =
            tree.GetWindowsMajorVersion() == 5 ? CM_DRP_LOCATION_INFORMATION : CM_DRP_DEVICEDESC;
        GetDevNodeProperty(node, descriptionProperty, record.description, tree);
        records.push_back(std::move(record));
    });
    return records.size() > recordsBefore ? TRUE : FALSE;
}

BOOL FindAdbProblemDevice(const DeviceTree& tree)
{
    const CString adbId = AdbCompatibleId();
    BOOL found = FALSE;
    CString compatibleId;
    WalkDeviceTree(tree, [&](DEVINST node) {
        ULONG status = 0;
        ULONG problem = 0;
        if (GetDevNodeProperty(node, CM_DRP_COMPATIBLEIDS, compatibleId, tree) &&
            tree.GetStatus(&status, &problem, node) == CR_SUCCESS &&
            (status & DN_HAS_PROBLEM) != 0 && compatibleId.MakeLower().Find(adbId) >= 0)
            found = TRUE;
    });
    return found;
}

BOOL IsSamsungDevicePresent(const DeviceTree& tree)
{
    CString samsungId;
    samsungId.Format("%s_%s&%s_%s", "vid", "04e8", "pid", "681c");
    BOOL found = FALSE;
    CString hardwareId;
    WalkDeviceTree(tree, [&](DEVINST node) {
        if (GetDevNodeProperty(node, CM_DRP_HARDWAREID, hardwareId, tree) &&
            hardwareId.MakeLower().Find(samsungId) >= 0)
            found = TRUE;
    });
    return found;
}

// A function setupapi.dll lacks fails as a call the Configuration Manager does not implement.
CONFIGRET RealDeviceTree::LocateRoot(DEVINST* root) const
{
    const auto locate = SetupApi().CM_Locate_DevNodeA;
    return locate ? locate(root, nullptr, 0) : CR_CALL_NOT_IMPLEMENTED;
}

CONFIGRET RealDeviceTree::GetChild(DEVINST* child, DEVINST node) const
{
    const auto getChild = SetupApi().CM_Get_Child;
    return getChild ? getChild(child, node, 0) : CR_CALL_NOT_IMPLEMENTED;
}

CONFIGRET RealDeviceTree::GetSibling(DEVINST* sibling, DEVINST node) const
{
    const auto getSibling = SetupApi().CM_Get_Sibling;
    return getSibling ? getSibling(sibling, node, 0) : CR_CALL_NOT_IMPLEMENTED;
}

CONFIGRET RealDeviceTree::GetParent(DEVINST* parent, DEVINST node) const
{
    const auto getParent = SetupApi().CM_Get_Parent;
    return getParent ? getParent(parent, node, 0) : CR_CALL_NOT_IMPLEMENTED;
}

CONFIGRET RealDeviceTree::GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                              ULONG* length) const
{
    const auto getProperty = SetupApi().CM_Get_DevNode_Registry_PropertyA;
    return getProperty ? getProperty(node, property, nullptr, buffer, length, 0)
                       : CR_CALL_NOT_IMPLEMENTED;
}

CONFIGRET RealDeviceTree::GetStatus(ULONG* status, ULONG* problem, DEVINST node) const
{
    const auto getStatus = SetupApi().CM_Get_DevNode_Status;
    return getStatus ? getStatus(status, problem, node, 0) : CR_CALL_NOT_IMPLEMENTED;
}

DWORD RealDeviceTree::GetWindowsMajorVersion() const
{
    return ReadVersionRecord().dwMajorVersion;
}
