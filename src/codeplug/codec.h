// Between the editor and the memory image.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "image/image.h"

namespace kv3 {

// Builds a complete image from the editor. Never changes the editor; values
// too large for their fields are clamped, so the image is always 848 bytes.
MemoryImage EncodeImage(const EditorState& state);
// The same as 1696 upper-case hex digits.
std::string EncodeImageHex(const EditorState& state);

// Spreads an image over the editor. Needs at least the bytes through address
// 831 (816 bytes); more are ignored. Returns false, changing nothing, when
// the image is shorter. Out-of-range option bytes leave the old values.
[[nodiscard]] bool DecodeImage(std::span<const uint8_t> image, EditorState& state);
// The same from the hex text (at least 1632 digits); false, changing
// nothing, for a short text or one with a character that is not a hex digit.
[[nodiscard]] bool DecodeImage(std::string_view hexText, EditorState& state);

// The band code (address 445) is none of the band list's seven. DecodeImage
// then leaves the band list as it was, so the editor shows a band the radio
// does not have, and writing it back would change the radio's band: callers
// say so, and a write asks the band question first.
bool HasUnknownBandCode(std::span<const uint8_t> image);
// "0x99": the band code of an image, for messages.
std::string BandCodeText(std::span<const uint8_t> image);

}  // namespace kv3
