// Switching the language of all windows: SetCaptions and the three commands
// of the language menu, over an interface the window layer implements.
#pragma once

#include <string>

#include "i18n/captions.h"
#include "i18n/language.h"

namespace kv3 {

// The window layer: where texts go.
class CaptionSink {
 public:
  virtual ~CaptionSink() = default;
  // Replaces one text in place (a list keeps its length and selection).
  virtual void SetText(const CaptionTarget& target, const std::string& text) = 0;
  // ConvertFormToTraditional(window): every text of the window's controls
  // replaced by its Traditional form, by the rules of ConversionOfType
  // (including texts outside the tables; not the window's title, not the
  // toolbar buttons' tips).
  virtual void ConvertWindowToTraditional(Window window) = 0;
  // SetGrid1Text: relabel the channel grid's cells in the current language.
  virtual void SetGrid1Text() = 0;
};

// SetCaptions: writes the table of LanguageIndex 0 or 1 into every window in
// kWindowOrder; for any other value it writes nothing.
void SetCaptions(Language languageIndex, CaptionSink& sink);

// The language menu: mnuChineseJ ("简体中文"), mnuEnglish ("英文"),
// mnuChineseF ("繁体中文"). Each does nothing when the language is already
// the one chosen. Switching from Traditional back rewrites only what the
// tables hold: other texts keep their converted form.
void MenuChineseSimplified(Language& languageIndex, CaptionSink& sink);
void MenuEnglish(Language& languageIndex, CaptionSink& sink);
void MenuChineseTraditional(Language& languageIndex, CaptionSink& sink);

// Start-up: writes the captions of the language read by
// ReadLanguageSetting; Traditional is written as Simplified, then converted,
// with the about box's title and version line in Traditional.
void ApplyStartupCaptions(Language languageIndex, CaptionSink& sink);

// One window's captions, by the same rules: its rows of the table of
// LanguageIndex 0 or 1; for Traditional the Simplified rows, then the
// window converted, and for the about box the version line of the
// Traditional edition (and, at start-up, its title). A window made after
// start-up, or told a language of its own, writes its captions here.
void ApplyWindowCaptions(Window window, Language languageIndex, CaptionSink& sink, bool startup);

}  // namespace kv3
