// Ending processes for real: copies of the sleeping helper under adb's name and names like it,
// and children of the test and of a helper that has ended.
#include "install/Processes.h"

#include <gtest/gtest.h>

#include "tests/install/HelperProgram.h"
#include "tests/install/ProcessAccess.h"
#include "tests/support/TestPrograms.h"

TEST(KillAdbProcesses, EndsAdbExeInAnyCaseAndNothingElse)
{
    ScratchFolder folder;
    const struct {
        const char* folder;
        const char* file;
        bool ended;
        bool terminateOnly;  // as Windows XP grants: the all-access mask of later versions fails
    } copies[] = {
        {"lower", "adb.exe", true, false},
        {"upper", "ADB.EXE", true, false},
        {"mixed", "Adb.exe", true, false},
        {"guarded", "adb.exe", true, true},
        {"server", "adb_server.exe", false, false},
        {"backup", "adb.exe.bak", false, false},
    };
    PSECURITY_DESCRIPTOR terminateOnly = OnlyAccessForEveryone(PROCESS_TERMINATE);
    ASSERT_NE(nullptr, terminateOnly);
    std::vector<PROCESS_INFORMATION> started;
    for (const auto& copy : copies) {
        folder.AddFolder(copy.folder);
        const CString path = folder.AddCopy(HelperPath(), CString(copy.folder) + "\\" + copy.file);
        started.push_back(StartProgram(path, "sleep 60000", copy.terminateOnly ? terminateOnly : nullptr));
    }
    LocalFree(terminateOnly);

    KillAdbProcesses();

    for (size_t i = 0; i < started.size(); ++i) {
        if (copies[i].ended) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started[i].hProcess, 5000)) << copies[i].folder;
            DWORD exitCode = 0;
            EXPECT_TRUE(GetExitCodeProcess(started[i].hProcess, &exitCode));
            EXPECT_EQ(1u, exitCode) << copies[i].folder;
        }
    }
    // The ended ones are gone by now, so the others have had the same time to end.
    for (size_t i = 0; i < started.size(); ++i) {
        if (!copies[i].ended) {
            EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(started[i].hProcess, 0)) << copies[i].file;
        }
        TerminateProcess(started[i].hProcess, 0);
        WaitForSingleObject(started[i].hProcess, 5000);
        CloseHandle(started[i].hProcess);
        CloseHandle(started[i].hThread);
    }
}

// The child lets others only end it, as Windows XP grants. The other process was started by a
// helper of ours that has ended since: it is no child of this process and keeps running.
TEST(EndOwnChildProcess, EndsAChildOfThisProcessAndNoOtherProcess)
{
    PSECURITY_DESCRIPTOR terminateOnly = OnlyAccessForEveryone(PROCESS_TERMINATE);
    ASSERT_NE(nullptr, terminateOnly);
    const PROCESS_INFORMATION child = StartProgram(HelperPath(), "sleep 60000", terminateOnly);
    LocalFree(terminateOnly);
    const PROCESS_INFORMATION starter = StartProgram(HelperPath(), "spawn 60000");
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(starter.hProcess, 10000));
    DWORD otherId = 0;
    ASSERT_TRUE(GetExitCodeProcess(starter.hProcess, &otherId));
    HANDLE other = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, otherId);
    ASSERT_NE(nullptr, other) << otherId;

    EndOwnChildProcess(otherId);
    EndOwnChildProcess(child.dwProcessId);

    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 5000));
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeProcess(child.hProcess, &exitCode));
    EXPECT_EQ(1u, exitCode);
    // The child is gone by now, so the other process has had the same time to end.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(other, 0));

    TerminateProcess(other, 0);
    WaitForSingleObject(other, 5000);
    CloseHandle(other);
    for (const PROCESS_INFORMATION& started : {child, starter}) {
        TerminateProcess(started.hProcess, 0);
        CloseHandle(started.hProcess);
        CloseHandle(started.hThread);
    }
}
