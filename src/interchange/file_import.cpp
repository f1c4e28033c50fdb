#include "interchange/file_import.h"

#include <cctype>

#include "i18n/paste_reasons.h"
#include "interchange/channel_csv.h"
#include "interchange/codeplug_json.h"
#include "platform/atomic_file.h"

namespace kv3 {

namespace {

// The pieces of a problem's line.
constexpr Text2 kLineWord{"第 %1 行", "Line %1"};
constexpr Text2 kColumnWord{"，第 %1 列", ", column %1"};
constexpr Text2 kQuoted{"（%1 “%2”）", " (%1 \"%2\")"};
constexpr Text2 kReasonColon{"：", ": "};
constexpr Text2 kMoreLines{"……另有 %1 处", "… and %1 more"};

std::string Fill(std::string text, const std::string& one, const std::string& two = {}) {
  if (size_t at = text.find("%1"); at != text.npos) text.replace(at, 2, one);
  if (size_t at = text.find("%2"); at != text.npos) text.replace(at, 2, two);
  return text;
}

}  // namespace

InterchangeFormat InterchangeFormatOf(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == path.npos || (slash != path.npos && dot < slash)) return InterchangeFormat::Unknown;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "csv") return InterchangeFormat::Csv;
  if (ext == "json") return InterchangeFormat::Json;
  return InterchangeFormat::Unknown;
}

FileImport ImportInterchangeFile(const std::string& path, EditorState& state, bool skipBad) {
  FileImport result;
  result.format = InterchangeFormatOf(path);
  if (result.format == InterchangeFormat::Unknown) {
    result.failure = "the file must end in .csv or .json";
    return result;
  }
  std::string text;
  const FileIoResult read = ReadFileBounded(path, kMaxInterchangeSize + 1, text);
  if (!read.ok()) {
    result.failure = read.detail;
    return result;
  }
  if (text.size() > kMaxInterchangeSize) {
    result.failure = "larger than 4 MB, not a codeplug or channel list";
    return result;
  }

  if (result.format == InterchangeFormat::Json) {
    EditorState copy = state;
    const JsonImportReport report = CodeplugFromJson(text, copy);
    if (report.unreadable) {
      result.failure = report.problems.empty() ? "not a codeplug" : report.problems.front();
      return result;
    }
    for (const std::string& p : report.problems) result.problems.push_back({0, 0, {}, {}, p});
    if (!report.ok()) return result;
    state = std::move(copy);
    result.changed = true;
    return result;
  }

  EditorState copy = state;
  const CsvImportReport report = ImportChannelsCsv(text, copy, skipBad);
  result.rowsAccepted = report.rowsAccepted;
  result.rowsRefused = report.rowsRefused;
  for (const CsvProblem& p : report.problems)
    result.problems.push_back({p.line, p.column, p.columnName, p.value, p.reason});
  // Every row refused: the refusals say why, as kv3ctl's do.
  if (!report.fatal.empty() && report.rowsRefused > 0) return result;
  if (!report.fatal.empty()) {
    result.failure = report.fatalLine > 0 ? Fill(kLineWord.en, std::to_string(report.fatalLine)) +
                                                ": " + report.fatal
                                          : report.fatal;
    return result;
  }
  if (report.changed) {
    state = std::move(copy);
    result.changed = true;
  }
  return result;
}

std::string ImportProblemLines(const FileImport& import, Language lang, size_t maxLines) {
  std::string lines;
  for (size_t k = 0; k < import.problems.size(); ++k) {
    if (k == maxLines) {
      lines += Fill(Localize(kMoreLines, lang), std::to_string(import.problems.size() - k)) + "\n";
      break;
    }
    const ImportProblem& p = import.problems[k];
    if (p.line > 0) {
      lines += Fill(Localize(kLineWord, lang), std::to_string(p.line));
      if (p.column > 0) {
        lines += Fill(Localize(kColumnWord, lang), std::to_string(p.column));
        lines += Fill(Localize(kQuoted, lang), p.columnName, p.value);
      }
      lines += Localize(kReasonColon, lang);
    }
    lines += PasteReasonText(p.reason, lang) + "\n";
  }
  return lines;
}

InterchangeExport ExportInterchange(InterchangeFormat format, const EditorState& state) {
  if (format == InterchangeFormat::Json) return {CodeplugToJson(state), {}};
  if (format == InterchangeFormat::Csv) {
    CsvExport csv = ExportChannelsCsv(state);
    return {std::move(csv.text), std::move(csv.leftOut)};
  }
  return {};
}

}  // namespace kv3
