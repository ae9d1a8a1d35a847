// The one way the windows reach the shell: opening addresses and files, and running
// commands. Tests hand the windows a recorder instead of the system's shell.
#pragma once

#include <windows.h>

class ShellRequests {
public:
    virtual void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) = 0;  // ShellExecuteA(owner, verb, file, NULL, NULL, showCommand)
    virtual void Run(LPCSTR commandLine, UINT showCommand) = 0;                       // WinExec

protected:
    ~ShellRequests() = default;
};

// The real one.
ShellRequests& SystemShell();
