// The tests' wait for a condition and its message pump.
#include "tests/support/Waiting.h"

namespace {

// How long the wait leaves the condition unasked when no message comes.
constexpr DWORD kPollMs = 5;

// Handles this thread's messages until none is left, then waits for the next one up to
// milliseconds.
void PumpMessages(DWORD milliseconds)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        PumpMessages(kPollMs);
    }
    return true;
}
