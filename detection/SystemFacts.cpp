// The version record, the 64-bit test and the version text.
#include "detection/SystemFacts.h"

namespace {

struct VersionName {
    DWORD number;  // major * 10 + minor
    const char* name;
    const char* format;
};

const VersionName kVersionNames[] = {
    {50, "2000", "Windows %s %s %s "},
    {51, "XP", "Windows %s %s %s"},
    {52, "Server 2003", "Windows %s %s %s"},
    {60, "Vista", "Windows %s %s %s"},
    {61, "7", "Windows %s %s %s"},
    {62, "8", "Windows %s %s %s"},
    {63, "8.1", "Windows %s %s %s"},
};

}  // namespace

BOOL RealSystemQueries::GetVersionRecord(OSVERSIONINFOA* version) const
{
    return ::GetVersionExA(version);
}

IsWow64ProcessFunction RealSystemQueries::FindIsWow64Process() const
{
    // Looked up at run time: Windows before XP SP2 has no IsWow64Process.
    const FARPROC found = ::GetProcAddress(::GetModuleHandleA("kernel32"), "IsWow64Process");
    return reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(found));
}

OSVERSIONINFOA ReadVersionRecord(const SystemQueries& system)
{
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the basic version record");
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    system.GetVersionRecord(&version);
    return version;
}

BOOL IsWow64(const SystemQueries& system)
{
    const IsWow64ProcessFunction isWow64Process = system.FindIsWow64Process();
    if (isWow64Process == nullptr)
        return FALSE;
    BOOL wow64 = FALSE;
    isWow64Process(::GetCurrentProcess(), &wow64);
    return wow64 ? TRUE : FALSE;
}

BOOL IsWindowsVista(const SystemQueries& system)
{
    const OSVERSIONINFOA version = ReadVersionRecord(system);
    return version.dwMajorVersion == 6 && version.dwMinorVersion == 0 ? TRUE : FALSE;
}

CString GetWindowsVersionText(const SystemQueries& system)
{
    const OSVERSIONINFOA version = ReadVersionRecord(system);
    const DWORD number = version.dwMajorVersion * 10 + version.dwMinorVersion;
    const char* const tag = IsWow64(system) ? "[x64]" : "[x86]";
    // Bounded: the service-pack field is the system's, and nothing says it ends in a NUL.
    const CString servicePack(version.szCSDVersion, sizeof(version.szCSDVersion));
    const VersionName* named = nullptr;
    for (const VersionName& row : kVersionNames) {
        if (row.number == number)
            named = &row;
    }
    CString text;
    if (named != nullptr)
        text.Format(named->format, named->name, static_cast<LPCSTR>(servicePack), tag);
    else
        text.Format("Windows %d %d %s", static_cast<int>(version.dwMajorVersion),
                    static_cast<int>(version.dwMinorVersion), tag);
    return text;
}
