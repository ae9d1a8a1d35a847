// Programs the tests start and the places they lie: the test program's own folder, the system
// folder, scratch folders for copies; started with their handles given to the caller, or with
// their output on a pipe that the test reads; the processes running now.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/CString.h"

// Lets test messages show CString values as text.
inline std::ostream& operator<<(std::ostream& out, const CString& text)
{
    return out << static_cast<LPCSTR>(text);
}

// The full path of a file in the test program's folder, where the build puts the helper
// programs beside it.
std::string BesideThisProgram(const char* fileName);

// The full path of a file in the system folder, where the programs the windows start lie.
std::string InSystemFolder(const char* fileName);

// A snapshot of the processes running now; empty when none can be taken.
std::vector<PROCESSENTRY32> RunningProcesses();

// A folder of its own below the temporary folder, with everything put in it removed again.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const CString& Path() const { return m_path; }
    // Creates a folder below this one (relative path) and returns its full path.
    CString AddFolder(const char* relativePath);
    // Copies a file to the relative path and returns the copy's full path.
    CString AddCopy(const CString& source, const char* relativePath);

private:
    CString m_path;
    std::vector<CString> m_files;
    std::vector<CString> m_folders;
};

// Starts a program by its full path, whatever its extension, with the default access list
// or the one of security; the caller closes the handles.
PROCESS_INFORMATION StartProgram(const CString& path, const char* arguments,
                                 PSECURITY_DESCRIPTOR security = nullptr);

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
