// Ending processes: a walk over a snapshot of the running processes, and the ending of one.
#include "install/Processes.h"

#include <tlhelp32.h>

#include "framework/CString.h"

namespace {

constexpr char kAdbImageName[] = "adb.exe";

// Offers each entry of a snapshot of the running processes to visit, until visit returns
// false. Nothing is offered when no snapshot can be taken.
template <typename Visit>
void VisitProcesses(Visit visit)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    BOOL more = Process32First(snapshot, &entry);
    while (more && visit(entry))
        more = Process32Next(snapshot, &entry);
    CloseHandle(snapshot);
}

// Ends the process with exit code 1 when mayEnd, asked while the process is held open, agrees.
// Asks for the right to end the process and no more: Windows XP refuses the all-access mask of
// later versions, and a process may grant others this right alone.
template <typename MayEnd>
void EndProcess(DWORD processId, MayEnd mayEnd)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return;
    if (mayEnd())
        TerminateProcess(process, 1);
    CloseHandle(process);
}

bool IsChildOfThisProcess(DWORD processId)
{
    bool child = false;
    VisitProcesses([&](const PROCESSENTRY32& entry) {
        if (entry.th32ProcessID != processId)
            return true;
        child = entry.th32ParentProcessID == GetCurrentProcessId();
        return false;
    });
    return child;
}

}  // namespace

void KillAdbProcesses()
{
    VisitProcesses([](const PROCESSENTRY32& entry) {
        if (CString(entry.szExeFile, sizeof entry.szExeFile).CompareNoCase(kAdbImageName) == 0)
            EndProcess(entry.th32ProcessID, [] { return true; });
        return true;
    });
}

void EndOwnChildProcess(DWORD processId)
{
    EndProcess(processId, [processId] { return IsChildOfThisProcess(processId); });
}
