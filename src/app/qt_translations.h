// Qt's own texts (the file dialogs, the standard buttons, the line edits'
// context menu) in the program's language, from Qt's translations (Debian's
// qt6-translations-l10n): zh_CN for Simplified Chinese, zh_TW for
// Traditional Chinese, en for English.
#pragma once

#include <QString>

#include "i18n/language.h"

namespace kv3 {

// The Qt locale name of a language: "zh_CN", "zh_TW" or "en".
QString QtLocaleName(Language lang);

// Replaces the Qt translation in use by the one of lang (Qt then sends every
// widget a LanguageChange event). False when Qt's translation of lang is not
// installed; Qt's texts are then English.
bool UseQtTranslations(Language lang);

}  // namespace kv3
