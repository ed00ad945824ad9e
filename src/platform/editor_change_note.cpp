#include "platform/editor_change_note.h"

namespace quillet {
namespace {

// One GUI thread notes and takes.
bool& Noted() {
    static bool noted = false;
    return noted;
}

}  // namespace

void NoteEditorChanged() { Noted() = true; }

bool TakeEditorChangedNote() {
    const bool noted = Noted();
    Noted() = false;
    return noted;
}

}  // namespace quillet
