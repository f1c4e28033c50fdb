// The CSV channel list importer fed arbitrary text, with and without
// --skip-bad and --renumber (the first byte chooses): a list that is not
// taken changes nothing; one that is taken holds only channels the editor's
// rules accept, and exports and imports back to the same channels.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/demo.h"
#include "fuzz_check.h"
#include "interchange/channel_csv.h"
#include "interchange/entry_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool skipBad = data[0] & 1, renumber = data[0] & 2;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const kv3::EditorState base = (data[0] & 4) ? kv3::DemoState() : kv3::StartupState();
  kv3::EditorState state = base;
  kv3::CsvImportReport report = kv3::ImportChannelsCsv(text, state, skipBad, renumber);
  if (!report.changed) {
    FUZZ_CHECK(state == base);
    return 0;
  }
  FUZZ_CHECK(report.rowsAccepted > 0 && report.rowsAccepted <= kv3::kChannelCount);
  for (const kv3::RuleFinding& f : kv3::CheckEditorRules(state))
    FUZZ_CHECK(f.field.rfind("channel ", 0) != 0);

  kv3::CsvExport out = kv3::ExportChannelsCsv(state);
  FUZZ_CHECK(out.leftOut.empty());
  kv3::EditorState back = state;
  kv3::CsvImportReport again = kv3::ImportChannelsCsv(out.text, back, false);
  FUZZ_CHECK(again.changed && again.rowsRefused == 0);
  FUZZ_CHECK(back.grid.channels == state.grid.channels);
  return 0;
}
