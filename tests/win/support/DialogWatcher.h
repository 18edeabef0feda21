#pragma once
#include "framework/Win32.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "tests/win/support/TestThread.h"

// Watches this process for dialog boxes (class #32770) from a thread of its
// own, records each one's caption and static texts, and answers it with
// `answer` (IDOK by default). Lets a test run code that shows modal message
// boxes and then check what they said. With `caption`, only dialogs of that
// caption are watched, so a test's own dialog is left alone.
class DialogWatcher {
public:
    struct Seen {
        std::string caption;
        std::string text;  // the static texts joined by '\n'
    };

    explicit DialogWatcher(int answer = IDOK, std::string caption = std::string())
        : answer_(answer), caption_(std::move(caption)), thread_([this] { Watch(); }) {}
    ~DialogWatcher() {
        stop_ = true;
        thread_.Join();
    }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<Seen> seen() {
        TestLock::Hold hold(lock_);
        return seen_;
    }

private:
    static std::string TextOf(HWND wnd) {
        char text[2048] = {};
        GetWindowTextA(wnd, text, sizeof text);
        return text;
    }

    // The caption without sending the window a message, so a window of a
    // thread that is waiting for this one cannot hold it up.
    static std::string CaptionOf(HWND wnd) {
        wchar_t wide[512] = {};
        const int length = InternalGetWindowText(wnd, wide, 512);
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
        return text;
    }

    static BOOL CALLBACK CollectDialog(HWND wnd, LPARAM param) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        char cls[64] = {};
        GetClassNameA(wnd, cls, sizeof cls);
        if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && std::string(cls) == "#32770") {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
        }
        return TRUE;
    }

    static BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof cls);
        const std::string text = TextOf(child);
        if (_stricmp(cls, "Static") == 0 && !text.empty()) {
            auto* out = reinterpret_cast<std::string*>(param);
            if (!out->empty()) *out += '\n';
            *out += text;
        }
        return TRUE;
    }

    void Watch() {
        while (!stop_) {
            std::vector<HWND> dialogs;
            EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
            for (HWND dialog : dialogs) {
                if (std::find(answered_.begin(), answered_.end(), dialog) != answered_.end()) continue;
                if (!caption_.empty() && CaptionOf(dialog) != caption_) continue;
                Seen one{TextOf(dialog), {}};
                EnumChildWindows(dialog, &CollectStaticText, reinterpret_cast<LPARAM>(&one.text));
                {
                    TestLock::Hold hold(lock_);
                    seen_.push_back(one);
                }
                answered_.push_back(dialog);
                PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(answer_), 0);
            }
            Sleep(30);
        }
    }

    int answer_;
    std::string caption_;
    std::atomic<bool> stop_{false};
    TestLock lock_;
    std::vector<Seen> seen_;
    std::vector<HWND> answered_;
    TestThread thread_;
};
