// The whole codeplug as JSON: every value the decoder takes from a memory
// image, under readable names, with a format version. Export and import
// give back the same memory image.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"

namespace kv3 {

inline constexpr int kCodeplugJsonVersion = 1;
inline constexpr char kCodeplugJsonFormat[] = "KV-3(T2) codeplug";

// Pretty-printed (two-space indent), with a line end at the end.
std::string CodeplugToJson(const EditorState& state);

struct [[nodiscard]] JsonImportReport {
  std::vector<std::string> problems;  // "channels[2].rxTone: not a tone" - every refused value
  // The text is no JSON this program can read (a syntax error, a number too
  // large for any field): problems holds why.
  bool unreadable = false;
  bool ok() const { return problems.empty(); }
};

// Reads a codeplug over state: values the text does not give keep the
// values of state (a list of channels replaces them all). state changes only
// when every value is accepted.
JsonImportReport CodeplugFromJson(std::string_view text, EditorState& state);

}  // namespace kv3
