// Any image the radio could send, decoded, encoded again and decoded again
// into the same editor (a read, a write and a read in one run): the encoder
// always gives a whole image, and the second decode leaves the editor as the
// first one left it.
//
// One difference is allowed: the two scan delay boxes start empty and keep
// their text when the image holds an out-of-range delay; the image carries
// them as numbers, so an empty box comes back as "0" (the same value).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "codeplug/codec.h"
#include "editor/editor_state.h"
#include "fuzz_check.h"

namespace {

// The state with the delay texts in the form the image gives them back.
kv3::EditorState Canonical(kv3::EditorState state) {
  for (int k : {18, 19}) {
    auto& text = state.shared.OptionText[k];
    if (text.empty()) text = "0";
  }
  return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Short inputs are padded with 0xFF, the contents of erased memory.
  kv3::MemoryImage image;
  image.fill(0xFF);
  for (size_t i = 0; i < size && i < image.size(); ++i) image[i] = data[i];

  kv3::EditorState first = kv3::StartupState();
  FUZZ_CHECK(kv3::DecodeImage(std::span<const uint8_t>(image), first));

  kv3::MemoryImage encoded = kv3::EncodeImage(first);
  FUZZ_CHECK(encoded.size() == kv3::kImageSize);
  std::string hex = kv3::EncodeImageHex(first);
  FUZZ_CHECK(hex.size() == 2 * kv3::kImageSize);

  kv3::EditorState second = first;
  FUZZ_CHECK(kv3::DecodeImage(std::span<const uint8_t>(encoded), second));
  FUZZ_CHECK(second == Canonical(first));

  kv3::EditorState third = first;
  FUZZ_CHECK(kv3::DecodeImage(std::string_view(hex), third));
  FUZZ_CHECK(third == second);
  FUZZ_CHECK(kv3::EncodeImage(third) == encoded);
  return 0;
}
