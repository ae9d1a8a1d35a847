// Ends the running adb.exe processes, so that the next adb command starts a server that
// uses the newly installed driver.
#pragma once

// Ends, with exit code 1, every process whose image name is adb.exe in any case. A process
// that cannot be opened for ending is left running; nothing is reported.
void KillAdbProcesses();
