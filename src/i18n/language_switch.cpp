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

}  // namespace

void SetCaptions(Language languageIndex, CaptionSink& sink) {
  if (languageIndex != Language::Simplified && languageIndex != Language::English) return;
  bool english = languageIndex == Language::English;
  for (const CaptionRow& row : CaptionTable()) {
    if (english && !row.hasEnglish) continue;
    sink.SetText(row.target, english ? row.en : row.zh);
  }
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

}  // namespace kv3
