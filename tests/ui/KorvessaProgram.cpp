// Finding Korvessa.exe and its main window.
#include "KorvessaProgram.h"

std::string KorvessaExePath()
{
    return "Z:" KORVESSA_EXE;
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        HWND window = FindWindowA(nullptr, kMainWindowCaption);
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        if (window && owner == processId && IsWindowVisible(window))
            return window;
        Sleep(2);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}
