// The device-tree scans: every node of the Configuration Manager's tree, visited in pre-order,
// checked for the ADB compatible ID (the device list's records, an ADB device in trouble) or
// for the Samsung device that needs its maker's own driver. The tree is read through
// DeviceTree, so the scans also run over a tree held in memory.
#pragma once

#include <windows.h>

#include <cfgmgr32.h>

#include <vector>

#include "framework/CString.h"

// One device node that carries the ADB compatible ID.
struct DeviceRecord {
    LONG hasProblem;      // the status word AND DN_HAS_PROBLEM: 0 or 0x400
    ULONG problemCode;    // as the status read reports it, whatever hasProblem says
    CString vendorId;     // four characters from index 8 of the lower-cased hardware ID
    CString description;  // the device description (location information on major version 5)
};

// The Configuration Manager operations the scans read, with their results as the platform
// gives them, and the Windows major version.
class DeviceTree {
public:
    virtual ~DeviceTree() = default;
    virtual CONFIGRET LocateRoot(DEVINST* root) const = 0;
    virtual CONFIGRET GetChild(DEVINST* child, DEVINST node) const = 0;
    virtual CONFIGRET GetSibling(DEVINST* sibling, DEVINST node) const = 0;
    virtual CONFIGRET GetParent(DEVINST* parent, DEVINST node) const = 0;
    // Copies the value into buffer when it fits in *length bytes; a longer value fails.
    virtual CONFIGRET GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                          ULONG* length) const = 0;
    virtual CONFIGRET GetStatus(ULONG* status, ULONG* problem, DEVINST node) const = 0;
    virtual DWORD GetWindowsMajorVersion() const = 0;
};

// The running system's tree (the CM_* functions of setupapi.dll, ANSI forms, flags 0) and
// GetVersionExA.
class RealDeviceTree : public DeviceTree {
public:
    CONFIGRET LocateRoot(DEVINST* root) const override;
    CONFIGRET GetChild(DEVINST* child, DEVINST node) const override;
    CONFIGRET GetSibling(DEVINST* sibling, DEVINST node) const override;
    CONFIGRET GetParent(DEVINST* parent, DEVINST node) const override;
    CONFIGRET GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                  ULONG* length) const override;
    CONFIGRET GetStatus(ULONG* status, ULONG* problem, DEVINST node) const override;
    DWORD GetWindowsMajorVersion() const override;
};

// Reads a text property (CM_DRP_*) through a 256-byte buffer. On success the text is the
// value's bytes up to its first NUL (the first string of a multi-string); on failure, a value
// longer than the buffer included, the text is left as it was. The text keeps its storage, so
// a text reused from node to node needs no new allocation.
BOOL GetDevNodeProperty(DEVINST node, ULONG property, CString& text,
                        const DeviceTree& tree = RealDeviceTree());

// Appends a record, in tree order, for every node that carries the ADB compatible ID and
// whose status can be read. TRUE when at least one record was appended.
BOOL EnumAdbDevices(std::vector<DeviceRecord>& records, const DeviceTree& tree = RealDeviceTree());

// TRUE when a node that carries the ADB compatible ID has DN_HAS_PROBLEM set.
BOOL FindAdbProblemDevice(const DeviceTree& tree = RealDeviceTree());

// TRUE when a node's hardware ID contains "vid_04e8&pid_681c", case-blind.
BOOL IsSamsungDevicePresent(const DeviceTree& tree = RealDeviceTree());
