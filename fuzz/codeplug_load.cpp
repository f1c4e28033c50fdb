// The codeplug file loader fed arbitrary file contents: a file that is
// accepted decodes into the editor and shows in the windows' texts; a file
// that is refused leaves the image untouched. The same bytes taken as the
// hex text of an image go through the text decoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "codeplug/codec.h"
#include "codeplug/codeplug_view.h"
#include "editor/editor_state.h"
#include "fuzz_check.h"
#include "image/codeplug_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv3::MemoryImage image;
  image.fill(0xA5);
  const kv3::MemoryImage untouched = image;
  kv3::FileResult result = kv3::ParseCodeplug(data, size, image);
  if (!result.ok()) {
    FUZZ_CHECK(result.error == kv3::FileError::WrongType);
    FUZZ_CHECK(image == untouched);
  } else {
    FUZZ_CHECK(size >= kv3::kCodeplugFileSize);
    kv3::EditorState state = kv3::StartupState();
    FUZZ_CHECK(kv3::DecodeImage(std::span<const uint8_t>(image), state));
    kv3::CodeplugView view = kv3::MakeView(state, kv3::Language::English);
    FUZZ_CHECK(view.grid.size() == 16);
  }

  // A hex text that the decoder refuses must leave the editor as it was.
  kv3::EditorState fromText = kv3::StartupState();
  const kv3::EditorState before = fromText;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!kv3::DecodeImage(text, fromText)) FUZZ_CHECK(fromText == before);
  return 0;
}
