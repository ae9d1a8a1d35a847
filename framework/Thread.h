// Threads in the manner of AfxBeginThread: a UINT(LPVOID) procedure run through a WINAPI
// entry, with a thread object that deletes itself when the thread ends.
#pragma once

#include <windows.h>

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : m_pfnThreadProc(pfnThreadProc), m_pParam(pParam) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    // Closes m_hThread.
    ~CWinThread();

    // Valid only while the thread runs: the object deletes itself, and closes this handle,
    // when the procedure returns. An owner that must look at the thread later keeps a
    // handle of its own (AfxBeginThread's phOwnedThread below).
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;

    // The procedure and its parameter; no procedure: the thread ends at once.
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pParam;

    // The WINAPI entry of every thread that AfxBeginThread starts.
    static DWORD WINAPI ThreadEntry(LPVOID thread);
};

// Starts pfnThreadProc(pParam) on a new thread. Returns NULL when no thread starts. The
// returned object may be gone as soon as the procedure has returned. Given phOwnedThread,
// *phOwnedThread receives a handle of the thread that is the caller's own: taken before the
// thread can run, valid after the thread object is gone, closed by the caller with
// CloseHandle. When that handle cannot be taken, the procedure does not run and the call
// returns NULL.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr, HANDLE* phOwnedThread = nullptr);
