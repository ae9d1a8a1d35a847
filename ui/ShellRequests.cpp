// The system's shell behind ShellRequests. No result is looked at: a page or command that
// cannot be opened changes nothing.
#include "ui/ShellRequests.h"

#include <shellapi.h>

namespace {

class SystemShellRequests final : public ShellRequests {
public:
    void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) override
    {
        ShellExecuteA(owner, verb, file, nullptr, nullptr, showCommand);
    }
    void Run(LPCSTR commandLine, UINT showCommand) override { WinExec(commandLine, showCommand); }
};

// Constant-initialised, so it is there before any other static object might use it.
SystemShellRequests g_systemShell;

}  // namespace

ShellRequests& SystemShell()
{
    return g_systemShell;
}

CString SystemFolderFile(LPCSTR fileName)
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(fileName) >= MAX_PATH)
        return CString();
    return CString(path) + "\\" + fileName;
}
