// The printed record of a codeplug: one self-contained HTML page (UTF-8, its
// own print style for A4 and Letter) with the file's name, the date and time,
// the channel table as the grid shows it and every setting as the windows
// show it, with the captions of a language. The window prints it and exports
// it as PDF; kv3ctl export writes it as a page any browser prints. Its texts
// and values come from the codeplug's view (codeplug/codeplug_view.h), so
// the record says what kv3ctl show says.
//
// Every value cell carries its key (data-key="channels.3.rxFrequency",
// "functionSettings.squelch") so that a program can read the record back.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

struct RecordHeading {
  std::string file;  // the codeplug file's name; empty: the codeplug was never saved
  std::string time;  // when the record was made, as RecordTime writes it
};

// "2026-12-07 05:15": the time a record shows.
std::string RecordTime(const std::tm& local);

std::string CodeplugRecordHtml(const EditorState& state, Language lang,
                               const RecordHeading& heading);

// A text as HTML character data or attribute value: & < > " ' as references,
// control characters (C0, DEL, C1), which no page shows, as \xNN, and bytes
// that are not UTF-8 as U+FFFD.
std::string HtmlEscape(std::string_view utf8);

}  // namespace kv3
