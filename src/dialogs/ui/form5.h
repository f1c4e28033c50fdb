// The optional functions dialog: VOX, PTT ID, duplicate and scan settings,
// and the hidden click sequence that unlocks power tuning.
#pragma once

#include <QWidget>
#include <functional>

#include "dialogs/maintenance_unlock.h"
#include "dialogs/optional_functions.h"
#include "editor/editor_state.h"
#include "i18n/language.h"
#include "i18n/message_box.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kv3 {

class Form5 : public QWidget {
  Q_OBJECT

 public:
  // Its messages (the priority lists, a refused delay) go to messages.
  Form5(EditorState& state, const Language& language, MessagePresenter& messages,
        QWidget* parent = nullptr);

  void SetCaptions(Language lang);
  // The controls show the shared values again (after a decode), as they
  // are: the priority lists' checks, which ask the user, run only on a
  // choice of the user's.
  void LoadFromState();

  // What the controls show, as values.
  OptionalFunctionsControls Controls() const;

  // The state of the hidden click sequence and of the re-lock key.
  UnlockState& Unlock() { return unlock_; }
  // The time of day the clicks are measured with (tests set their own).
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
  // A click on the toolbar key "TAnMa"; true when it re-locked (tuningLocked
  // has then been emitted).
  bool TAnMaClicked();

  int FixedPriorityChannel() const { return FixedPriorityChannel_; }

 signals:
  // The hidden sequence unlocked power tuning: show the "TAnMa" key and
  // enable the power sliders. TuningUnlocked is already 1.
  void tuningUnlocked();
  // The "TAnMa" double click locked it again: hide the key, disable the
  // sliders. TuningUnlocked is already 0.
  void tuningLocked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Select(QComboBox* combo, int position);
  void PriorityModeSelected(int mode);
  void PriorityChannelSelected(int position);
  void ApplyPriority(const PriorityOutcome& outcome);
  void SyncSpinner(QLineEdit* box, QScrollBar* spinner);
  void Store();

  EditorState& state_;
  const Language& language_;
  MessagePresenter& messages_;
  UnlockState unlock_;
  std::function<double()> clock_;
  int FixedPriorityChannel_ = 0;

  QComboBox* Combo4_;
  QComboBox* Combo6_;
  QComboBox* Combo7_;
  QComboBox* Combo8_;
  QComboBox* Combo9_;
  QComboBox* Combo10_;
  QComboBox* Combo11_;
  QComboBox* Combo12_;
  QComboBox* Combo13_;
  QComboBox* Combo14_;
  QComboBox* Combo15_;
  QCheckBox* Check3_;
  QCheckBox* Check4_;
  QLineEdit* Text5_;
  QLineEdit* Text6_;
  QScrollBar* VScroll1_;
  QScrollBar* VScroll2_;
  QLabel* unlockCaptions_[3];
};

}  // namespace kv3
