// The JSON importer fed arbitrary text: it never throws or aborts (numbers
// beyond every field, odd nesting, bad UTF-8), a refused text changes
// nothing, and an accepted one exports and imports back to the same image.
// The editor's rule checks take whatever was accepted, and show its texts
// without control characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "fuzz_check.h"
#include "interchange/codeplug_json.h"
#include "interchange/entry_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const kv3::EditorState base = kv3::DemoState();
  kv3::EditorState state = base;
  kv3::JsonImportReport report = kv3::CodeplugFromJson(text, state);
  if (!report.ok()) {
    FUZZ_CHECK(state == base);
    return 0;
  }
  FUZZ_CHECK(!report.unreadable);
  kv3::EditorState again = kv3::StartupState();
  FUZZ_CHECK(kv3::CodeplugFromJson(kv3::CodeplugToJson(state), again).ok());
  FUZZ_CHECK(kv3::EncodeImage(again) == kv3::EncodeImage(state));
  for (const kv3::RuleFinding& f : kv3::CheckEditorRules(state))
    for (char c : f.value) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  return 0;
}
