// The one way the windows reach the shell: opening addresses and files, and running
// commands. Tests hand the windows a recorder instead of the system's shell.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class ShellRequests {
public:
    virtual void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) = 0;  // ShellExecuteA(owner, verb, file, NULL, NULL, showCommand)
    virtual void Run(LPCSTR commandLine, UINT showCommand) = 0;                       // WinExec

protected:
    ~ShellRequests() = default;
};

// The real one.
ShellRequests& SystemShell();

// The full path of a file in the system folder, or the empty text when the folder cannot be
// had or the path would not fit. The program runs elevated, often from the download folder:
// a bare name would find a planted file of that name there first.
CString SystemFolderFile(LPCSTR fileName);
