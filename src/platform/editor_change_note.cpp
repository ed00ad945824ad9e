#include "platform/editor_change_note.h"

namespace quillet {
namespace {

// One GUI thread notes and takes.
bool& Noted() {
    static bool noted = false;
    return noted;
}

EditorChangeListener& Listener() {
    static EditorChangeListener listener = nullptr;
    return listener;
}

}  // namespace

void NoteEditorChanged() {
    Noted() = true;
    if (EditorChangeListener listener = Listener()) listener();
}

void SetEditorChangeListener(EditorChangeListener listener) { Listener() = listener; }

bool TakeEditorChangedNote() {
    const bool noted = Noted();
    Noted() = false;
    return noted;
}

}  // namespace quillet
