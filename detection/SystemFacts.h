// Facts about the running Windows: whether it is 64-bit, whether it is Vista, and the
// one-line version text of the main window. Each call asks Windows afresh, through
// SystemQueries, so the facts also come from a system held in memory.
#pragma once

#include <windows.h>

#include "framework/CString.h"

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);

// The two questions put to Windows.
class SystemQueries {
public:
    virtual ~SystemQueries() = default;
    // GetVersionExA: fills the record whose size field says OSVERSIONINFOA.
    virtual BOOL GetVersionRecord(OSVERSIONINFOA* version) const = 0;
    // IsWow64Process of kernel32, or null on a Windows that has none.
    virtual IsWow64ProcessFunction FindIsWow64Process() const = 0;
};

class RealSystemQueries : public SystemQueries {
public:
    BOOL GetVersionRecord(OSVERSIONINFOA* version) const override;
    IsWow64ProcessFunction FindIsWow64Process() const override;
};

// The version record cleared, sized and filled; a failed query leaves it zero.
OSVERSIONINFOA ReadVersionRecord(const SystemQueries& system = RealSystemQueries());

// TRUE when the process runs in 64-bit Windows' emulation of 32-bit Windows, that is when
// the 32-bit program runs on 64-bit Windows.
BOOL IsWow64(const SystemQueries& system = RealSystemQueries());

// TRUE exactly when Windows reports version 6.0.
BOOL IsWindowsVista(const SystemQueries& system = RealSystemQueries());

// The main window's operating-system line: the version's name (or its two numbers when it has
// no name of its own), the service pack and the word size.
CString GetWindowsVersionText(const SystemQueries& system = RealSystemQueries());
