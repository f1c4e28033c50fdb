// Channel lists as CSV, in the column layout that amateur radio programming
// tools share: columns are found by their header names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "interchange/csv_table.h"

namespace kv3 {

// The columns written, in order.
extern const std::vector<std::string> kCsvColumns;

struct CsvExport {
  std::string text;
  // Channels left out because a frequency field holds no decimal number
  // (channel numbers 1..16).
  std::vector<int> leftOut;
};

// One line per channel that is not empty, CRLF line ends.
CsvExport ExportChannelsCsv(const EditorState& state);

// The fields of one channel in the order of kCsvColumns, with `location` as
// its Location; nullopt for an empty channel or one whose frequency field
// holds no decimal number.
std::optional<std::vector<std::string>> ChannelCsvFields(const Channel& channel, int location);

struct CsvProblem {
  int line = 0;    // file line (1-based)
  int column = 0;  // 1-based; 0 when the problem is the whole row
  std::string columnName;
  std::string value;
  std::string reason;
};

struct [[nodiscard]] CsvImportReport {
  bool changed = false;  // the channels were replaced
  std::string fatal;     // a fault of the whole file; nothing was read
  int fatalLine = 0;
  std::vector<CsvProblem> problems;         // every refused value
  std::vector<std::string> ignoredColumns;  // columns with values the radio cannot hold
  int rowsAccepted = 0;
  int rowsRefused = 0;
};

// Replaces the channel list of state with the rows of a CSV text, every
// value checked with the editor's rules for the band in force. Channels
// that the file does not list are emptied. Unless skipBad is set, nothing
// changes when any row is refused; with it, refused rows are left out. With
// renumber the rows are channels 1, 2, ... in file order, whatever their
// Location says (lists of radios that count from 0); the Location column is
// then not needed.
CsvImportReport ImportChannelsCsv(std::string_view text, EditorState& state, bool skipBad,
                                  bool renumber = false);
// The same for a table already read (a parse error is the report's fatal).
CsvImportReport ImportChannelsTable(const CsvParseResult& table, EditorState& state, bool skipBad,
                                    bool renumber = false);

}  // namespace kv3
