// Top-level windows and controls with given titles in a process of their own (ui_test_helper
// windows), for the tests of the "Found New Hardware" watcher. A window of it closes on
// WM_CLOSE, which a watcher may send before the constructor has found it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestPrograms.h"

// The window tests' helper program (tests/ui), which the build puts beside every test program.
std::string UiTestHelperPath();

class TitleWindows {
public:
    // Starts the helper and waits until it has opened every window: a top-level window per
    // title, and a control per control title, all inside one more top-level window. Started()
    // tells whether it came that far.
    explicit TitleWindows(const std::vector<std::string>& titles,
                          const std::vector<std::string>& controlTitles = {});

    bool Started() const { return m_started; }
    // The window or control with this title, or NULL when it had closed before the
    // constructor looked.
    HWND Window(const std::string& title) const;
    // Ends the helper, through one of its windows that is still open, and returns the titles
    // of the windows that WM_CLOSE reached, in the order it reached them.
    std::vector<std::string> EndAndListClosed(const std::string& openTitle);
    static bool Closed(HWND window) { return !IsWindow(window); }
    // Waits up to timeoutMs for the window to close, taking the calling thread's messages
    // meanwhile (a window-event hook needs them).
    static bool WaitForClose(HWND window, DWORD timeoutMs);

private:
    StartedProgram m_program;
    std::vector<std::string> m_titles;  // the windows' and then the controls'
    std::vector<HWND> m_windows;        // one per title
    bool m_started = false;
};
