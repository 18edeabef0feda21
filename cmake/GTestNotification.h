#pragma once
// GoogleTest's Notification for the win32 thread model, which has no
// std::mutex or std::condition_variable: a flag that the waiting thread
// polls. GoogleTest uses it only to start the threads of its own thread
// tests; everything else it locks with its own Win32 mutex.
#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : notified_(false) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) Sleep(1);
    }

private:
    std::atomic<bool> notified_;
};

}  // namespace internal
}  // namespace testing
