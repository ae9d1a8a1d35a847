// GoogleTest's one thread-start gate, over a Win32 event. GoogleTest's own needs std::mutex,
// which the Win32-thread-model toolchain lacks; with GTEST_HAS_NOTIFICATION_ it takes this one.
#pragma once

#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
