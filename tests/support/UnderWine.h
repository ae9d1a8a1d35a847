// Whether the tests run under Wine, whose answers for a system without devices or drivers
// are known, so a test can require them outright instead of accepting any answer.
#pragma once

#include <windows.h>

// Wine's ntdll exports wine_get_version; Windows' does not.
inline bool UnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
