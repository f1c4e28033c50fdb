// The undo history of the editor: every change to the codeplug is one named
// step holding the whole editor state after it (a state is a few kilobytes,
// so the history has no limit). Undo and redo only hand back states: they
// never touch the radio or a file.
#pragma once

#include <optional>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/edit_texts.h"

namespace kv3 {

// Two states hold the same codeplug: everything but the grid's edit state
// (EditRow, EditCol, GridEditRequested) and TuningUnlocked, which belong to
// the window's session with the user, not to the radio's programming.
bool SameCodeplug(const EditorState& a, const EditorState& b);

class EditHistory {
 public:
  // The history starts at `initial`, which is also the clean state.
  explicit EditHistory(const EditorState& initial);

  // The state after a change the user made. A state with the same codeplug
  // as the current one records nothing (false). Otherwise the step becomes
  // the one Undo takes back, and every step that was undone is dropped.
  bool Record(EditStep step, const EditorState& after);

  // Forgets every step: `state` is where the history starts (and clean).
  void Reset(const EditorState& state);

  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ + 1 < steps_.size(); }
  // The name of the step Undo / Redo would take back / make again.
  std::optional<EditStep> UndoStep() const;
  std::optional<EditStep> RedoStep() const;

  // Puts the codeplug of the state before the last step into `state`
  // (its edit state and TuningUnlocked stay). False when there is nothing
  // to undo; `state` is then unchanged.
  bool Undo(EditorState& state);
  bool Redo(EditorState& state);

  // The state that was last opened, saved or read: the file or the radio
  // holds it. IsClean tells whether `state` holds the same codeplug.
  void MarkClean(const EditorState& state);
  bool IsClean(const EditorState& state) const;

  // Number of states kept (the start and one per step).
  size_t size() const { return steps_.size(); }

 private:
  struct Entry {
    EditStep step;  // what led to this state (unused for the first)
    EditorState state;
  };
  void Restore(const EditorState& from, EditorState& into) const;

  std::vector<Entry> steps_;
  size_t current_ = 0;
  EditorState clean_;
};

}  // namespace kv3
