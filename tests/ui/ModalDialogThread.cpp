// A dialog's modal run on a thread of its own, for the window tests.
#include "tests/ui/ModalDialogThread.h"

#include "tests/support/Waiting.h"

ModalDialogThread::ModalDialogThread(std::function<INT_PTR()> run) : m_run(std::move(run))
{
    m_thread = CreateThread(NULL, 0, Run, this, 0, &m_threadId);
}

ModalDialogThread::~ModalDialogThread()
{
    if (!m_thread)
        return;
    if (!WaitForEnd(0) && m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    WaitForEnd(20000);
    CloseHandle(m_thread);
}

DWORD WINAPI ModalDialogThread::Run(LPVOID self)
{
    ModalDialogThread& thread = *static_cast<ModalDialogThread*>(self);
    thread.m_result = thread.m_run();
    return 0;
}

namespace {

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window) || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND ModalDialogThread::WaitForWindow(DWORD timeoutMs)
{
    WaitUntil(
        [this] {
            if (!m_window)
                EnumThreadWindows(m_threadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&m_window));
            return m_window != NULL || Ended();
        },
        timeoutMs);
    return m_window;
}

bool ModalDialogThread::WaitForEnd(DWORD timeoutMs)
{
    return m_thread && WaitUntil([this] { return Ended(); }, timeoutMs);
}

HWND FocusOfThread(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : NULL;
}
