// The process runner with real children under Wine: what comes back, how long it waits and
// what is left of a child that outlives the time limit.
#include "install/ProcessRunner.h"

#include <gtest/gtest.h>

#include <process.h>

#include "tests/install/HelperProgram.h"
#include "tests/support/TestPrograms.h"
#include "tests/support/Waiting.h"

namespace {

constexpr DWORD kNoChild = 0xDEADBEEF;

// Gives a record an id, as an earlier run would have left it.
void RecordEarlierChild(ChildProcessRecord& childProcess)
{
    childProcess.RecordStarted([] { return kNoChild; });
}

CString HexOf(const std::string& bytes)
{
    CString hex;
    for (unsigned char byte : bytes) {
        CString pair;
        pair.Format("%02x", byte);
        hex += pair;
    }
    return hex;
}

CString HelperCommand(const char* arguments)
{
    CString command;
    command.Format("\"%s\" %s", static_cast<LPCSTR>(HelperPath()), arguments);
    return command;
}

// Runs the runner on a thread of its own and catches the child the moment its id is known,
// so the test can see how the child ended after the runner has let go of it.
struct WatchedRun {
    CString command;
    DWORD timeoutMs;
    ChildProcessRecord childProcess{};
    CString output = "earlier";
    BOOL result = TRUE;
    DWORD seenChildProcessId = 0;  // as Start found it

    static DWORD WINAPI Run(LPVOID parameter)
    {
        auto& run = *static_cast<WatchedRun*>(parameter);
        run.result = RunProcessCaptureOutput(run.childProcess, run.output, run.command, run.timeoutMs);
        return 0;
    }

    // Returns the child's handle, opened while the runner held the child's id; NULL when the
    // id did not show within 10 seconds.
    HANDLE Start(HANDLE& runner)
    {
        runner = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitUntil([&] { return (seenChildProcessId = childProcess.Id()) != 0; }, 10000);
        return seenChildProcessId ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, seenChildProcessId)
                                  : nullptr;
    }
};

// A manual-reset event of a name unique to this process, which a helper in the "await" mode
// waits for.
class NamedEvent {
public:
    explicit NamedEvent(const char* purpose)
    {
        m_name.Format("korvessa-test-%lu-%s", GetCurrentProcessId(), purpose);
        m_event = CreateEventA(nullptr, TRUE, FALSE, m_name);
    }
    ~NamedEvent() { CloseHandle(m_event); }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const CString& Name() const { return m_name; }
    void Set() { SetEvent(m_event); }

private:
    CString m_name;
    HANDLE m_event = nullptr;
};

}  // namespace

TEST(ProcessRunner, HandsBackWhatTheChildPrinted)
{
    const struct {
        const char* name;
        std::string printed;
        const char* expected;
    } rows[] = {
        {"the success word", "success", "success"},
        {"a line end is kept", "success\r\n", "success\r\n"},
        {"text ends at a zero byte", std::string("suc\0cess", 8), "suc"},
        {"a failure word", "failed signature validation", "failed signature validation"},
    };
    for (const auto& row : rows) {
        ChildProcessRecord childProcess;
        RecordEarlierChild(childProcess);
        CString output = "earlier";
        EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("print " + HexOf(row.printed))))
            << row.name;
        EXPECT_STREQ(row.expected, output) << row.name;
        EXPECT_EQ(0u, childProcess.Id()) << row.name << ": the id of an ended child is cleared";
    }
}

TEST(ProcessRunner, StandardErrorGoesIntoTheSamePipe)
{
    ChildProcessRecord childProcess;
    CString output;
    EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("print-stderr " + HexOf("no cat"))));
    EXPECT_STREQ("no cat", output);
}

TEST(ProcessRunner, AChildThatPrintsNothingGivesTheEmptyAnswer)
{
    ChildProcessRecord childProcess;
    CString output = "earlier";
    EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("silent")));
    EXPECT_STREQ("", output);
}

TEST(ProcessRunner, KeepsTheFirst4095BytesOfALongOutputWithoutStalling)
{
    // Far more than a pipe holds: a runner that only read at the end would leave the child
    // blocked in its write until the time limit.
    ChildProcessRecord childProcess;
    CString output;
    const DWORD started = GetTickCount();
    EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("repeat 200000"), 20000));
    EXPECT_LT(GetTickCount() - started, 10000u);
    ASSERT_EQ(4095, output.GetLength());
    for (int i = 0; i < output.GetLength(); ++i)
        ASSERT_EQ('a' + i % 26, static_cast<LPCSTR>(output)[i]) << "byte " << i;
}

