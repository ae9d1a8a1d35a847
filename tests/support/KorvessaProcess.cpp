// Starting Korvessa.exe through the shell and talking to its main window from outside.
#include "tests/support/KorvessaProcess.h"

#include <commctrl.h>
#include <shellapi.h>

#include "tests/support/Waiting.h"

namespace {

constexpr int kOsLineId = 1002;
constexpr int kProgressId = 1000;
constexpr int kDeviceListId = 1001;

// The one Korvessa main window on the desktop: the tests run one program at a time.
BOOL CALLBACK MatchMainWindow(HWND window, LPARAM parameter)
{
    if (!IsWindowVisible(window) || !GetDlgItem(window, kOsLineId) ||
        KorvessaProcess::TextOf(window).compare(0, 8, "Korvessa") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

}  // namespace

KorvessaProcess::KorvessaProcess(const std::string& programPath, const std::string& arguments)
{
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.lpVerb = "open";
    start.lpFile = programPath.c_str();
    start.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&start) || !start.hProcess)
        return;
    m_process = start.hProcess;

    WaitUntil(
        [this] {
            if (WaitForSingleObject(m_process, 0) != WAIT_TIMEOUT)
                return true;  // ended without a window
            HWND found = NULL;
            EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&found));
            // The dialog's initialisation has run once the operating-system line shows more
            // than its template text.
            if (found && TextOf(GetDlgItem(found, kOsLineId)) != "N/A")
                m_mainWindow = found;
            return m_mainWindow != NULL;
        },
        20000);
}

KorvessaProcess::~KorvessaProcess()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

std::string KorvessaProcess::TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

int KorvessaProcess::ProgressPosition() const
{
    return static_cast<int>(SendMessageA(GetDlgItem(m_mainWindow, kProgressId), PBM_GETPOS, 0, 0));
}

int KorvessaProcess::DeviceRows() const
{
    return static_cast<int>(SendMessageA(GetDlgItem(m_mainWindow, kDeviceListId), LVM_GETITEMCOUNT, 0, 0));
}

void KorvessaProcess::Click(int id) const
{
    PostMessageA(GetDlgItem(m_mainWindow, id), BM_CLICK, 0, 0);
}

void KorvessaProcess::PressKey(int id, WPARAM key) const
{
    const HWND control = GetDlgItem(m_mainWindow, id);
    const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(key), 0);
    PostMessageA(control, WM_KEYDOWN, key, 1 | (scanCode << 16));
    PostMessageA(control, WM_KEYUP, key, 1 | (scanCode << 16) | 0xC0000000);
}

bool KorvessaProcess::WaitForControlText(int id, const std::string& text, DWORD timeoutMs) const
{
    return WaitUntil([&] { return ControlText(id) == text; }, timeoutMs);
}

bool KorvessaProcess::Responds() const
{
    DWORD_PTR result = 0;
    return IsWindow(m_mainWindow) &&
           SendMessageTimeoutA(m_mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool KorvessaProcess::WaitForExit(DWORD timeoutMs) const
{
    return WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}
