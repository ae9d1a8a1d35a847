// Another program the window tests start and read: its standard output on a pipe, its exit
// code; and the window classes of template 102, as the application's start-up registers them.
#pragma once

#include <windows.h>

#include <string>

class StartedProgram {
public:
    // program: a path; arguments are appended after a blank.
    StartedProgram(const std::string& program, const std::string& arguments);
    // Ends a program that still runs.
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // One line of its output without the line end; empty at the end of the output.
    std::string ReadLine();
    // Its exit code once it ended within milliseconds, else STILL_ACTIVE.
    DWORD WaitForExit(DWORD milliseconds);

private:
    PROCESS_INFORMATION m_process = {};
    HANDLE m_output = nullptr;
};

// ui_test_helper.exe, next to this test program.
std::string HelperPath();

// The list view and progress bar classes of template 102.
void RegisterCommonControls();
