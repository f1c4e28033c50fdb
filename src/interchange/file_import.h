// Channel lists (CSV) and whole codeplugs (JSON) read into the editor and
// written from it, by the same rules as kv3ctl import and export: the file's
// ending names its format, every value is checked with the editor's rules,
// and a list with refused rows changes nothing unless the good rows are
// taken (kv3ctl's --skip-bad).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

enum class InterchangeFormat { Unknown, Csv, Json };

// By the file's ending (.csv, .json, in any case).
InterchangeFormat InterchangeFormatOf(std::string_view path);

// Files larger than this are not interchange files of this program.
inline constexpr size_t kMaxInterchangeSize = 4 * 1024 * 1024;

struct ImportProblem {
  int line = 0;    // file line (1-based); 0 for a JSON value
  int column = 0;  // 1-based; 0 when the problem is the whole row
  std::string columnName;
  std::string value;
  std::string reason;  // in English, as kv3ctl says it
};

struct [[nodiscard]] FileImport {
  InterchangeFormat format = InterchangeFormat::Unknown;
  // A fault of the whole file (it cannot be read, it is no such list or
  // codeplug), in English; nothing was read.
  std::string failure;
  std::vector<ImportProblem> problems;  // every refused value
  int rowsAccepted = 0;
  int rowsRefused = 0;
  bool changed = false;  // the state holds the file's values
  // Some rows were refused and others are good: taking the good rows
  // (skipBad) would change the channels.
  bool CanTakeGoodRows() const {
    return !changed && failure.empty() && format == InterchangeFormat::Csv && rowsAccepted > 0;
  }
};

// Reads a CSV channel list (over the band in force) or a JSON codeplug over
// state. state changes only when the whole file is accepted, or, for a CSV
// list with skipBad, its good rows.
FileImport ImportInterchangeFile(const std::string& path, EditorState& state, bool skipBad);

// The refused values, one line each, in a language: "Line 3, column 2
// (Frequency "999"): reason", the reason in the language too (as a refused
// paste words it; a reason it does not know stays English). Beyond maxLines,
// one line says how many more there are (a message box must fit on the
// screen).
std::string ImportProblemLines(const FileImport& import, Language lang, size_t maxLines = 20);

struct InterchangeExport {
  std::string text;
  std::vector<int> leftOut;  // CSV: channels whose frequency is no decimal number (1..16)
};
// The file's text in a format (not Unknown).
InterchangeExport ExportInterchange(InterchangeFormat format, const EditorState& state);

}  // namespace kv3
