// Answers every message box of this program that comes up while it lives, so
// that a command expected to show none can never wait for an answer forever.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "support/win_test_support.h"

namespace quillet::test {

class MessageBoxWatch {
public:
    MessageBoxWatch()
        : thread_([this] {
              for (; !stop_; ::Sleep(20)) ::EnumWindows(Answer, reinterpret_cast<LPARAM>(this));
          }) {}
    ~MessageBoxWatch() { Finish(); }
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    // "caption: message" of the first box (closed with OK), "" for none.
    std::string Finish() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    static BOOL CALLBACK Answer(HWND window, LPARAM self) {
        auto* watch = reinterpret_cast<MessageBoxWatch*>(self);
        char className[16] = {};
        ::GetClassNameA(window, className, sizeof className);
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process != ::GetCurrentProcessId() || std::string(className) != "#32770" ||
            !::IsWindowVisible(window) || !::GetDlgItem(window, 0xFFFF)) {
            return TRUE;
        }
        ::Sleep(50);  // let it finish its own start-up
        if (watch->seen_.empty()) watch->seen_ = WindowText(window) + ": " + MessageBoxText(window);
        PressButton(window, IDOK);
        return FALSE;
    }

    std::atomic<bool> stop_{false};
    std::string seen_;
    std::thread thread_;
};

}  // namespace quillet::test
