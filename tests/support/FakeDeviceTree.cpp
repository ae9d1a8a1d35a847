// The in-memory device tree: nodes numbered from 1 in the order they were added.
#include "tests/support/FakeDeviceTree.h"

#include <algorithm>
#include <cstring>

DEVINST FakeDeviceTree::AddRoot()
{
    m_nodes.emplace_back();
    return static_cast<DEVINST>(m_nodes.size());
}

DEVINST FakeDeviceTree::AddChild(DEVINST parent)
{
    m_nodes.emplace_back();
    const DEVINST child = static_cast<DEVINST>(m_nodes.size());
    (*this)[child].parent = parent;
    Node& parentNode = (*this)[parent];
    if (parentNode.lastChild != 0)
        (*this)[parentNode.lastChild].nextSibling = child;
    else
        parentNode.firstChild = child;
    parentNode.lastChild = child;
    return child;
}

const FakeDeviceTree::Node* FakeDeviceTree::Find(DEVINST node) const
{
    return node >= 1 && node <= m_nodes.size() ? &m_nodes[node - 1] : nullptr;
}

CONFIGRET FakeDeviceTree::Answer(DEVINST* out, DEVINST found) const
{
    *out = found;
    return found != 0 ? CR_SUCCESS : CR_NO_SUCH_DEVNODE;
}

CONFIGRET FakeDeviceTree::LocateRoot(DEVINST* root) const
{
    return Answer(root, rootMissing || m_nodes.empty() ? 0 : 1);
}

CONFIGRET FakeDeviceTree::GetChild(DEVINST* child, DEVINST node) const
{
    const Node* found = Find(node);
    return found ? Answer(child, found->firstChild) : CR_INVALID_DEVNODE;
}

CONFIGRET FakeDeviceTree::GetSibling(DEVINST* sibling, DEVINST node) const
{
    const Node* found = Find(node);
    return found ? Answer(sibling, found->nextSibling) : CR_INVALID_DEVNODE;
}

CONFIGRET FakeDeviceTree::GetParent(DEVINST* parent, DEVINST node) const
{
    const Node* found = Find(node);
    if (found == nullptr)
        return CR_INVALID_DEVNODE;
    return Answer(parent, found->parentFails ? 0 : found->parent);
}

CONFIGRET FakeDeviceTree::GetRegistryProperty(DEVINST node, ULONG property, void* buffer,
                                              ULONG* length) const
{
    const Node* found = Find(node);
    if (found == nullptr)
        return CR_INVALID_DEVNODE;
    if (buffer == nullptr || length == nullptr)
        return CR_INVALID_POINTER;
    ++propertyReads;
    ++found->propertyReads;
    if (found->firstRead == 0)
        found->firstRead = propertyReads;
    const auto value = found->properties.find(property);
    if (value == found->properties.end())
        return CR_NO_SUCH_VALUE;
    const ULONG size = static_cast<ULONG>(value->second.size());
    if (size > *length) {
        *length = size;
        return CR_BUFFER_SMALL;
    }
    std::memcpy(buffer, value->second.data(), size);
    std::memset(static_cast<char*>(buffer) + size, 'J', std::min<ULONG>(*length - size, 8));
    *length = size;
    return CR_SUCCESS;
}

CONFIGRET FakeDeviceTree::GetStatus(ULONG* status, ULONG* problem, DEVINST node) const
{
    const Node* found = Find(node);
    if (found == nullptr)
        return CR_INVALID_DEVNODE;
    ++found->statusReads;
    if (found->statusFails)
        return CR_NO_SUCH_DEVNODE;
    *status = found->status;
    *problem = found->problem;
    return CR_SUCCESS;
}

DWORD FakeDeviceTree::GetWindowsMajorVersion() const
{
    ++versionReads;
    return majorVersion;
}
