#include "interchange/channel_clipboard.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "editor/frequency_entry.h"
#include "i18n/edit_texts.h"
#include "i18n/paste_reasons.h"
#include "interchange/channel_csv.h"
#include "interchange/csv_table.h"

namespace kv3 {

const std::vector<std::string>& ClipboardColumns() {
  static const std::vector<std::string> columns = [] {
    std::vector<std::string> c = kCsvColumns;
    c.push_back("Forbid");
    return c;
  }();
  return columns;
}

namespace {

std::string Lower(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == ' ' || c == '\t') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

bool Blank(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

// The Forbid column: "Off" (or blank) and "On", in the spellings a
// spreadsheet user may type.
std::optional<int8_t> ForbidValue(std::string_view text) {
  std::string v = Lower(text);
  if (v.empty() || v == "off" || v == "no" || v == "0" || v == "false") return int8_t{0};
  if (v == "on" || v == "yes" || v == "1" || v == "true") return int8_t{1};
  return std::nullopt;
}

std::string TwoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

}  // namespace

ChannelCopy CopyChannels(const EditorState& state, std::span<const int> rows) {
  ChannelCopy copy;
  copy.tsv = CsvLine(ClipboardColumns(), '\t');
  copy.csv = CsvLine(ClipboardColumns());
  for (int row : rows) {
    if (row < 1 || row > kChannelCount) continue;
    const Channel& ch = state.grid.channels[static_cast<size_t>(row - 1)];
    std::vector<std::string> fields;
    if (ch.empty()) {
      fields.assign(ClipboardColumns().size(), "");
      fields[0] = std::to_string(row);
    } else if (auto exported = ChannelCsvFields(ch, row)) {
      fields = std::move(*exported);
      fields.push_back(ch.forbid == 1 ? "On" : "Off");
    } else {
      copy.leftOut.push_back(row);
      continue;
    }
    copy.tsv += CsvLine(fields, '\t');
    copy.csv += CsvLine(fields);
  }
  return copy;
}

PasteResult PasteChannels(std::string_view text, EditorState& state, int firstRow) {
  PasteResult result;
  auto refuseAll = [&](int line, std::string reason) {
    result.refusals.push_back({line, 0, "", "", std::move(reason)});
    return result;
  };
  if (firstRow < 1 || firstRow > kChannelCount) return refuseAll(0, "no channel is selected");

  // A tab in the first line makes it the text of a spreadsheet.
  std::string_view firstLine = text.substr(0, text.find('\n'));
  const char separator = firstLine.find('\t') != std::string_view::npos ? '\t' : ',';
  CsvParseResult table = ParseCsv(text, separator);
  if (!table.ok()) return refuseAll(table.errorLine, table.error);
  if (table.records.empty()) return refuseAll(0, "the text holds no channels");

  // A header line names Location or Frequency; without one the columns are
  // those of a copy, in order.
  const auto& first = table.records.front().fields;
  const bool hasHeader = std::any_of(first.begin(), first.end(), [](const std::string& f) {
    return Lower(f) == "frequency" || Lower(f) == "location";
  });
  CsvRecord header = hasHeader ? table.records.front() : CsvRecord{0, ClipboardColumns()};
  std::vector<CsvRecord> data(table.records.begin() + (hasHeader ? 1 : 0), table.records.end());
  if (data.empty()) return refuseAll(0, "the text holds no channels");
  result.channels = static_cast<int>(data.size());

  int forbidColumn = -1, locationColumn = -1;
  for (size_t k = 0; k < header.fields.size(); ++k) {
    if (Lower(header.fields[k]) == "forbid") forbidColumn = static_cast<int>(k);
    if (Lower(header.fields[k]) == "location") locationColumn = static_cast<int>(k);
  }
  auto field = [](const CsvRecord& r, int k) {
    return k >= 0 && k < static_cast<int>(r.fields.size()) ? r.fields[static_cast<size_t>(k)]
                                                           : std::string();
  };

  // The rows that fit, and which of them are empty channels; the others go
  // through the channel list import (channels 1, 2, ... of a scratch state
  // whose channels are the ones they land on, so that what the import keeps
  // of a channel it replaces is kept of the right one).
  EditorState scratch = state;
  CsvParseResult channels;
  channels.records.push_back(header);
  std::vector<int> target(data.size(), 0);  // channel 1..16, 0 when it does not fit
  std::vector<bool> emptyRow(data.size(), false);
  std::vector<std::optional<int8_t>> forbid(data.size());
  for (size_t k = 0; k < data.size(); ++k) {
    const CsvRecord& r = data[k];
    const int channel = firstRow + static_cast<int>(k);
    if (channel > kChannelCount) {
      result.refusals.push_back({r.line, 0, "", "",
                                 "the row does not fit: channel 16 is the last one, and the text "
                                 "has " +
                                     std::to_string(data.size()) + " rows"});
      continue;
    }
    target[k] = channel;
    bool empty = true;
    for (size_t f = 0; f < r.fields.size(); ++f)
      if (static_cast<int>(f) != locationColumn && !Blank(r.fields[f])) empty = false;
    emptyRow[k] = empty;
    if (empty) continue;
    if (forbidColumn >= 0) {
      forbid[k] = ForbidValue(field(r, forbidColumn));
      if (!forbid[k])
        result.refusals.push_back({r.line, channel,
                                   header.fields[static_cast<size_t>(forbidColumn)],
                                   field(r, forbidColumn), "not Off or On"});
    }
    scratch.grid.channels[channels.records.size() - 1] =
        state.grid.channels[static_cast<size_t>(channel - 1)];
    channels.records.push_back(r);
  }

  CsvImportReport report;
  if (channels.records.size() > 1) {
    report = ImportChannelsTable(channels, scratch, /*skipBad=*/false, /*renumber=*/true);
    if (!report.fatal.empty())
      result.refusals.push_back({report.fatalLine, 0, "", "", report.fatal});
    for (const CsvProblem& p : report.problems) {
      int channel = 0;
      for (size_t k = 0; k < data.size(); ++k)
        if (data[k].line == p.line) channel = target[k];
      result.refusals.push_back({p.line, channel, p.columnName, p.value, p.reason});
    }
    for (const std::string& c : report.ignoredColumns)
      if (Lower(c) != "forbid") result.ignoredColumns.push_back(c);
  }
  std::stable_sort(result.refusals.begin(), result.refusals.end(),
                   [](const PasteRefusal& a, const PasteRefusal& b) { return a.row < b.row; });
  if (!result.refusals.empty()) return result;

  const EditorState before = state;
  size_t next = 0;  // the import's channel of the next row that is not empty
  for (size_t k = 0; k < data.size(); ++k) {
    const int row = target[k];
    if (emptyRow[k]) {
      ClearNO(state.grid, row);
      continue;
    }
    state.grid.channels[static_cast<size_t>(row - 1)] = scratch.grid.channels[next];
    state.grid.ChannelChoice[static_cast<size_t>(row - 1)] = scratch.grid.ChannelChoice[next];
    if (forbid[k]) {
      state.grid.channels[static_cast<size_t>(row - 1)].forbid = *forbid[k];
      state.grid.ChannelChoice[static_cast<size_t>(row - 1)][4] = *forbid[k];
    }
    ++next;
  }
  result.changed = !(before == state);
  return result;
}

std::string PasteRefusalLine(const PasteRefusal& refusal, Language lang) {
  std::string line;
  if (refusal.row > 0) line = Localize(kPasteRow, lang) + " " + std::to_string(refusal.row);
  if (refusal.channel > 0)
    line += (line.empty() ? "" : ", ") + Localize(kProblemChannel, lang) + " " +
            TwoDigits(refusal.channel);
  if (!refusal.column.empty()) line += (line.empty() ? "" : ", ") + refusal.column;
  if (!refusal.value.empty()) line += ": " + refusal.value;
  return line + (line.empty() ? "" : ": ") + PasteReasonText(refusal.reason, lang);
}

}  // namespace kv3