TEST(ProcessRunner, EndsAChildThatOutlivesTheLimitWithExitCode1AndClearsItsId)
{
    // The guarded child lets others wait for it and read its exit code, but not end it: the
    // runner ends it through the handle it was given at the start.
    const struct {
        const char* arguments;
        DWORD timeoutMs;
        bool guarded;
    } children[] = {
        {"sleep 60000", 2000, false},
        {"guarded 100400 60000", 5000, true},  // SYNCHRONIZE | PROCESS_QUERY_INFORMATION
    };
    for (const auto& row : children) {
        WatchedRun run{HelperCommand(row.arguments), row.timeoutMs};
        HANDLE runner = nullptr;
        HANDLE child = run.Start(runner);
        ASSERT_NE(nullptr, child) << row.arguments;
        if (row.guarded) {
            // The child guards itself first thing, and only a running child can: once it
            // refuses to be opened for termination, the runner ends a guarded child. The
            // longer limit leaves the start of the child under load room for that.
            const bool guarded = WaitUntil(
                [&] {
                    HANDLE terminable = OpenProcess(PROCESS_TERMINATE, FALSE, run.seenChildProcessId);
                    if (terminable)
                        CloseHandle(terminable);
                    return terminable == nullptr;
                },
                10000);
            ASSERT_TRUE(guarded) << "the child did not guard itself while it ran";
        }
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(runner, 20000)) << row.arguments;
        EXPECT_FALSE(run.result) << row.arguments;
        EXPECT_STREQ("earlier", run.output) << row.arguments;
        EXPECT_EQ(0u, run.childProcess.Id()) << row.arguments;
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child, 5000)) << row.arguments;
        DWORD exitCode = 0;
        EXPECT_TRUE(GetExitCodeProcess(child, &exitCode));
        EXPECT_EQ(1u, exitCode) << row.arguments;
        CloseHandle(child);
        CloseHandle(runner);
    }
}

TEST(ProcessRunner, AChildEndingInTimeIsNotEndedAndItsIdIsCleared)
{
    NamedEvent end("end");
    WatchedRun run{HelperCommand("await " + end.Name()), 60000};
    HANDLE runner = nullptr;
    HANDLE child = run.Start(runner);
    ASSERT_NE(nullptr, child);
    end.Set();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(runner, 30000));
    EXPECT_TRUE(run.result);
    EXPECT_STREQ("", run.output);
    EXPECT_EQ(0u, run.childProcess.Id());
    DWORD exitCode = 1;
    EXPECT_TRUE(GetExitCodeProcess(child, &exitCode));
    EXPECT_EQ(0u, exitCode);
    CloseHandle(child);
    CloseHandle(runner);
}

TEST(ProcessRunner, StartsTheChildHiddenWithOutputAndErrorOnThePipe)
{
    ChildProcessRecord childProcess;
    CString output;
    ASSERT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("startup")));
    // STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW, SW_HIDE
    EXPECT_STREQ("flags 0x101 show 0 output pipe write end error same as output", output);
}

TEST(ProcessRunner, TheChildHoldsNoReadEndOfThePipe)
{
    // The documented pattern for a child's redirected output: a read end in the child could
    // take the child's own answer away from the runner.
    ChildProcessRecord childProcess;
    CString output;
    ASSERT_TRUE(RunProcessCaptureOutput(childProcess, output, HelperCommand("read-ends")));
    EXPECT_STREQ("0", output);
}

TEST(ProcessRunner, AMissingProgramFailsAtOnce)
{
    ScratchFolder folder;
    ChildProcessRecord childProcess;
    RecordEarlierChild(childProcess);
    CString output = "earlier";
    const DWORD started = GetTickCount();
    EXPECT_FALSE(RunProcessCaptureOutput(childProcess, output, "\"" + folder.Path() + "\\KorvessaX64.exe\""));
    EXPECT_LT(GetTickCount() - started, 5000u);
    EXPECT_EQ(kNoChild, childProcess.Id());
    EXPECT_STREQ("earlier", output);
}

TEST(ProcessRunner, RefusesACommandOf255CharactersOrMore)
{
    // The same command at 254 characters runs, so only the length makes the difference.
    const CString prefix = HelperCommand("print ");
    for (const int length : {254, 255, 300}) {
        CString command = prefix;
        if ((length - prefix.GetLength()) % 2)
            command += " ";
        while (command.GetLength() < length)
            command += "41";
        ASSERT_EQ(length, command.GetLength());

        ChildProcessRecord childProcess;
        RecordEarlierChild(childProcess);
        CString output = "earlier";
        const BOOL ran = RunProcessCaptureOutput(childProcess, output, command);
        if (length == 254) {
            EXPECT_TRUE(ran);
            EXPECT_EQ((length - prefix.GetLength()) / 2, output.GetLength());
        } else {
            EXPECT_FALSE(ran) << length;
            EXPECT_EQ(kNoChild, childProcess.Id()) << length;
            EXPECT_STREQ("earlier", output) << length;
        }
    }
}

TEST(ProcessRunner, AQuotedPathWithABlankRunsThatProgram)
{
    // Unquoted, Windows tries the path's first word as a program first: the decoy.
    ScratchFolder folder;
    folder.AddFolder("Korvessa Work");
    const CString program = folder.AddCopy(HelperPath(), "Korvessa Work\\helper.exe");
    const CString decoy = folder.AddCopy(HelperPath(), "Korvessa.exe");

    ChildProcessRecord childProcess;
    CString output;
    EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, "\"" + program + "\" whoami"));
    EXPECT_STREQ(program, output);

    EXPECT_TRUE(RunProcessCaptureOutput(childProcess, output, program + " whoami"));
    EXPECT_STREQ(decoy, output) << "the decoy is not where Windows looks first";
}

TEST(ProcessRunner, AProgramStartedByACRuntimeSpawnStillGetsTheAnswer)
{
    // A spawn hands the new program the C runtime's table of inherited descriptors in its
    // start-up record. Passed on to the runner's child, that table would override the pipe
    // as the child's C runtime output, and the answer would go to the spawning program.
    const intptr_t status = _spawnl(_P_WAIT, HelperPath(), "install_test_helper", "relay", "6f6b", nullptr);
    EXPECT_EQ(0, status) << "1: another answer came back, 2: the run failed";
}
