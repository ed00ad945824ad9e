// Running out of memory in the middle of a command. This program's own
// operator new fails the Nth allocation a command makes on the test's thread,
// for every N until the command runs through. Whatever N, the command ends
// inside the guard every command runs in: the document, the editor's text
// and the files on disk are as they were (no file of ours left behind
// either), the user is told, and the program goes on.
#include "document_fixture.h"

#include <richedit.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>

#include "document/append_to_file_win.h"
#include "document/insert_file_win.h"
#include "document/open_document_win.h"
#include "program/command_guard_win.h"
#include "program/command_ids.h"
#include "support/file_faults.h"
#include "support/message_box_watch.h"

namespace {

std::atomic<DWORD> armedThread{0};  // other threads (the message box watch) allocate freely
std::atomic<long> allocationsLeft{0};
std::atomic<bool> failedOne{false};

}  // namespace

void* operator new(std::size_t size) {
    if (armedThread.load() == ::GetCurrentThreadId() && --allocationsLeft == 0) {
        armedThread = 0;  // one failure: the next allocation, the message's, works
        failedOne = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

// The replacement above takes its memory from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace quillet {
namespace {

// The first editor control made after Refuse() takes no text in, as one out
// of room does: a load fails, and the previous document goes back into the next.
WNDPROC g_control = nullptr;
bool g_refuse = false;
LRESULT CALLBACK RefusingEditor(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != EM_STREAMIN || !std::exchange(g_refuse, false)) {
        return ::CallWindowProcA(g_control, editor, message, wParam, lParam);
    }
    reinterpret_cast<EDITSTREAM*>(lParam)->dwError = 1;
    return 0;
}
void Refuse(HWND editor) {
    g_control = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingEditor)));
}

class OutOfMemoryTest : public DocumentTest {
public:
    using DocumentTest::Context, DocumentTest::Editor, DocumentTest::EditorText, DocumentTest::Title;
    // Everything that must stay as it was, in one text.
    std::string State() const {
        const Selection selection = GetSelection(Editor());
        std::string state = EditorText() + "|" + Title() + "|" + std::to_string(IsModified(Editor())) + "|" +
                            std::to_string(selection.start) + "," + std::to_string(selection.end) + "|" +
                            test::ReadFileBytes(own_) + "|" + test::ReadFileBytes(other_);
        for (const std::string& name : test::FileNames(folder_.Path())) state += "|" + name;
        for (const std::string& name : test::TemporaryCopies(test::SystemTemporaryFolder())) state += "|" + name;
        return state;
    }
    void Drop(const std::string& path) {
        ::SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})), 0);
    }

    // Made before any allocation fails: the test's own must not.
    const std::string own_ = folder_.File("document.txt");
    const std::string other_ = folder_.File("other.txt");
    test::SwappedSystemCalls calls_;
};

struct OutOfMemoryRow {
    const char* name;
    bool edited;  // else unedited (a drop would ask about an edited document first)
    bool refuse;  // the editor takes nothing of the file in
    void (*run)(OutOfMemoryTest&);
    const char* ownMessage;  // the command's own words for a failure, where it has some
    bool changes;            // run through, the command changes the document or a file
};

const OutOfMemoryRow kRows[] = {
    {"Save from the menu", true, false, [](OutOfMemoryTest& t) { DispatchMenuEvent(t.Context(), menu_id::kSave); },
     "", true},
    {"Save from its button", true, false,
     [](OutOfMemoryTest& t) { DispatchButtonEvent(t.Context(), control_id::kButtonSave); }, "", true},
    {"Append To", true, false, [](OutOfMemoryTest& t) { RunGuarded([&] { AppendDocumentTo(t.Context(), t.other_); }); },
     "", true},
    {"Insert", true, false, [](OutOfMemoryTest& t) { RunGuarded([&] { InsertFile(t.Context(), t.other_); }); },
     "Insert: Quillet could not read ", true},
    {"Load of a dropped file", false, false, [](OutOfMemoryTest& t) { t.Drop(t.other_); },
     "Open: Quillet could not read ", true},
    {"Load of a file the editor cannot take: the previous document goes back", false, true,
     [](OutOfMemoryTest& t) { t.Drop(t.other_); }, "Open: Quillet could not read ", false},
};

TEST_F(OutOfMemoryTest, EveryAllocationThatFailsLeavesEverythingAsItWasAndSaysSo) {
    for (const OutOfMemoryRow& row : kRows) {
        SCOPED_TRACE(row.name);
        for (long n = 1;; ++n) {
            ASSERT_LT(n, 2000) << "the command never ran through";
            calls_->editorCreated = nullptr;
            test::WriteFileBytes(own_, "first line\r\nsecond line\r\n");
            test::WriteFileBytes(other_, "other file, long enough to be on the heap\r\n");
            ASSERT_TRUE(LoadDocument(Context(), own_));
            if (row.edited) Type(std::string(400, 'e') + "\r");
            SetSelection(Editor(), 5, 9);
            calls_->editorCreated = Refuse;
            g_refuse = row.refuse;
            const std::string before = State();
            test::MessageBoxWatch watch;
            failedOne = false;
            allocationsLeft = n;
            armedThread = ::GetCurrentThreadId();
            row.run(*this);
            armedThread = 0;
            const std::string message = watch.Finish();
            if (!failedOne) {
                EXPECT_EQ(row.changes, before != State());
                std::printf("%s: %ld allocations, each failed once\n", row.name, n - 1);
                break;
            }
            EXPECT_EQ(before, State()) << "allocation " << n;
            EXPECT_TRUE(message == "Quillet: Not enough memory to complete this command." ||
                        (*row.ownMessage && message.rfind(row.ownMessage, 0) == 0))
                << "allocation " << n << ": " << message;
            if (HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace quillet
