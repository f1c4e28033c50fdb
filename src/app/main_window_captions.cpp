// The language menu and the captions of every window: the core's language
// rules (i18n/language_switch.h) write through the one caption sink of the
// windows (i18n/ui/window_captions.h); after a switch every window lays out
// again.
#include "app/backups_window.h"
#include "app/compare_window.h"
#include "app/main_window.h"
#include "app/main_window_edit.h"
#include "app/qt_translations.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form5.h"
#include "dialogs/ui/form6.h"
#include "dialogs/ui/form7.h"
#include "editor/grid_edit.h"
#include "editor/ui/channel_grid_model.h"
#include "i18n/language_switch.h"
#include "i18n/ui/window_captions.h"
#include "link/qt/qt_link.h"
#include "link/ui/form_com.h"

namespace kv3 {

void MainWindow::WriteStartupCaptions() {
  captions_ = std::make_unique<WindowCaptions>([this](Window w) { return WindowWidget(w); },
                                               [this] {
                                                 SetGrid1Text(state_.grid);
                                                 model_->SetLanguage(language_);
                                               });
  // The designed captions of the texts the English table leaves alone (the
  // maker's caption), then every caption of the language.
  for (const CaptionRow& row : CaptionRowsOf(Window::Form1)) {
    if (!row.hasEnglish) captions_->SetText(row.target, row.zh);
  }
  ApplyStartupCaptions(language_, *captions_);
  edit_->Retranslate();
}

void MainWindow::ChooseSimplified() {
  FinishStartup();
  MenuChineseSimplified(language_, *captions_);
  LanguageChanged();
}

void MainWindow::ChooseEnglish() {
  FinishStartup();
  MenuEnglish(language_, *captions_);
  LanguageChanged();
}

void MainWindow::ChooseTraditional() {
  FinishStartup();
  MenuChineseTraditional(language_, *captions_);
  LanguageChanged();
}

void MainWindow::LanguageChanged() {
  session_->SetLanguage(language_);
  model_->SetLanguage(language_);
  formCom_->SetLanguage(language_);
  UseQtTranslations(language_);
  if (backups_) backups_->SetLanguage(language_);
  if (compare_) compare_->SetLanguage(language_);
  // Every window lays out again, as a start in this language lays it out:
  // an open dialog takes the size it takes when shown (a hidden one takes it
  // when it is next shown), the main window the size it has at start-up.
  for (QWidget* window : FeatureWindows()) {
    if (!window) continue;
    RemeasureTexts(window);
    if (window->isVisible()) window->adjustSize();
  }
  edit_->Retranslate();
  RemeasureTexts(this);
  resize(sizeHint());
}

QWidget* MainWindow::WindowWidget(Window window) {
  switch (window) {
    case Window::Form1:
      return this;
    case Window::Form2:
      return form2_.get();
    case Window::Form4:
      return form4_.get();
    case Window::Form5:
      return form5_.get();
    case Window::Form6:
      return form6_.get();
    case Window::Form7:
      return form7_.get();
    case Window::frmAbout:
      return about_;
    case Window::frmBackups:
      return backups_;
    case Window::frmCompare:
      return compare_;
  }
  return nullptr;
}

}  // namespace kv3
