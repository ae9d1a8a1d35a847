// The new-hardware watcher's callback.
#include "NewHardwareWatcher.h"

void CALLBACK WinEventProc(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    // Built with the dialog's event handling.
}
