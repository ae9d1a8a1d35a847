// Ending adb.exe: a walk over a snapshot of the running processes.
#include "install/AdbProcesses.h"

#include <windows.h>

#include <tlhelp32.h>

#include "framework/CString.h"

namespace {

constexpr char kAdbImageName[] = "adb.exe";

// Asks for the right to end the process and no more: Windows XP refuses the all-access mask
// of later versions, and a process may grant others this right alone.
void EndProcess(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (process) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

}  // namespace

void KillAdbProcesses()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (CString(entry.szExeFile, sizeof entry.szExeFile).CompareNoCase(kAdbImageName) == 0)
            EndProcess(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
}
