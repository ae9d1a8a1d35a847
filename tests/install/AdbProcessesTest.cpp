// Ending adb.exe for real: copies of the sleeping helper under adb's name and names like it.
#include "install/AdbProcesses.h"

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
