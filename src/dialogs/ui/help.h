// The help file and the maker's web address.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "dialogs/help_topics.h"
#include "i18n/language.h"
#include "i18n/message_box.h"

class QWidget;

namespace kv3 {

// The maker's web address, opened by the maker captions of the main window
// and of the about box.
inline constexpr char kMakerAddress[] = "https://kv3-radio.example/";

// Opens the maker's web address with the system's handler.
bool OpenMakerSite();

// The manual's page of a topic in a language: help/<language>/<page> in the
// program's folder, else in share/kv3/help beside it, else in the build tree
// or the source tree this was built from; where a manual has no such page,
// its language chooser help/index.html. Empty when there is no manual.
QString HelpFilePath(Language lang = Language::Simplified, HelpTopic topic = HelpTopic::Contents);

// Opens the page with the system's viewer; a missing manual, or a system
// without a program that opens it, gives a message (to messages, in lang)
// instead.
bool OpenHelp(MessagePresenter& messages, Language lang = Language::Simplified,
              HelpTopic topic = HelpTopic::Contents);

// F1 pressed while `window` is the active window calls `open`.
void AddHelpKey(QWidget* window, std::function<void()> open);

}  // namespace kv3
