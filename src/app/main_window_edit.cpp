// The window's undo history: the steps the user's changes to the codeplug
// make, and the clean mark of what a file or the radio holds.
#include "app/main_window.h"

namespace kv3 {

void MainWindow::RecordStep(EditStep step) {
  history_->Record(step, state_);
}

void MainWindow::MarkClean() {
  history_->MarkClean(state_);
}

bool MainWindow::HasUnsavedEdits() const {
  return !history_->IsClean(state_);
}

}  // namespace kv3
