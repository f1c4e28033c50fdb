#include "i18n/language_switch.h"

#include "i18n/traditional.h"

namespace kv3 {

namespace {

void ConvertAllWindows(CaptionSink& sink) {
  for (Window w : kWindowOrder) sink.ConvertWindowToTraditional(w);
}

CaptionTarget AboutCaption(const char* control) {
  return {Window::frmAbout, control, -1, CaptionKind::Caption, -1};
}

// The rows of the table of LanguageIndex 0 or 1 (of one window, or of all).
void WriteTable(Language languageIndex, CaptionSink& sink, const Window* only) {
  if (languageIndex != Language::Simplified && languageIndex != Language::English) return;
  bool english = languageIndex == Language::English;
  for (const CaptionRow& row : CaptionTable()) {
    if (only && row.target.window != *only) continue;
    if (english && !row.hasEnglish) continue;
    sink.SetText(row.target, english ? row.en : row.zh);
  }
}

}  // namespace

void SetCaptions(Language languageIndex, CaptionSink& sink) {
  WriteTable(languageIndex, sink, nullptr);
}

void MenuChineseSimplified(Language& languageIndex, CaptionSink& sink) {
  if (languageIndex == Language::Simplified) return;
  languageIndex = Language::Simplified;
  SetCaptions(languageIndex, sink);
  sink.SetGrid1Text();
}

void MenuEnglish(Language& languageIndex, CaptionSink& sink) {
  if (languageIndex == Language::English) return;
  languageIndex = Language::English;
  SetCaptions(languageIndex, sink);
  sink.SetGrid1Text();
}

void MenuChineseTraditional(Language& languageIndex, CaptionSink& sink) {
  if (languageIndex == Language::Traditional) return;
  if (languageIndex == Language::English) {
    languageIndex = Language::Simplified;
    SetCaptions(languageIndex, sink);
  }
  languageIndex = Language::Traditional;
  ConvertAllWindows(sink);
  sink.SetText(AboutCaption("lblVersion"), ToTraditional(kTraditionalVersionSource));
  sink.SetGrid1Text();
}

void ApplyStartupCaptions(Language languageIndex, CaptionSink& sink) {
  if (languageIndex != Language::Traditional) {
    SetCaptions(languageIndex, sink);
    return;
  }
  SetCaptions(Language::Simplified, sink);
  ConvertAllWindows(sink);
  sink.SetText(AboutCaption("lblTitle"), ToTraditional(kTraditionalTitleSource));
  sink.SetText(AboutCaption("lblVersion"), ToTraditional(kTraditionalVersionSource));
}

void ApplyWindowCaptions(Window window, Language languageIndex, CaptionSink& sink, bool startup) {
  if (languageIndex != Language::Traditional) {
    WriteTable(languageIndex, sink, &window);
    return;
  }
  WriteTable(Language::Simplified, sink, &window);
  sink.ConvertWindowToTraditional(window);
  if (window != Window::frmAbout) return;
  if (startup) sink.SetText(AboutCaption("lblTitle"), ToTraditional(kTraditionalTitleSource));
  sink.SetText(AboutCaption("lblVersion"), ToTraditional(kTraditionalVersionSource));
}

}  // namespace kv3
