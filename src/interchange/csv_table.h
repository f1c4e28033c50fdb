// Comma-separated tables: quoted fields with doubled quotes, line breaks
// inside quotes, CRLF or LF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv3 {

struct CsvRecord {
  int line = 0;  // the file line on which the record starts (1-based)
  std::vector<std::string> fields;
};

struct [[nodiscard]] CsvParseResult {
  std::vector<CsvRecord> records;  // blank lines are left out
  std::string error;               // empty when the whole text was read
  int errorLine = 0;
  bool ok() const { return error.empty(); }
};

// Reads a whole table. A UTF-8 byte order mark at the start is skipped.
// With the separator '\t' (tab-separated text, as spreadsheets copy it) a
// quote inside a field that does not start with one is part of the field.
CsvParseResult ParseCsv(std::string_view text, char separator = ',');

// One field as written: quoted when it holds the separator, a quote or a
// line break.
std::string CsvField(std::string_view value, char separator = ',');
// A record with CRLF at its end.
std::string CsvLine(const std::vector<std::string>& fields, char separator = ',');

}  // namespace kv3
