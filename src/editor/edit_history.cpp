#include "editor/edit_history.h"

namespace kv3 {

namespace {

// The parts of a state that are the window's, not the codeplug's, taken
// from `session` into `state`.
void KeepSession(const EditorState& session, EditorState& state) {
  state.grid.EditRow = session.grid.EditRow;
  state.grid.EditCol = session.grid.EditCol;
  state.grid.GridEditRequested = session.grid.GridEditRequested;
  state.shared.TuningUnlocked = session.shared.TuningUnlocked;
}

}  // namespace

bool SameCodeplug(const EditorState& a, const EditorState& b) {
  EditorState copy = b;
  KeepSession(a, copy);
  return a == copy;
}

EditHistory::EditHistory(const EditorState& initial) {
  Reset(initial);
}

void EditHistory::Reset(const EditorState& state) {
  steps_.clear();
  steps_.push_back({EditStep::New, state});
  current_ = 0;
  clean_ = state;
}

bool EditHistory::Record(EditStep step, const EditorState& after) {
  if (SameCodeplug(steps_[current_].state, after)) return false;
  steps_.resize(current_ + 1);
  steps_.push_back({step, after});
  current_ = steps_.size() - 1;
  return true;
}

std::optional<EditStep> EditHistory::UndoStep() const {
  if (!CanUndo()) return std::nullopt;
  return steps_[current_].step;
}

std::optional<EditStep> EditHistory::RedoStep() const {
  if (!CanRedo()) return std::nullopt;
  return steps_[current_ + 1].step;
}

void EditHistory::Restore(const EditorState& from, EditorState& into) const {
  EditorState restored = from;
  KeepSession(into, restored);
  into = std::move(restored);
}

bool EditHistory::Undo(EditorState& state) {
  if (!CanUndo()) return false;
  --current_;
  Restore(steps_[current_].state, state);
  return true;
}

bool EditHistory::Redo(EditorState& state) {
  if (!CanRedo()) return false;
  ++current_;
  Restore(steps_[current_].state, state);
  return true;
}

void EditHistory::MarkClean(const EditorState& state) {
  clean_ = state;
}

bool EditHistory::IsClean(const EditorState& state) const {
  return SameCodeplug(clean_, state);
}

}  // namespace kv3
