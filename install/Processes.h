// Ending processes: every adb.exe, so that the next adb command starts a server that uses the
// newly installed driver; and the companion, when the window goes away while it still runs.
#pragma once

#include <windows.h>

// Ends, with exit code 1, every process whose image name is adb.exe in any case. A process
// that cannot be opened for ending is left running; nothing is reported.
void KillAdbProcesses();

// Ends, with exit code 1, the process with this id when it is a child of this process. The
// process is opened first, so that the id cannot pass to another program while its parent is
// checked. A process that cannot be opened for ending is left running; nothing is reported.
void EndOwnChildProcess(DWORD processId);
