// Processes that let others do only some things to them, as on Windows XP, where the
// all-access mask of later versions is refused, or as a process guarded by its owner.
#pragma once

#include <windows.h>

#include <sddl.h>

#include <cstdio>

// A security descriptor whose access list grants everyone this access and nothing else;
// null on failure. The caller frees it with LocalFree.
inline PSECURITY_DESCRIPTOR OnlyAccessForEveryone(DWORD access)
{
    char text[32];
    std::snprintf(text, sizeof text, "D:(A;;0x%lx;;;WD)", static_cast<unsigned long>(access));
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return descriptor;
}
