// A note that the editor's lines may have moved without a change the status
// bar can see (an edit, or a change of word wrap or font), left by whoever
// made the change and taken by the status bar's next refresh. Portable.
#pragma once

namespace quillet {

void NoteEditorChanged();

// True once after each note (any number of notes in between count as one).
bool TakeEditorChangedNote();

// Called at every note as it is made, for whoever must hear of each edit at
// once (the recovery copy's schedule); nullptr for nobody.
using EditorChangeListener = void (*)();
void SetEditorChangeListener(EditorChangeListener listener);

}  // namespace quillet
