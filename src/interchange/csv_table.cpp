#include "interchange/csv_table.h"

namespace kv3 {

CsvParseResult ParseCsv(std::string_view text, char separator) {
  CsvParseResult result;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  int line = 1;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    CsvRecord record;
    record.line = line;
    bool endOfRecord = false;
    bool blankLine = true;
    while (!endOfRecord) {
      std::string field;
      if (i < n && text[i] == '"') {
        blankLine = false;
        int quoteLine = line;
        ++i;
        for (;;) {
          if (i >= n) {
            result.error = "a quoted field is not closed";
            result.errorLine = quoteLine;
            return result;
          }
          char c = text[i++];
          if (c == '"') {
            if (i < n && text[i] == '"') {
              field.push_back('"');
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field.push_back(c);
        }
        if (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
          result.error = "text after the closing quote of a field";
          result.errorLine = line;
          return result;
        }
      } else {
        while (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
          // Spreadsheets write a tab-separated field with a quote inside as
          // it is.
          if (text[i] == '"' && separator != '\t') {
            result.error = "a quote inside a field that does not start with one";
            result.errorLine = line;
            return result;
          }
          field.push_back(text[i++]);
        }
        if (!field.empty()) blankLine = false;
      }
      record.fields.push_back(std::move(field));
      if (i >= n) {
        endOfRecord = true;
      } else if (text[i] == separator) {
        blankLine = false;
        ++i;
      } else {
        if (text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
        ++line;
        endOfRecord = true;
      }
    }
    if (!blankLine) result.records.push_back(std::move(record));
  }
  return result;
}

std::string CsvField(std::string_view value, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (value.find_first_of(special) == std::string_view::npos) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string CsvLine(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k) out.push_back(separator);
    out += CsvField(fields[k], separator);
  }
  out += "\r\n";
  return out;
}

}  // namespace kv3
