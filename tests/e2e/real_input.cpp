#include "e2e/real_input.h"

#include "support/win_test_support.h"

namespace quillet::e2e {

bool BringToFront(HWND window) { return test::ComeToFront(window); }

bool PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs(keys.size() * 2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = keys[i];
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    const auto count = static_cast<UINT>(inputs.size());
    return ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

bool MovePointer(POINT at, HWND window) {
    // Under Wine a position older than 100 ms is read back from the display,
    // so the pointer is checked after that long, twice.
    POINT now{};
    for (int stayed = 0, attempt = 0; attempt < 20; ++attempt) {
        if (stayed == 0) ::SetCursorPos(at.x, at.y);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        ::Sleep(150);
        stayed = ::GetCursorPos(&now) && now.x == at.x && now.y == at.y ? stayed + 1 : 0;
        if (stayed == 2) return true;
    }
    return false;
}

bool RightButton(POINT at, bool down) {
    // The move and the button in one input, so that the button's place is
    // the position the program reads (absolute: 0 to 65535 across the screen).
    const auto scale = [](LONG pixel, int size) {
        return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = scale(at.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = scale(at.y, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags =
        MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    return ::SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace quillet::e2e
