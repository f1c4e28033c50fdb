// The help file and the maker's web address.
#pragma once

#include <QString>
#include <QUrl>

#include "i18n/language.h"

class QWidget;

namespace kv3 {

// The maker's web address, opened by the maker captions of the main window
// and of the about box.
inline constexpr char kMakerAddress[] = "https://kv3-radio.example/";

// Opens the maker's web address with the system's handler.
bool OpenMakerSite();

// The manual: help/index.html in the program's folder; when the program
// runs from a build tree, the manual of the source tree. Empty when neither
// exists.
QString HelpFilePath();

// Opens the manual with the system's viewer; a missing manual gives a
// message (owned by owner, in lang) instead.
bool OpenHelp(QWidget* owner, Language lang = Language::Simplified);

}  // namespace kv3
