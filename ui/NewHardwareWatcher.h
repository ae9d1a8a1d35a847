// The watcher that closes the system's own "Found New Hardware" windows as they appear: the
// window-event hook and its callback. The main dialog closes those already open at start-up.
#pragma once

#include <windows.h>

constexpr char kFoundNewHardwareWizardTitle[] = "Found New Hardware Wizard";
constexpr char kFoundNewHardwareTitle[] = "Found New Hardware";

// The hook's callback. Looks only at the window: when it belongs to another process and its
// title is exactly one of the two new-hardware titles, posts it WM_CLOSE. Called for every event of every window of every
// other process, so it reads the title into a buffer on the stack and allocates nothing.
void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId,
                           LONG childId, DWORD eventThread, DWORD eventTime);

// Installs the hook for every event of every window of the other processes, out of context:
// WinEventProc runs on the calling thread while it takes messages. NULL when it fails.
HWINEVENTHOOK WatchForNewHardwareWindows();
