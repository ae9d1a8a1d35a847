// The system's "Found New Hardware" windows, which Korvessa closes: those open at start-up
// (CKorvessaDlg::OnInitDialog) and those that appear later (WinEventProc, through the hook).
#pragma once

#include <windows.h>

constexpr char kFoundNewHardwareWizardTitle[] = "Found New Hardware Wizard";
constexpr char kFoundNewHardwareTitle[] = "Found New Hardware";

// The window-event hook's callback: posts WM_CLOSE to a top-level window of another process
// titled exactly one of the two, on an event about that window itself. Called for every event
// of every window of every other process, so it reads the title into a buffer on the stack
// and allocates nothing.
void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild,
                           DWORD idEventThread, DWORD dwmsEventTime);

// Installs the hook for every event of every window of the other processes, out of context:
// WinEventProc runs on the calling thread while it takes messages. NULL when it fails.
HWINEVENTHOOK WatchForNewHardwareWindows();
