// The test prefix's handlers of web addresses and ".msc" files: open_recorder.exe, so that no
// test opens a real browser or Device Manager, and the log it writes.
#pragma once

#include <string>
#include <vector>

// Registers open_recorder.exe, from the test program's own folder, as the open command of
// http, https and ".msc" files, puts an empty devmgmt.msc where Windows keeps the Device
// Manager console if the prefix has none, and points the recorder (through the environment that the programs the
// test starts inherit) at a fresh, empty log. TRUE when every key was written.
bool RegisterTestHandlers();

// The lines logged so far: the show command, a blank, the address or file.
std::vector<std::string> OpenedTargets();

// Waits up to timeoutMs until at least count lines are logged.
bool WaitForOpenedTargets(size_t count, unsigned timeoutMs);

// Waits up to timeoutMs until no open_recorder.exe runs: every target asked for until now is
// logged.
bool WaitUntilNoRecorderRuns(unsigned timeoutMs);
