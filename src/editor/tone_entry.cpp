#include "editor/tone_entry.h"

#include "editor/decimal_text.h"

namespace kv3 {

namespace {

constexpr int64_t kLowestCtcss = 670;  // tenths of a hertz
constexpr int64_t kHighestCtcss = 2541;
constexpr int kHighestDcs = 0777;

bool ValidToneCell(const ChannelGrid& grid) {
  return grid.EditRow >= 1 && grid.EditRow <= kChannelCount &&
         (grid.EditCol == 2 || grid.EditCol == 4);
}

Tone& ToneCell(ChannelGrid& grid) {
  Channel& ch = grid.channels[grid.EditRow - 1];
  return grid.EditCol == 2 ? ch.rxTone : ch.txTone;
}

// "D" + digits + "N"/"I". The digits are octal: an 8 or a 9 would be shown
// as typed but sent as another code, so such a text is no code at all.
std::optional<Tone> DcsFromText(std::string_view text) {
  if (text.size() < 3 || text.front() != 'D') return std::nullopt;
  char polarity = text.back();
  if (polarity != 'N' && polarity != 'I') return std::nullopt;
  std::string_view digits = text.substr(1, text.size() - 2);
  int value = 0;  // the digits read as a decimal number, saturating above 777
  int code = 0;   // the same digits read as octal
  for (char c : digits) {
    if (c < '0' || c > '7') return std::nullopt;
    if (value <= 777) {
      value = value * 10 + (c - '0');
      code = code * 8 + (c - '0');
    }
  }
  if (value > 777) code = kHighestDcs;
  return Tone::Dcs(static_cast<uint16_t>(code), polarity == 'I');
}

}  // namespace

KeyFilterResult ToneKeyFilter(char32_t key) {
  if (key == 13) return {KeyAction::EndEdit, 0};
  if (key >= U'0' && key <= U'9') return {KeyAction::Accept, key};
  switch (key) {
    case 8:
    case U'.':
    case U'D':
    case U'N':
    case U'I':
      return {KeyAction::Accept, key};
    case U'd':
    case U'n':
    case U'i':
      return {KeyAction::Accept, key - 32};
    default:
      return {KeyAction::Discard, 0};
  }
}

std::optional<Tone> NormaliseToneText(std::string_view text, int listPosition) {
  bool startsWithD = !text.empty() && text.front() == 'D';
  if (!startsWithD && listPosition != 0) {
    Decimal v = LeadingDecimal(text);
    if (v.CompareTo(kLowestCtcss, 1) < 0 || v.CompareTo(kHighestCtcss, 1) > 0) return std::nullopt;
    return Tone::Ctcss(static_cast<uint16_t>(v.Rounded(1)));
  }
  return DcsFromText(text);
}

bool CommitTone(EditorState& state, std::string_view text, int listPosition) {
  ChannelGrid& grid = state.grid;
  if (!ValidToneCell(grid)) return false;
  std::optional<Tone> tone = NormaliseToneText(text, listPosition);
  if (!tone) return false;
  Tone& cell = ToneCell(grid);
  if (cell == *tone) return false;
  cell = *tone;
  return true;
}

bool PickTone(EditorState& state, int position) {
  ChannelGrid& grid = state.grid;
  if (!ValidToneCell(grid) || position < 0 || position >= kToneListSize) return false;
  ToneCell(grid) = ToneAt(position);
  grid.ChannelChoice[grid.EditRow - 1][grid.EditCol - 2] = static_cast<int16_t>(position);
  return true;
}

}  // namespace kv3
