// The thread start: created suspended, so that priority and the owner's handle are in place
// before the procedure runs.
#include "framework/Thread.h"

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
        if (self->m_pfnThreadProc)
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
        // Without the caller's handle nothing could tell when the procedure ends, and its owner
        // could go first: the thread only deletes its object, and the call reports no start.
        *phOwnedThread = nullptr;
        thread->m_pfnThreadProc = nullptr;
        ::ResumeThread(thread->m_hThread);
        return nullptr;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(thread->m_hThread);
    return thread;
}
