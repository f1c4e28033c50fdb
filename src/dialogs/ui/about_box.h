// The about box frmAbout: title, version, release, the maker's line (a link
// to the maker's web address) and two images.
#pragma once

#include <QWidget>

#include "editor/editor_state.h"
#include "i18n/language.h"

class QLabel;

namespace kv3 {

class frmAbout : public QWidget {
  Q_OBJECT

 public:
  frmAbout(EditorState& state, const Language& language, QWidget* parent = nullptr);

  // Traditional Chinese also sets the version line of the Traditional
  // edition; at start-up (startup true) the title of that edition as well.
  void SetCaptions(Language lang, bool startup = false);
  // Nothing of the about box depends on the codeplug.
  void LoadFromState() {}

 signals:
  // The maker's line was clicked (its address has been handed to the system).
  void makerLinkActivated();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* lblDescription_;
};

}  // namespace kv3
