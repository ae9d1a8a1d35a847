// The test side of the helper's windows.
#include "tests/support/TitleWindows.h"

#include <cstdlib>

#include "tests/support/Waiting.h"

namespace {

std::string QuotedTitles(const std::vector<std::string>& titles, const std::vector<std::string>& controlTitles)
{
    std::string arguments = "windows";
    for (const std::string& title : titles)
        arguments += " \"" + title + "\"";
    if (!controlTitles.empty())
        arguments += " --controls";
    for (const std::string& title : controlTitles)
        arguments += " \"" + title + "\"";
    return arguments;
}

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    char title[260] = {};
    GetWindowTextA(window, title, sizeof title);
    if (*search.title != title)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A top-level window of the helper with the title, or else a control in one.
BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId)
        return TRUE;
    if (MatchControl(window, parameter))
        EnumChildWindows(window, MatchControl, parameter);
    return search.found == NULL;
}

}  // namespace

std::string UiTestHelperPath()
{
    return BesideThisProgram("ui_test_helper.exe");
}

TitleWindows::TitleWindows(const std::vector<std::string>& titles, const std::vector<std::string>& controlTitles)
    : m_program(UiTestHelperPath(), QuotedTitles(titles, controlTitles)), m_titles(titles)
{
    m_titles.insert(m_titles.end(), controlTitles.begin(), controlTitles.end());
    if (!m_program.Started() || m_program.ReadLine() != "ready")
        return;
    for (const std::string& title : m_titles) {
        WindowSearch search = {m_program.ProcessId(), &title, NULL};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        m_windows.push_back(search.found);
    }
    m_started = true;
}

std::vector<std::string> TitleWindows::EndAndListClosed(const std::string& openTitle)
{
    std::vector<std::string> closed;
    PostMessageA(Window(openTitle), WM_APP, 0, 0);
    const std::string report = m_program.ReadLine();  // "closed 1 0"
    if (report.compare(0, 6, "closed") != 0)
        return closed;
    size_t at = 6;
    while (at < report.size()) {
        const size_t index = std::strtoul(report.c_str() + at, nullptr, 10);
        if (index < m_titles.size())
            closed.push_back(m_titles[index]);
        at = report.find(' ', at + 1);
    }
    return closed;
}

HWND TitleWindows::Window(const std::string& title) const
{
    for (size_t i = 0; i < m_windows.size(); ++i) {
        if (m_titles[i] == title)
            return m_windows[i];
    }
    return NULL;
}

bool TitleWindows::WaitForClose(HWND window, DWORD timeoutMs)
{
    return WaitUntil([window] { return Closed(window); }, timeoutMs);
}
