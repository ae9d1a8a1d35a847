// Runs a dialog modally on a thread of its own, as a user-interface thread or the
// installation worker would, so that the test's thread can drive it from outside with
// window messages. Every wait takes the test thread's messages meanwhile: the dialog's
// thread sends some (enabling and disabling an owner window that the test thread created).
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Dialog.h"

class ModalDialogThread {
public:
    // run is called on the new thread; it builds the dialog, runs DoModal and returns its
    // result (and may destroy the dialog before returning).
    explicit ModalDialogThread(std::function<INT_PTR()> run);
    // Waits for the thread; ends the dialog window first if it is still open.
    ~ModalDialogThread();
    ModalDialogThread(const ModalDialogThread&) = delete;
    ModalDialogThread& operator=(const ModalDialogThread&) = delete;

    DWORD ThreadId() const { return m_threadId; }
    // The dialog window once it is visible; NULL when none appeared within timeoutMs.
    HWND WaitForWindow(DWORD timeoutMs = 10000);
    // Waits until DoModal has returned; FALSE after timeoutMs.
    bool WaitForEnd(DWORD timeoutMs = 10000);
    bool Ended() const { return WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }
    INT_PTR Result() const { return m_result; }

private:
    static DWORD WINAPI Run(LPVOID self);

    std::function<INT_PTR()> m_run;
    INT_PTR m_result = 0;
    HANDLE m_thread = NULL;
    DWORD m_threadId = 0;
    HWND m_window = NULL;
};

// The control that has the keyboard focus on a thread.
HWND FocusOfThread(DWORD threadId);
