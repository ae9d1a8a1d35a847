// The process runner: a pipe whose write end the child inherits, a hidden child held
// suspended until its id is recorded, a bounded wait.
#include "install/ProcessRunner.h"

#include <algorithm>
#include <cstring>

namespace {

// CreateProcessA may write to its command line, so it gets a buffer of this size.
constexpr int kCommandLineChars = 255;
// What the caller gets back at most; the rest of a long output is read and dropped.
constexpr DWORD kAnswerBytes = 4095;
// How long the wait sleeps between looks at an empty pipe.
constexpr DWORD kPollMs = 20;

// Collects the first bytes the child prints. Reading keeps the pipe from filling up, which
// would stall a child that prints much until the time limit ends it.
class Answer {
public:
    // Reads what the pipe holds now without blocking; true if anything came.
    bool ReadAvailable(HANDLE readEnd)
    {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            return false;
        char chunk[4096];
        DWORD got = 0;
        if (!ReadFile(readEnd, chunk, std::min<DWORD>(available, sizeof chunk), &got, nullptr) ||
            got == 0)
            return false;
        const DWORD kept = std::min(got, kAnswerBytes - m_length);
        std::memcpy(m_bytes + m_length, chunk, kept);
        m_length += kept;
        return true;
    }

    // Takes what an ended child left in the pipe, up to the answer's size.
    void ReadRest(HANDLE readEnd)
    {
        while (m_length < kAnswerBytes && ReadAvailable(readEnd))
            continue;
    }

    CString Text() const { return CString(m_bytes, static_cast<int>(m_length)); }

private:
    char m_bytes[kAnswerBytes] = {};
    DWORD m_length = 0;
};

// Drains the pipe while waiting; TRUE when the child ended within timeoutMs. Any outcome of
// the wait other than a time-out counts as the child having ended.
bool WaitDraining(HANDLE process, HANDLE readEnd, DWORD timeoutMs, Answer& answer)
{
    const DWORD started = GetTickCount();
    for (;;) {
        const bool readSome = answer.ReadAvailable(readEnd);
        const DWORD elapsed = GetTickCount() - started;
        const DWORD left = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
        if (WaitForSingleObject(process, readSome ? 0 : std::min(left, kPollMs)) != WAIT_TIMEOUT)
            return true;
        if (left == 0)
            return false;
    }
}

}  // namespace

BOOL RunProcessCaptureOutput(ChildProcessRecord& childProcess, CString& output, CString commandLine,
                             DWORD timeoutMs, ChildStartingHook childStarting)
{
    if (commandLine.GetLength() >= kCommandLineChars)
        return FALSE;

    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return FALSE;
    // The child gets the write end only: a read end in the child could take its answer away.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    char command[kCommandLineChars];
    lstrcpynA(command, commandLine, kCommandLineChars);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    // A C runtime's spawn leaves its table of inherited descriptors here; passed on, it
    // would take the child's C runtime output away from the pipe.
    startup.lpReserved2 = nullptr;
    startup.cbReserved2 = 0;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;

    // Suspended, and recorded in the same step: a teardown that ends the recorded child and
    // then this process finds the child before it has run, or comes first, and then no child
    // starts at all.
    PROCESS_INFORMATION child = {};
    const bool started = childProcess.RecordStarted([&]() -> DWORD {
        return CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED,
                              nullptr, nullptr, &startup, &child)
                   ? child.dwProcessId
                   : 0;
    }) != 0;
    // Only the child's copy of the write end stays open, so its end shows as the pipe's end.
    CloseHandle(writeEnd);

    BOOL ended = FALSE;
    if (started) {
        if (childStarting)
            childStarting();
        ResumeThread(child.hThread);
        Answer answer;
        ended = WaitDraining(child.hProcess, readEnd, timeoutMs, answer);
        if (ended) {
            answer.ReadRest(readEnd);
            output = answer.Text();
        } else {
            // Through the handle CreateProcessA gave, which may end the child whoever may
            // open it.
            TerminateProcess(child.hProcess, 1);
        }
        // Once the handle is closed the id may pass to another program, which a teardown
        // reading the id would then end.
        childProcess.Clear();
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    CloseHandle(readEnd);
    return ended;
}
