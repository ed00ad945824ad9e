// The Find/Replace window opened for real on a started main window: the
// command runs its loop on the test's thread while a second thread drives
// the window as a user would and answers its message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/event_loop_win.h"
#include "document_fixture.h"
#include "editing/find_replace_rules.h"
#include "editing/find_replace_win.h"
#include "editing/find_replace_window_win.h"
#include "platform/message_loop_win.h"

namespace quillet {

namespace id = find_replace_id;

class FindReplaceDriver {
public:
    FindReplaceDriver(HWND window, HWND main) : window_(window), main_(main) {}

    HWND Window() const { return window_; }
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    bool Open() const { return ::IsWindow(window_) != FALSE; }
    void SetText(int id, const std::string& text) const {
        ::SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // Clicks the button (BM_CLICK), answers the message boxes that come in
    // turn (IDYES, IDNO, IDCANCEL, IDOK) and returns their texts once the
    // click has been handled. Each box must find the main window and this
    // one disabled; an unexpected box is closed and reported.
    std::vector<std::string> Press(int id, const std::vector<int>& answers = {}) const {
        std::vector<std::string> texts;
        std::atomic<bool> handled{false};
        std::thread answerer([&] {
            for (int answer : answers) {
                HWND box = nullptr;
                while (!box && !handled) box = test::WaitForMessageBox(kFindReplaceCaption, 50);
                if (!box) return;
                ::Sleep(20);
                texts.push_back(test::MessageBoxText(box));
                EXPECT_FALSE(::IsWindowEnabled(main_) || ::IsWindowEnabled(window_));
                test::PressButton(box, answer);
                while (::IsWindow(box)) ::Sleep(5);
            }
        });
        DWORD_PTR ignored = 0;
        handled = ::SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
        while (HWND box = handled ? nullptr : test::WaitForMessageBox(kFindReplaceCaption, 500)) {
            ADD_FAILURE() << "unexpected: " << test::MessageBoxText(box);
            test::PressButton(box, IDCANCEL);
            while (::IsWindow(box)) ::Sleep(5);
        }
        handled = true;
        answerer.join();
        return texts;
    }

    // The keyboard focus of the window's thread.
    HWND Focus() const { return test::FocusOf(window_); }

private:
    HWND window_;
    HWND main_;
};

class FindReplaceTest : public DocumentTest {
protected:
    // Opens the window on this thread and runs script against it on a second
    // one once the window's own loop runs; closes the window afterwards if
    // the script left it open.
    void RunFindReplace(const std::function<void(FindReplaceDriver&)>& script) {
        ::ResetEvent(LoopStarted());
        SetBeforeDispatch([](const MSG& message) {
            if (message.message == kLoopStartedMessage && !message.hwnd) ::SetEvent(LoopStarted());
        });
        ::PostThreadMessageA(::GetCurrentThreadId(), kLoopStartedMessage, 0, 0);
        std::atomic<bool> done{false};
        std::thread driver([&] {
            HWND window = ::WaitForSingleObject(LoopStarted(), 5000) == WAIT_OBJECT_0
                              ? ::FindWindowA(kFindReplaceClass, kFindReplaceCaption)
                              : nullptr;
            if (window) {
                FindReplaceDriver d(window, Main());
                script(d);
            } else {
                ADD_FAILURE() << "the Find/Replace window did not open";
            }
            if (HWND open = ::FindWindowA(kFindReplaceClass, nullptr)) ::PostMessageA(open, WM_CLOSE, 0, 0);
            done = true;
        });
        OnFindReplace(Context());
        // The script may still ask the editor; answer it, leaving posted messages (WM_QUIT) queued.
        for (MSG sent; !done; ::Sleep(5)) ::PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        driver.join();
        InstallStatusBarRefresh();
    }

    void SetDocument(const std::string& text, long start, long end) const {
        ClearEditor(Editor());
        Type(text);
        SetSelection(Editor(), start, end);
    }

private:
    static constexpr UINT kLoopStartedMessage = WM_APP + 9;
    static HANDLE LoopStarted() {
        static HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        return event;
    }
};

}  // namespace quillet
