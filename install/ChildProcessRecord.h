// ChildProcessRecord: the process id of the child that the process runner started, shared by
// the runner on the worker's thread and the main window's teardown on the user-interface thread.
#pragma once

#include <windows.h>

// The teardown ends the child it finds here and then this process. Its lock makes starting a
// child and recording its id one step, and the teardown keeps the lock once it has looked: so
// it can neither miss a child that has just started nor let another one start.
class ChildProcessRecord {
public:
    ChildProcessRecord() { InitializeCriticalSection(&m_lock); }
    ~ChildProcessRecord() { DeleteCriticalSection(&m_lock); }
    ChildProcessRecord(const ChildProcessRecord&) = delete;
    ChildProcessRecord& operator=(const ChildProcessRecord&) = delete;

    // Calls start, which starts a child and returns its process id (0 when it started none),
    // and records that id, holding the lock throughout. Returns the id.
    template <typename Start>
    DWORD RecordStarted(Start start)
    {
        EnterCriticalSection(&m_lock);
        const DWORD id = start();
        if (id)
            m_id = id;
        LeaveCriticalSection(&m_lock);
        return id;
    }

    // Once the child has ended or been ended, and before its handle is closed.
    void Clear()
    {
        EnterCriticalSection(&m_lock);
        m_id = 0;
        LeaveCriticalSection(&m_lock);
    }

    // The id last recorded; 0 when no child runs.
    DWORD Id()
    {
        EnterCriticalSection(&m_lock);
        const DWORD id = m_id;
        LeaveCriticalSection(&m_lock);
        return id;
    }

    // Takes the lock and never gives it back, and returns the id: for the teardown, which ends
    // this process right after, so that no child can start once it has looked.
    DWORD LockForGood()
    {
        EnterCriticalSection(&m_lock);
        return m_id;
    }

private:
    CRITICAL_SECTION m_lock;
    DWORD m_id = 0;
};
