// Steps most end-to-end tests share: answering a dialog of the program, and
// the usual end, where the program ends by itself in time with exit code 0.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "e2e/quillet_process.h"
#include "support/win_test_support.h"

namespace quillet::e2e {

// Waits for the program's dialog with this caption and presses a button.
inline void AnswerDialog(const QuilletProcess& program, const std::string& caption, int button) {
    HWND dialog = program.WaitForDialog(caption, 10000);
    ASSERT_NE(nullptr, dialog) << "no dialog " << caption;
    test::PressButton(dialog, button);
}

inline void ExpectEndsWithCode0(QuilletProcess& program) {
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(15000, exitCode));
    EXPECT_EQ(0u, exitCode);
}

}  // namespace quillet::e2e
