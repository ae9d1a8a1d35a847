// Finding Korvessa.exe and its main window.
#include "tests/ui/KorvessaProgram.h"

#include "tests/support/Waiting.h"

std::string KorvessaExePath()
{
    return "Z:" KORVESSA_EXE;
}

HWND FindMainWindow(DWORD processId)
{
    // Other test programs may show a main dialog of the same caption at the same time.
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, kMainWindowCaption); window;
         window = FindWindowExA(nullptr, window, nullptr, kMainWindowCaption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs)
{
    HWND window = nullptr;
    const bool visible = WaitUntil(
        [&] {
            window = FindMainWindow(processId);
            return window && IsWindowVisible(window);
        },
        timeoutMs);
    return visible ? window : nullptr;
}
