// The clipboard of the channel grid: selected channels as tab-separated text
// (what a spreadsheet takes) and as CSV, in the columns of the channel list
// export; and the reverse, a paste of such text into the grid from a row on.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

// The columns of the clipboard: those of the channel list export, then
// Forbid ("Off" / "On"), which the export's format has no column for.
const std::vector<std::string>& ClipboardColumns();

struct ChannelCopy {
  std::string tsv;  // text/plain: a header line, then one line per row
  std::string csv;  // text/csv: the same as CSV
  // Rows left out because a frequency field holds no decimal number.
  std::vector<int> leftOut;
};

// The channels of `rows` (1..16, in the order given). An empty channel is a
// line with its Location only, so a paste empties the channel it lands on.
ChannelCopy CopyChannels(const EditorState& state, std::span<const int> rows);

// One value a paste refuses.
struct PasteRefusal {
  int row = 0;         // line of the pasted text (1-based); 0: the whole text
  int channel = 0;     // the channel it would have gone to; 0: none
  std::string column;  // the column's name in the text ("Frequency"); empty: the whole row
  std::string value;
  std::string reason;  // in English
};

struct PasteResult {
  bool changed = false;  // false whenever anything was refused
  int channels = 0;      // channels the text holds (written when accepted)
  std::vector<PasteRefusal> refusals;
  std::vector<std::string> ignoredColumns;  // with values the radio cannot hold
};

// Pastes tab-separated or comma-separated text (chosen by its first line)
// into the channels from `firstRow` on, with or without a header line (by
// the column names when there is one, else in the order of
// ClipboardColumns()). Every value goes through the editor's rules for the
// band in force, as a channel list import does; a row whose fields are all
// blank but Location empties its channel. All or nothing: when anything is
// refused, nothing changes.
PasteResult PasteChannels(std::string_view text, EditorState& state, int firstRow);

// "Row 2, channel 05, Frequency: 481.000: outside the band 400-480MHz" in a
// language, for the one message that lists the refusals.
std::string PasteRefusalLine(const PasteRefusal& refusal, Language lang);

}  // namespace kv3
