// Starts title_windows.exe, which opens top-level windows with the given titles in a process
// of its own, and reads how many WM_CLOSE each window has received.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TitleWindows {
public:
    // Starts the program from the test program's own folder and waits until every window is
    // open; Started() tells whether it came that far.
    explicit TitleWindows(const std::vector<std::string>& titles);
    ~TitleWindows();
    TitleWindows(const TitleWindows&) = delete;
    TitleWindows& operator=(const TitleWindows&) = delete;

    bool Started() const { return m_started; }
    HWND Window(const std::string& title) const;
    // How many WM_CLOSE the window has received so far.
    LONG_PTR CloseCount(HWND window) const { return GetWindowLongPtrA(window, GWLP_USERDATA); }
    // Waits until the window has received at least count WM_CLOSE, for at most timeoutMs,
    // taking the calling thread's messages meanwhile (a window-event hook needs them).
    bool WaitForCloseCount(HWND window, LONG_PTR count, DWORD timeoutMs) const;

private:
    bool FindAll();

    std::vector<std::string> m_titles;
    std::vector<HWND> m_windows;
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};

// Takes and dispatches the calling thread's messages for about this long.
void PumpMessagesFor(DWORD milliseconds);
