// Korvessa.exe started as a user starts it (the shell's open of the program file) and driven
// from outside, through window messages only.
#pragma once

#include <windows.h>

#include <string>

class KorvessaProcess {
public:
    // Starts the program and waits until its main window is open and has filled its
    // operating-system line; MainWindow() is NULL when that did not happen.
    explicit KorvessaProcess(const std::string& programPath, const std::string& arguments = "");
    // Ends a process that is still running.
    ~KorvessaProcess();
    KorvessaProcess(const KorvessaProcess&) = delete;
    KorvessaProcess& operator=(const KorvessaProcess&) = delete;

    HWND MainWindow() const { return m_mainWindow; }
    HANDLE Process() const { return m_process; }
    std::string Caption() const { return TextOf(m_mainWindow); }
    std::string ControlText(int id) const { return TextOf(GetDlgItem(m_mainWindow, id)); }
    int ProgressPosition() const;
    int DeviceRows() const;

    // Presses a button the way a click does: BM_CLICK posted to the button.
    void Click(int id) const;
    // Posts a key's down and up to a control, as the keyboard would deliver them.
    void PressKey(int id, WPARAM key) const;
    // Waits until the control shows this text; FALSE after timeoutMs.
    bool WaitForControlText(int id, const std::string& text, DWORD timeoutMs) const;
    // A message sent to the main window has been answered: the window is alive and not hung.
    bool Responds() const;
    bool WaitForExit(DWORD timeoutMs) const;

    static std::string TextOf(HWND window);

private:
    HANDLE m_process = NULL;
    HWND m_mainWindow = NULL;
};
