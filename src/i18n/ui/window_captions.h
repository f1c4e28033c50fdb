// The one caption sink of the program's windows: the core's language rules
// (i18n/language_switch.h) write every text of every window through it. A
// row of the caption tables names a control by window and objectName; the
// sink writes it by the control's kind, the same for the main window and the
// dialogs, and converts a window to Traditional by the same kinds.
#pragma once

#include <functional>
#include <string>

#include "i18n/captions.h"
#include "i18n/language.h"
#include "i18n/language_switch.h"

class QWidget;

namespace kv3 {

class WindowCaptions final : public CaptionSink {
 public:
  // windowOf gives the widget of a window, or nullptr while it has not been
  // made (its texts are then skipped: it writes its own when it is made).
  // relabelGrid relabels the channel grid's cells (SetGrid1Text).
  explicit WindowCaptions(std::function<QWidget*(Window)> windowOf,
                          std::function<void()> relabelGrid = {});

  // Writes a text: a window's title; a menu's title or a menu item's, a
  // label's, a button's, a check box's or a frame's caption; an entry of a
  // list; column `index` of a grid's header row; the tip of toolbar button
  // `index` (1-based, the separator counted).
  void SetText(const CaptionTarget& target, const std::string& text) override;
  // Converts every caption, list entry and header of the window's controls,
  // its menus and its toolbar's own tip; not its title, not text boxes, not
  // the toolbar buttons' tips, and nothing of the windows it owns.
  void ConvertWindowToTraditional(Window window) override;
  void SetGrid1Text() override;

 private:
  std::function<QWidget*(Window)> windowOf_;
  std::function<void()> relabelGrid_;
};

// One window's captions in a language (ApplyWindowCaptions of the core),
// written into that widget.
void ApplyWindowCaptions(QWidget* widget, Window window, Language lang, bool startup = true);

// After a language switch: the window's lists measure their entries again
// (a list measures them once and keeps that size), and its layout takes the
// sizes of the new texts.
void RemeasureTexts(QWidget* window);

}  // namespace kv3
