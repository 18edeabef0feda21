#pragma once
#include "framework/Win32.h"

#include <process.h>

#include <functional>

#include "framework/Handles.h"

// A helper thread of a test: runs `body` on a Win32 thread of its own and
// is joined when the object goes. The programs are built with the win32
// thread model, which has no std::thread or std::mutex.
class TestThread {
public:
    explicit TestThread(std::function<void()> body) : body_(std::move(body)) {
        unsigned id = 0;
        thread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Start, this, 0, &id)));
    }
    ~TestThread() { Join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // Waits for the body to end; later calls return at once.
    void Join() {
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

private:
    static unsigned __stdcall Start(void* param) {
        static_cast<TestThread*>(param)->body_();
        return 0;
    }

    std::function<void()> body_;
    KernelHandle thread_;
};

// A critical section, held by `TestLock::Hold` for one scope.
class TestLock {
public:
    TestLock() { InitializeCriticalSection(&section_); }
    ~TestLock() { DeleteCriticalSection(&section_); }
    TestLock(const TestLock&) = delete;
    TestLock& operator=(const TestLock&) = delete;

    class Hold {
    public:
        explicit Hold(TestLock& lock) : lock_(lock) { EnterCriticalSection(&lock_.section_); }
        ~Hold() { LeaveCriticalSection(&lock_.section_); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        TestLock& lock_;
    };

private:
    CRITICAL_SECTION section_;
};
