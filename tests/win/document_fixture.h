// A started main window in a fresh folder, for the document command tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/dispatch_win.h"
#include "app/main_window_win.h"
#include "app/startup_win.h"
#include "document/document_state_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"
#include "support/win_test_support.h"

namespace quillet {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartUp(settings_, "quillet.exe"));
        test::ComeToFront(Main());
        test::PumpMessages();
    }

    void TearDown() override {
        ::DestroyWindow(Main());
        test::PumpMessages();
        MSG quit;
        while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND Main() const { return TheMainWindow().window; }
    HWND Editor() const { return TheMainWindow().editor; }
    CommandContext Context() const { return {Main(), TheMainWindow().editor, settings_}; }

    std::string EditorText() const {
        std::string text;
        SaveEditorText(Editor(), text);
        return text;
    }
    void Type(const std::string& text) const { ReplaceSelection(Editor(), text); }
    std::string Title() const { return test::WindowText(Main()); }
    std::string Setting(const char* key) const {
        return ReadSetting(settings_, section::kLastAccessed, key);
    }
    bool QuitPosted() const {
        MSG quit;
        return ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }

    test::TempFolder folder_;
    const std::string settings_ = folder_.File(kSettingsFileName);
};

}  // namespace quillet
