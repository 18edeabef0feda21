#pragma once
#include "framework/Win32.h"

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "tests/win/support/TestThread.h"

// Drives modal dialogs of this process from a thread of its own, one step
// at a time: wait for an enabled, visible #32770 window with the step's
// caption whose static texts contain the step's text, note whether the
// step's probe control is enabled, type the step's texts into their
// controls, then post the step's command. A step not met within 10 s
// fails the script and cancels whatever dialog is up, so the test ends.
class DialogScript {
public:
    struct Step {
        Step(std::string caption_, std::string containing_,
             std::vector<std::pair<int, std::string>> type_ = {}, int command_ = IDOK, int probe_ = 0)
            : caption(std::move(caption_)), containing(std::move(containing_)), type(std::move(type_)),
              command(command_), probe(probe_) {}
        std::string caption;
        std::string containing;                         // "" matches any text
        std::vector<std::pair<int, std::string>> type;  // control id, text
        int command;
        int probe;  // a control whose enabled state is recorded; 0 none
    };

    explicit DialogScript(std::vector<Step> steps)
        : steps_(std::move(steps)), thread_([this] { Run(); }) {}
    ~DialogScript() { Join(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Waits for the script to end; true when every step was met.
    bool Join() {
        thread_.Join();
        return done_ == steps_.size();
    }
    size_t done() const { return done_; }
    // The probe states, one per step that has a probe.
    const std::vector<bool>& probes() const { return probes_; }

private:
    struct Search {
        const Step* step;
        HWND found;
    };

    static std::string Text(HWND wnd) {
        char text[1024] = {};
        GetWindowTextA(wnd, text, sizeof text);
        return text;
    }
    static BOOL CALLBACK JoinStatics(HWND child, LPARAM param) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) *reinterpret_cast<std::string*>(param) += Text(child) + "\n";
        return TRUE;
    }
    static BOOL CALLBACK Match(HWND wnd, LPARAM param) {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        char cls[32] = {};
        GetClassNameA(wnd, cls, sizeof cls);
        if (pid != GetCurrentProcessId() || std::string(cls) != "#32770" || !IsWindowVisible(wnd) ||
            !IsWindowEnabled(wnd) || Text(wnd) != search->step->caption) {
            return TRUE;
        }
        std::string statics;
        EnumChildWindows(wnd, &JoinStatics, reinterpret_cast<LPARAM>(&statics));
        if (statics.find(search->step->containing) == std::string::npos) return TRUE;
        search->found = wnd;
        return FALSE;
    }
    static BOOL CALLBACK CancelDialogs(HWND wnd, LPARAM) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        char cls[32] = {};
        GetClassNameA(wnd, cls, sizeof cls);
        if (pid == GetCurrentProcessId() && std::string(cls) == "#32770") {
            PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
    }

    void Run() {
        for (const Step& step : steps_) {
            Search search{&step, nullptr};
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (search.found == nullptr && std::chrono::steady_clock::now() < limit) {
                EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
                if (search.found == nullptr) Sleep(20);
            }
            if (search.found == nullptr) {
                for (int i = 0; i < 20; ++i) {
                    EnumWindows(&CancelDialogs, 0);
                    Sleep(100);
                }
                return;
            }
            if (step.probe != 0) probes_.push_back(IsWindowEnabled(GetDlgItem(search.found, step.probe)) != FALSE);
            for (const auto& [id, text] : step.type) SetDlgItemTextA(search.found, id, text.c_str());
            PostMessageA(search.found, WM_COMMAND, static_cast<WPARAM>(step.command), 0);
            ++done_;
            // Let the dialog act on the command before the next step looks.
            Sleep(150);
        }
    }

    std::vector<Step> steps_;
    std::vector<bool> probes_;
    std::atomic<size_t> done_{0};
    TestThread thread_;
};
