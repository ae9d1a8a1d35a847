// The places of the programs the tests start, scratch folders, and the two ways of starting.
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

#include <cstring>

std::string BesideThisProgram(const char* fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = 0;
    return std::string(path) + "\\" + fileName;
}

std::string InSystemFolder(const char* fileName)
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + fileName;
}

std::vector<PROCESSENTRY32> RunningProcesses()
{
    std::vector<PROCESSENTRY32> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes.push_back(entry);
    CloseHandle(snapshot);
    return processes;
}

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_path.Format("%skorvessa-test-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    EXPECT_TRUE(CreateDirectoryA(m_path, nullptr)) << m_path;
}

ScratchFolder::~ScratchFolder()
{
    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file)
        EXPECT_TRUE(DeleteFileA(*file)) << *file;
    for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
        EXPECT_TRUE(RemoveDirectoryA(*folder)) << *folder;
    EXPECT_TRUE(RemoveDirectoryA(m_path)) << m_path;
}

CString ScratchFolder::AddFolder(const char* relativePath)
{
    const CString path = m_path + "\\" + relativePath;
    EXPECT_TRUE(CreateDirectoryA(path, nullptr)) << path;
    m_folders.push_back(path);
    return path;
}

CString ScratchFolder::AddCopy(const CString& source, const char* relativePath)
{
    const CString path = m_path + "\\" + relativePath;
    EXPECT_TRUE(CopyFileA(source, path, TRUE)) << source << " to " << path;
    m_files.push_back(path);
    return path;
}

PROCESS_INFORMATION StartProgram(const CString& path, const char* arguments, PSECURITY_DESCRIPTOR security)
{
    CString commandLine;
    commandLine.Format("\"%s\" %s", static_cast<LPCSTR>(path), arguments);
    char command[1024];
    lstrcpynA(command, commandLine, sizeof command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security, FALSE};
    PROCESS_INFORMATION started = {};
    EXPECT_TRUE(CreateProcessA(path, command, &attributes, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started))
        << path << " error " << GetLastError();
    return started;
}

StartedProgram::StartedProgram(const std::string& program, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&m_output, &writeEnd, &inheritable, 0))
        return;
    SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
    std::string command = "\"" + program + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back(0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &m_process))
        m_process = {};
    CloseHandle(writeEnd);
}

StartedProgram::~StartedProgram()
{
    if (m_process.hProcess) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    if (m_output)
        CloseHandle(m_output);
}

std::string StartedProgram::ReadLine()
{
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (ReadFile(m_output, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r')
            line += c;
    }
    return line;
}

DWORD StartedProgram::WaitForExit(DWORD milliseconds)
{
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process.hProcess, &exitCode);
    return exitCode;
}
