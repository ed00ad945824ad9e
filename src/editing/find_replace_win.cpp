#include "editing/find_replace_win.h"

#include <richedit.h>

#include <string>

#include "editing/find_replace_rules.h"
#include "editing/find_replace_window_win.h"
#include "editing/replace_all_win.h"
#include "platform/editor_text_win.h"
#include "platform/message_loop_win.h"
#include "platform/modal_win.h"
#include "platform/window_parts_win.h"

namespace quillet {
namespace {

namespace id = find_replace_id;

static_assert(kSearchDown == FR_DOWN && kSearchWholeWord == FR_WHOLEWORD && kSearchMatchCase == FR_MATCHCASE,
              "the search flags are EM_FINDTEXT's");

// Characters as the editor counts them (a double-byte character is one).
long CharacterCount(const std::string& text) {
    if (text.empty()) return 0;
    const int count = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return count > 0 ? count : static_cast<long>(text.size());
}

// The system's case rules for the ANSI code page, one character against one,
// as the editor's own search compares.
std::string UpperCase(std::string text) {
    if (!text.empty()) ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool IsChecked(HWND box) { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class FindReplaceSession final : public FindReplaceEvents, public FindReplaceTarget, public LoopOwner {
public:
    // editor is the main window's record of its editor, which Replace all
    // and its undo may replace with a fresh control.
    FindReplaceSession(HWND mainWindow, HWND& editor) : mainWindow_(mainWindow), editor_(editor) {}
    ~FindReplaceSession() override { Close(); }
    FindReplaceSession(const FindReplaceSession&) = delete;
    FindReplaceSession& operator=(const FindReplaceSession&) = delete;

    bool Open();
    void RunLoop();

    // FindReplaceEvents
    void OnControl(int id, int code) override;
    void OnCloseBox() override { Close(); }
    void OnDestroyed() override {
        open_ = false;
        // Closed by a sent message, the loop may be waiting for one to take:
        // give it one, so that it sees the window gone.
        ::PostMessageA(nullptr, WM_NULL, 0, 0);
    }

    // FindReplaceTarget
    TextSpan Selection() override {
        const quillet::Selection selection = GetSelection(editor_);
        return {selection.start, selection.end};
    }
    long Find(long from) override { return FindInEditor(editor_, from, find_, flags_); }
    void Select(long start, long end) override { SetSelection(editor_, start, end); }
    bool SelectionIsFindText() override;
    void ReplaceSelection() override { quillet::ReplaceSelection(editor_, replace_); }
    bool TakeSearchFromTop() override;
    Answer AskSearchFromTop() override;
    Answer TellNotFound() override;
    void FocusEditor() override { ::SetFocus(editor_); }
    void ReplaceEveryHit(const ReplaceAllStart& start) override {
        ReplaceAllInEditor(editor_, start, {find_, replace_, flags_, replaceLength_});
    }

    // LoopOwner
    bool KeepsRunning() const override { return open_; }
    // Tab and Shift+Tab walk the controls; the dialog manager's other keys
    // (Enter, Escape) are given no meaning here.
    bool TakesMessage(MSG& message) override {
        return IsTabKey(message) && ::IsDialogMessageA(window_.window, &message);
    }

private:
    void Close();
    void PressButton(Button button);
    bool IsTabKey(const MSG& message) const;

    HWND mainWindow_;
    HWND& editor_;
    FindReplaceWindow window_;
    bool open_ = false;
    bool pressing_ = false;
    // Read at each press.
    std::string find_;
    std::string replace_;
    unsigned flags_ = kSearchDown;
    long findLength_ = 0;
    long replaceLength_ = 0;
};

bool FindReplaceSession::Open() {
    if (!CreateFindReplaceWindow(mainWindow_, *this, window_)) return false;
    open_ = true;
    const quillet::Selection selection = GetSelection(editor_);
    switch (OpeningFor(selection.start, selection.end)) {
    case Opening::FillFind:
        ::SetWindowTextA(window_.findField, TextRange(editor_, selection.start, selection.end).c_str());
        ::SetFocus(window_.replaceField);
        EnableActionButtons(window_, true);
        break;
    case Opening::FocusFind:
        ::SetFocus(window_.findField);
        break;
    case Opening::LeaveAsIs:
        break;
    }
    return true;
}

bool FindReplaceSession::IsTabKey(const MSG& message) const {
    return message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
           (message.hwnd == window_.window || ::IsChild(window_.window, message.hwnd));
}

void FindReplaceSession::RunLoop() {
    // The main window stays usable, but drops its commands meanwhile.
    const ModalScope toolWindow(Modality::KeepOthers);
    RunMessageLoop(*this);
    Close();
}

void FindReplaceSession::Close() {
    if (open_ && window_.window && ::IsWindow(window_.window)) ::DestroyWindow(window_.window);
    open_ = false;
}

void FindReplaceSession::OnControl(int id, int code) {
    switch (id) {
    case id::kFindField:
        UpdateFieldTooltip(window_, window_.findField);
        EnableActionButtons(window_, ::GetWindowTextLengthA(window_.findField) > 0);
        break;
    case id::kReplaceField:
        UpdateFieldTooltip(window_, window_.replaceField);
        break;
    case id::kFindNext:
        if (code == BN_CLICKED) PressButton(Button::FindNext);
        break;
    case id::kReplace:
        if (code == BN_CLICKED) PressButton(Button::Replace);
        break;
    case id::kReplaceAll:
        if (code == BN_CLICKED) PressButton(Button::ReplaceAll);
        break;
    case id::kCancel:
        if (code == BN_CLICKED) Close();
        break;
    default:
        break;
    }
}

void FindReplaceSession::PressButton(Button button) {
    // A press sent while another one waits for an answer is not taken.
    if (pressing_) return;
    pressing_ = true;
    find_ = WindowText(window_.findField);
    replace_ = WindowText(window_.replaceField);
    flags_ = SearchFlags(IsChecked(window_.Control(id::kMatchCase)), IsChecked(window_.Control(id::kWholeWords)));
    findLength_ = CharacterCount(find_);
    replaceLength_ = CharacterCount(replace_);
    const AfterPress after = Press(*this, button, {findLength_, replaceLength_});
    pressing_ = false;
    if (after == AfterPress::Close) Close();
}

bool FindReplaceSession::SelectionIsFindText() {
    const quillet::Selection selection = GetSelection(editor_);
    if (selection.end - selection.start != findLength_) return false;
    const std::string selected = TextRange(editor_, selection.start, selection.end);
    if (flags_ & kSearchMatchCase) return selected == find_;
    return UpperCase(selected) == UpperCase(find_);
}

bool FindReplaceSession::TakeSearchFromTop() {
    HWND box = window_.Control(id::kSearchFromTop);
    if (!IsChecked(box)) return false;
    ::SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    return true;
}

Answer FindReplaceSession::AskSearchFromTop() {
    switch (ShowMessage(NotFoundQuestion(find_), kFindReplaceCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return Answer::Yes;
    case IDCANCEL:
        return Answer::Cancel;
    default:
        return Answer::No;
    }
}

Answer FindReplaceSession::TellNotFound() {
    const int answer = ShowMessage(NotFoundNotice(find_), kFindReplaceCaption, MB_OKCANCEL | MB_ICONINFORMATION);
    return answer == IDCANCEL ? Answer::Cancel : Answer::Ok;
}

}  // namespace

void OnFindReplace(const CommandContext& context) {
    FindReplaceSession session(context.mainWindow, context.editor);
    if (!session.Open()) return;
    session.RunLoop();
}

}  // namespace quillet
