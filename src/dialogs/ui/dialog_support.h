// Helpers shared by the feature dialogs' windows: captions from the tables,
// the Traditional conversion of a window, the clock of the hidden clicks.
#pragma once

#include <QString>
#include <string>

#include "i18n/captions.h"
#include "i18n/language.h"

class QWidget;

namespace kv3 {

inline QString Qs(const std::string& utf8) {
  return QString::fromStdString(utf8);
}
inline QString Qs(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Writes the caption table of one window in a language. English leaves the
// texts the English table has no row for; Traditional writes the Simplified
// texts and converts the window (its title stays Simplified).
void ApplyCaptionTable(QWidget* form, Window window, Language lang);

// Replaces every text of the window's controls by its Traditional form:
// labels, frames, buttons and check boxes, every list entry, the header row
// of a grid. Text boxes and the window's title are left alone.
void ConvertWidgetsToTraditional(QWidget* form);

// After a language switch: the window's lists measure their entries again
// (a list measures them once and keeps that size), and its layout takes the
// sizes of the new texts.
void RemeasureTexts(QWidget* window);

// The time of day in seconds since midnight, with fractions.
double SecondsSinceMidnight();

}  // namespace kv3
