// A device tree held in memory that answers the scans as the Configuration Manager does: a
// missing child, sibling or parent is a failure, and a value longer than the caller's buffer
// fails the read with the size it needs. A read fills up to 8 bytes after the value with 'J',
// standing for whatever the caller's buffer held before. Reads allocate nothing.
#pragma once

#include "detection/DeviceScans.h"

#include <map>
#include <string>
#include <vector>

#include "tests/support/RegistryValues.h"

class FakeDeviceTree : public DeviceTree {
public:
    struct Node {
        DEVINST parent = 0;
        DEVINST firstChild = 0;
        DEVINST nextSibling = 0;
        DEVINST lastChild = 0;
        bool parentFails = false;  // the parent query fails, as for the root
        std::map<ULONG, std::string> properties;  // the raw bytes of each value present
        bool statusFails = false;
        ULONG status = 0;
        ULONG problem = 0;
        mutable unsigned propertyReads = 0;
        mutable unsigned statusReads = 0;
        mutable unsigned long firstRead = 0;  // the tree's read count at its first read; 0 never
    };

    DEVINST AddRoot();
    // Appends a child after the parent's last child.
    DEVINST AddChild(DEVINST parent);
    Node& operator[](DEVINST node) { return m_nodes.at(node - 1); }
    const Node& operator[](DEVINST node) const { return m_nodes.at(node - 1); }
    size_t NodeCount() const { return m_nodes.size(); }

    bool rootMissing = false;
    DWORD majorVersion = 6;
    mutable unsigned long propertyReads = 0;
    mutable unsigned long versionReads = 0;

    CONFIGRET LocateRoot(DEVINST* root) const override;
    CONFIGRET GetChild(DEVINST* child, DEVINST node) const override;
    CONFIGRET GetSibling(DEVINST* sibling, DEVINST node) const override;
    CONFIGRET GetParent(DEVINST* parent, DEVINST node) const override;
    CONFIGRET GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                  ULONG* length) const override;
    CONFIGRET GetStatus(ULONG* status, ULONG* problem, DEVINST node) const override;
    DWORD GetWindowsMajorVersion() const override;

private:
    const Node* Find(DEVINST node) const;
    CONFIGRET Answer(DEVINST* out, DEVINST found) const;

    std::vector<Node> m_nodes;
};
