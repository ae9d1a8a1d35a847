// The system's "Found New Hardware" windows, which Korvessa closes: those open at start-up
// (CKorvessaDlg::OnInitDialog) and those that appear later (WinEventProc).
#pragma once

#include <windows.h>

constexpr char kFoundNewHardwareWizardTitle[] = "Found New Hardware Wizard";
constexpr char kFoundNewHardwareTitle[] = "Found New Hardware";

// The window-event hook's callback: posts WM_CLOSE to a window titled exactly one of the two.
void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild,
                           DWORD idEventThread, DWORD dwmsEventTime);
