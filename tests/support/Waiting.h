// Waiting in a test until a condition holds, with the calling thread's messages handled
// meanwhile: windows of the thread, a window-event hook, and other threads that send to its
// windows need them.
#pragma once

#include <windows.h>

#include <functional>

// Waits until condition() holds, handling this thread's messages; FALSE after timeoutMs.
// condition() is asked again at each message and at least every few milliseconds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
