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

#include "document_fixture.h"
#include "editing/find_replace_rules.h"
#include "editing/find_replace_win.h"
#include "editing/find_replace_window_win.h"

namespace quillet {

namespace id = find_replace_id;

// What the message boxes after one press showed.
struct PressResult {
    std::vector<std::string> messages;  // their texts, in turn
    bool othersDisabled = true;         // the main and Find/Replace windows, while each was up
};

class FindReplaceDriver {
public:
    FindReplaceDriver(HWND window, HWND main) : window_(window), main_(main) {}

    HWND Window() const { return window_; }
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    bool Open() const { return ::IsWindow(window_) != FALSE; }

    void SetText(int id, const std::string& text) const {
        ::SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Tick(int id) const { ::SendMessageA(Control(id), BM_SETCHECK, BST_CHECKED, 0); }
    bool Checked(int id) const { return ::SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Clicks the button (BM_CLICK) and answers the message boxes that come,
    // in turn, with the given buttons (IDYES, IDNO, IDCANCEL, IDOK). Returns
    // once the click has been handled.
    PressResult Press(int id, std::vector<int> answers = {}) const {
        PressResult result;
        std::atomic<bool> handled{false};
        std::thread answerer([&] {
            for (int answer : answers) {
                HWND box = nullptr;
                while (!box && !handled) box = test::WaitForMessageBox(kFindReplaceCaption, 50);
                if (!box) return;
                ::Sleep(20);
                result.messages.push_back(test::MessageBoxText(box));
                result.othersDisabled = result.othersDisabled && !::IsWindowEnabled(main_) &&
                                        !::IsWindowEnabled(window_);
                test::PressButton(box, answer);
                while (::IsWindow(box)) ::Sleep(5);
            }
        });
        DWORD_PTR ignored = 0;
        handled = ::SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
        if (!handled) {  // a message box nobody expected: note it and close it
            while (HWND box = test::WaitForMessageBox(kFindReplaceCaption, 500)) {
                result.messages.push_back("unexpected: " + test::MessageBoxText(box));
                test::PressButton(box, IDCANCEL);
                while (::IsWindow(box)) ::Sleep(5);
            }
            handled = true;
        }
        answerer.join();
        return result;
    }

    // Waits until the window's thread has the keyboard focus on control.
    bool WaitForFocus(HWND control) const {
        for (int i = 0; i < 100 && Focus() != control; ++i) ::Sleep(20);
        return Focus() == control;
    }

    // The keyboard focus of the window's thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_, nullptr), &info);
        return info.hwndFocus;
    }

private:
    HWND window_;
    HWND main_;
};

class FindReplaceTest : public DocumentTest {
protected:
    // Opens the window on this thread and runs script against it on a second
    // one, once the window's loop has started; closes the window afterwards
    // if the script left it open.
    void RunFindReplace(const std::function<void(FindReplaceDriver&)>& script) {
        LoopStarted started;
        std::thread driver([&] {
            HWND window = started.Wait() ? ::FindWindowA(kFindReplaceClass, kFindReplaceCaption) : nullptr;
            if (!window) {
                ADD_FAILURE() << "the Find/Replace window did not open";
                return;
            }
            FindReplaceDriver d(window, Main());
            script(d);
            if (d.Open()) ::PostMessageA(window, WM_CLOSE, 0, 0);
        });
        OnFindReplace(Context());
        driver.join();
    }

    void SetText(const std::string& text, long start, long end) const {
        Type(text);
        SetSelection(Editor(), start, end);
    }

    Selection Selected() const { return GetSelection(Editor()); }

private:
    // A message posted before the command runs, so that the first loop to
    // take it is the window's own: then the window is fully open.
    class LoopStarted {
    public:
        LoopStarted() {
            WNDCLASSA signalClass{};
            signalClass.lpfnWndProc = Signal;
            signalClass.hInstance = ::GetModuleHandleA(nullptr);
            signalClass.lpszClassName = "QuilletTestSignal";
            ::RegisterClassA(&signalClass);
            window_ = ::CreateWindowExA(0, "QuilletTestSignal", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        signalClass.hInstance, nullptr);
            ::PostMessageA(window_, WM_APP, 0, reinterpret_cast<LPARAM>(event_));
        }
        ~LoopStarted() {
            ::DestroyWindow(window_);
            ::CloseHandle(event_);
        }
        LoopStarted(const LoopStarted&) = delete;
        LoopStarted& operator=(const LoopStarted&) = delete;
        bool Wait() const { return ::WaitForSingleObject(event_, 5000) == WAIT_OBJECT_0; }

    private:
        static LRESULT CALLBACK Signal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message != WM_APP) return ::DefWindowProcA(window, message, wParam, lParam);
            ::SetEvent(reinterpret_cast<HANDLE>(lParam));
            return 0;
        }
        HANDLE event_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HWND window_ = nullptr;
    };
};

}  // namespace quillet
