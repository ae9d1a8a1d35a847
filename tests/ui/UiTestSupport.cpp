// The window tests' shared support.
#include "tests/ui/UiTestSupport.h"

#include <commctrl.h>

#include <cstring>

void RegisterCommonControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
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

std::string HelperPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = 0;
    return std::string(path) + "\\ui_test_helper.exe";
}

std::string InSystemFolder(const char* fileName)
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + fileName;
}
