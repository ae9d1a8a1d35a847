// The thread start: the procedure runs on its own thread through the WINAPI entry, with its
// parameter and priority, and the owner's handle outlives the self-deleting thread object.
#include <gtest/gtest.h>

#include "framework/Thread.h"

namespace {

struct ThreadRecord {
    DWORD threadId = 0;
    int priority = 0;
};

UINT RecordThread(LPVOID parameter)
{
    ThreadRecord& record = *static_cast<ThreadRecord*>(parameter);
    record.threadId = GetCurrentThreadId();
    record.priority = GetThreadPriority(GetCurrentThread());
    return 42;
}

TEST(AfxBeginThread, RunsTheProcedureAndLeavesTheOwnerAHandleThatOutlivesTheThreadObject)
{
    ThreadRecord record;
    HANDLE owned = nullptr;
    CWinThread* thread =
        AfxBeginThread(RecordThread, &record, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED, nullptr, &owned);
    ASSERT_NE(nullptr, thread);
    ASSERT_NE(nullptr, owned);
    EXPECT_NE(thread->m_hThread, owned);
    const DWORD threadId = thread->m_nThreadID;
    const HANDLE objectsHandle = thread->m_hThread;
    EXPECT_EQ(0u, record.threadId);  // suspended as asked
    ResumeThread(thread->m_hThread);  // from here on the object may delete itself

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(owned, 5000));
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeThread(owned, &exitCode));
    EXPECT_EQ(42u, exitCode);
    EXPECT_EQ(threadId, record.threadId);
    EXPECT_NE(GetCurrentThreadId(), record.threadId);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, record.priority);
    // The object deleted itself before the thread ended: its destructor closed its handle.
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(objectsHandle, &flags));
    EXPECT_TRUE(CloseHandle(owned));
}

TEST(AfxBeginThread, StartsAtOnceWithTheDefaults)
{
    ThreadRecord record;
    HANDLE owned = nullptr;
    ASSERT_NE(nullptr, AfxBeginThread(RecordThread, &record, THREAD_PRIORITY_NORMAL, 0, 0, nullptr, &owned));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(owned, 5000));
    EXPECT_EQ(THREAD_PRIORITY_NORMAL, record.priority);
    CloseHandle(owned);
}

}  // namespace
