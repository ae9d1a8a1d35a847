// The test side of title_windows.exe.
#include "TitleWindows.h"

#include <cstring>

namespace {

std::string ProgramBesideThisOne(const char* fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    if (char* slash = std::strrchr(path, '\\'))
        slash[1] = '\0';
    return std::string(path) + fileName;
}

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId)
        return TRUE;
    char title[260] = {};
    GetWindowTextA(window, title, sizeof title);
    if (*search.title != title)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

void PumpMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

TitleWindows::TitleWindows(const std::vector<std::string>& titles) : m_titles(titles)
{
    std::string commandLine = "\"" + ProgramBesideThisOne("title_windows.exe") + "\"";
    for (const std::string& title : titles)
        commandLine += " \"" + title + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &m_process))
        return;
    const DWORD start = GetTickCount();
    while (!FindAll()) {
        if (GetTickCount() - start > 10000 || WaitForSingleObject(m_process.hProcess, 20) == WAIT_OBJECT_0)
            return;
    }
    m_started = true;
}

TitleWindows::~TitleWindows()
{
    if (!m_process.hProcess)
        return;
    PostThreadMessageA(m_process.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool TitleWindows::FindAll()
{
    m_windows.clear();
    for (const std::string& title : m_titles) {
        WindowSearch search = {m_process.dwProcessId, &title, NULL};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return false;
        m_windows.push_back(search.found);
    }
    return true;
}

HWND TitleWindows::Window(const std::string& title) const
{
    for (size_t i = 0; i < m_windows.size(); ++i) {
        if (m_titles[i] == title)
            return m_windows[i];
    }
    return NULL;
}

bool TitleWindows::WaitForCloseCount(HWND window, LONG_PTR count, DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (CloseCount(window) < count) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpMessagesFor(10);
    }
    return true;
}
