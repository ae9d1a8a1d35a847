// What the window tests share: a shell recorder (RecordingShell.h), the window classes of template 102, and
// the other processes they start and read.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/RecordingShell.h"

// The list view and progress bar classes, as the application's start-up registers them.
void RegisterCommonControls();

// Handles this thread's messages for about milliseconds.
void PumpMessages(DWORD milliseconds);

// A program started with its standard output on a pipe that the test reads.
class StartedProgram {
public:
    // program: a path; arguments are appended after a blank.
    StartedProgram(const std::string& program, const std::string& arguments);
    ~StartedProgram();

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HANDLE Process() const { return m_process.hProcess; }
    // One line of its output without the line end; empty at the end of the output.
    std::string ReadLine();
    // Its exit code once it ended within milliseconds, else STILL_ACTIVE.
    DWORD WaitForExit(DWORD milliseconds);

private:
    PROCESS_INFORMATION m_process = {};
    HANDLE m_output = nullptr;
};

// The test helper program next to this test program.
std::string HelperPath();

// The full path of a file in the system folder, where the programs the windows start lie.
std::string InSystemFolder(const char* fileName);
