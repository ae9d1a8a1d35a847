// Top-level windows with given titles in a process of their own (ui_test_helper windows),
// for the tests of the "Found New Hardware" watcher. A window of it closes on WM_CLOSE.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"

class TitleWindows {
public:
    // Starts the helper and waits until every window is open; Started() tells whether it
    // came that far.
    explicit TitleWindows(const std::vector<std::string>& titles);

    bool Started() const { return m_started; }
    HWND Window(const std::string& title) const;
    static bool Closed(HWND window) { return !IsWindow(window); }
    // Waits up to timeoutMs for the window to close, taking the calling thread's messages
    // meanwhile (a window-event hook needs them).
    static bool WaitForClose(HWND window, DWORD timeoutMs);

private:
    StartedProgram m_program;
    std::vector<std::string> m_titles;
    std::vector<HWND> m_windows;
    bool m_started = false;
};
