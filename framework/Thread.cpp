// The thread start: created suspended, so that priority and the owner's handle are in place
// before the procedure runs.
#include "Thread.h"

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID thread)
{
    CWinThread* self = static_cast<CWinThread*>(thread);
    UINT result = 0;
    try {
        result = self->m_pfnThreadProc(self->m_pParam);
    } catch (...) {
        // No exception may cross into Windows.
    }
    delete self;
    return result;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs, HANDLE* phOwnedThread)
{
    if (phOwnedThread)
        *phOwnedThread = nullptr;
    CWinThread* thread = new CWinThread(pfnThreadProc, pParam);
    thread->m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, thread,
                                       CREATE_SUSPENDED, &thread->m_nThreadID);
    if (!thread->m_hThread) {
        delete thread;
        return nullptr;
    }
    ::SetThreadPriority(thread->m_hThread, nPriority);
    if (phOwnedThread &&
        !::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), phOwnedThread, 0,
                           FALSE, DUPLICATE_SAME_ACCESS)) {
        *phOwnedThread = nullptr;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(thread->m_hThread);
    return thread;
}
