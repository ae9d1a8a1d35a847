// Runs a command line as a hidden child whose standard output and standard error go into a
// pipe, and hands back what it printed.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "install/ChildProcessRecord.h"

// The companion program is given this long to install before it is ended.
constexpr DWORD kChildTimeLimitMs = 150000;

// Called on the runner's thread once the child exists, suspended, with its id recorded, just
// before it is let run: the moment at which a test closes the window.
using ChildStartingHook = void (*)();

// Starts commandLine exactly as given (no quotes or arguments added), records the child's
// process id in childProcess and waits at most timeoutMs for it to end. The id is cleared
// once the child has ended or been ended, before the runner lets go of the child; a call that
// starts no child leaves the record alone. Returns TRUE when it ended in time, with the first
// 4095 bytes it printed (up to a zero byte) in output. Returns FALSE, leaving output alone,
// when the command is 255 characters or longer, the pipe or the process cannot be created,
// or the time ran out; a child still running then is ended with exit code 1.
BOOL RunProcessCaptureOutput(ChildProcessRecord& childProcess, CString& output, CString commandLine,
                             DWORD timeoutMs = kChildTimeLimitMs, ChildStartingHook childStarting = nullptr);
