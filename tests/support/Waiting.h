// Waiting in a test while the calling thread's messages are handled: for a while, or until a
// condition holds. Windows of the thread, a window-event hook, and other threads that send
// to its windows need those messages.
#pragma once

#include <windows.h>

#include <functional>

// Handles this thread's messages for about milliseconds.
void PumpMessages(DWORD milliseconds);

// Waits until condition() holds, handling this thread's messages; FALSE after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
