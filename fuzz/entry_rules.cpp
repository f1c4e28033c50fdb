// The grid's frequency and tone editors fed arbitrary typing: a cell is
// opened as a click opens it, keys go through the editor's key filter (or,
// as pasted text, straight into the editor), and the editor is closed.
//
// Whatever was typed:
//   - a stored frequency lies in the band (lower limit included, upper
//     excluded) and on the 5 kHz or 6.25 kHz raster, and is what the commit
//     reports; a refused text changes nothing;
//   - a stored tone is off, a CTCSS tone of 67.0..254.1 Hz or a DCS code up
//     to octal 777, its cell text reads back as the same tone and its image
//     word decodes to it; a refused text changes nothing;
//   - only the edited cell's channel changes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/band.h"
#include "editor/demo.h"
#include "editor/editor_state.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/tone_entry.h"
#include "editor/tones.h"
#include "fuzz_check.h"

namespace {

void CheckOtherRowsKept(const kv3::EditorState& before, const kv3::EditorState& after, int row) {
  for (int r = 0; r < kv3::kChannelCount; ++r) {
    if (r == row - 1) continue;
    FUZZ_CHECK(after.grid.channels[r] == before.grid.channels[r]);
    FUZZ_CHECK(after.grid.ChannelChoice[r] == before.grid.ChannelChoice[r]);
  }
  FUZZ_CHECK(after.band == before.band);
  FUZZ_CHECK(after.settings == before.settings);
  FUZZ_CHECK(after.shared == before.shared);
}

// The text in the editor after typing: keys through the filter, or pasted.
std::string Typed(FuzzedDataProvider& in, const std::string& opening,
                  kv3::KeyFilterResult (*filter)(char32_t), bool& typed) {
  std::string text = in.ConsumeBool() ? opening : std::string();
  typed = false;
  if (in.ConsumeBool()) {
    text += in.ConsumeRandomLengthString(24);
    typed = true;
    return text;
  }
  for (int n = in.ConsumeIntegralInRange(0, 24); n > 0; --n) {
    char32_t key = in.ConsumeBool() ? static_cast<char32_t>(in.ConsumeIntegral<uint8_t>())
                                    : in.ConsumeIntegral<char32_t>();
    kv3::KeyFilterResult r = filter(key);
    if (r.action == kv3::KeyAction::EndEdit) break;
    if (r.action == kv3::KeyAction::Discard) continue;
    typed = true;
    if (r.key == 8) {
      if (!text.empty()) text.pop_back();
      continue;
    }
    FUZZ_CHECK(r.key >= 0x20 && r.key < 0x7F);  // the editors take ASCII only
    text += static_cast<char>(r.key);
  }
  return text;
}

void CheckTone(const kv3::Tone& t) {
  switch (t.kind) {
    case kv3::ToneKind::Off:
      break;
    case kv3::ToneKind::Ctcss:
      FUZZ_CHECK(t.value >= 670 && t.value <= 2541);
      FUZZ_CHECK(!t.inverted);
      break;
    case kv3::ToneKind::Dcs:
      FUZZ_CHECK(t.value <= 0777);
      break;
    case kv3::ToneKind::Blank:
      FUZZ_CHECK(false);  // typing or picking never blanks a cell
  }
  FUZZ_CHECK(kv3::ToneFromWord(kv3::ToneWord(t), false) == t);
  if (t.IsSet()) {
    auto again = kv3::NormaliseToneText(kv3::SetToneText(t), -1);
    FUZZ_CHECK(again.has_value() && *again == t);
  }
}

void EditFrequency(FuzzedDataProvider& in, kv3::EditorState& state, const kv3::OpenEditor& ed) {
  bool typed = false;
  std::string text = Typed(in, ed.text, kv3::FrequencyKeyFilter, typed);
  const kv3::EditorState before = state;
  kv3::FrequencyCommit check = kv3::CheckFrequency(state.band, text);
  kv3::FrequencyCommit commit = kv3::CommitFrequency(state, text);
  CheckOtherRowsKept(before, state, ed.row);
  const kv3::Channel& ch = state.grid.channels[ed.row - 1];
  const kv3::Channel& old = before.grid.channels[ed.row - 1];
  switch (commit.outcome) {
    case kv3::FrequencyOutcome::Stored:
    case kv3::FrequencyOutcome::NewChannel: {
      FUZZ_CHECK(check.outcome != kv3::FrequencyOutcome::NotANumber &&
                 check.outcome != kv3::FrequencyOutcome::OutOfBand);
      FUZZ_CHECK(check.units == commit.units);
      int64_t units = commit.units;
      FUZZ_CHECK(units >= int64_t{state.band.BandLowLimit} * 100000);
      FUZZ_CHECK(units < int64_t{state.band.BandHighLimit} * 100000);
      int64_t r = units % 10000;
      FUZZ_CHECK(r % 500 == 0 || r % 625 == 0);
      const kv3::Freq4& cell = ed.col == 1 ? ch.rx : ch.tx;
      FUZZ_CHECK(kv3::Freq4ToUnits(cell) == units);
      if (commit.outcome == kv3::FrequencyOutcome::NewChannel) {
        FUZZ_CHECK(ed.col == 1 && old.empty());
        FUZZ_CHECK(ch.tx == ch.rx);
      } else {
        FUZZ_CHECK(ed.col == 1 ? ch.tx == old.tx : ch.rx == old.rx);
      }
      break;
    }
    case kv3::FrequencyOutcome::ChannelCleared:
      FUZZ_CHECK(text.empty() && ed.col == 1);
      FUZZ_CHECK(ch.empty() && ch.tx.blank());
      break;
    case kv3::FrequencyOutcome::OutOfBand:
      FUZZ_CHECK(static_cast<bool>(commit.message));
      FUZZ_CHECK(check.outcome == commit.outcome);
      FUZZ_CHECK(state == before);
      break;
    default:
      FUZZ_CHECK(state == before);
  }
}

void EditTone(FuzzedDataProvider& in, kv3::EditorState& state, const kv3::OpenEditor& ed) {
  const kv3::EditorState before = state;
  const kv3::Channel& ch = state.grid.channels[ed.row - 1];
  const kv3::Tone& cell = ed.col == 2 ? ch.rxTone : ch.txTone;
  if (in.ConsumeBool()) {
    int position = in.ConsumeIntegralInRange(-3, kv3::kToneListSize + 3);
    bool picked = kv3::PickTone(state, position);
    CheckOtherRowsKept(before, state, ed.row);
    if (!picked) {
      FUZZ_CHECK(state == before);
      return;
    }
    FUZZ_CHECK(position >= 0 && position < kv3::kToneListSize);
    FUZZ_CHECK(cell == kv3::ToneAt(position));
    FUZZ_CHECK(state.grid.ChannelChoice[ed.row - 1][ed.col - 2] == position);
    CheckTone(cell);
    return;
  }
  bool typed = false;
  std::string text = Typed(in, ed.text, kv3::ToneKeyFilter, typed);
  int position = typed ? -1 : ed.listPosition;
  auto tone = kv3::NormaliseToneText(text, position);
  bool changed = kv3::CommitTone(state, text, position);
  CheckOtherRowsKept(before, state, ed.row);
  FUZZ_CHECK(state.grid.ChannelChoice == before.grid.ChannelChoice);
  if (!tone) {
    FUZZ_CHECK(!changed);
    FUZZ_CHECK(state == before);
    return;
  }
  CheckTone(*tone);
  FUZZ_CHECK(cell == *tone);
  FUZZ_CHECK(changed == !(*tone == (ed.col == 2 ? before.grid.channels[ed.row - 1].rxTone
                                                : before.grid.channels[ed.row - 1].txTone)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  static const kv3::EditorState kDemo = kv3::DemoState();
  kv3::EditorState state = in.ConsumeBool() ? kDemo : kv3::StartupState();
  kv3::SelectBandSilently(state.band, in.ConsumeIntegralInRange(0, 6));
  state.band.ConfirmedBandIndex = state.band.index;

  for (int edits = 0; edits < 16 && in.remaining_bytes() > 0; ++edits) {
    kv3::RequestGridEdit(state.grid);
    int row = in.ConsumeIntegralInRange(0, 17);
    int col = in.ConsumeIntegralInRange(0, 9);
    kv3::OpenEditor ed = kv3::GridClick(state.grid, row, col, kv3::Language::English);
    switch (ed.editor) {
      case kv3::GridEditor::Frequency:
        FUZZ_CHECK(ed.row >= 1 && ed.row <= 16 && (ed.col == 1 || ed.col == 3));
        EditFrequency(in, state, ed);
        break;
      case kv3::GridEditor::Tone:
        FUZZ_CHECK(ed.row >= 1 && ed.row <= 16 && (ed.col == 2 || ed.col == 4));
        EditTone(in, state, ed);
        break;
      case kv3::GridEditor::Choice: {
        FUZZ_CHECK(ed.col >= 5 && ed.col <= 8);
        int position = in.ConsumeIntegralInRange(-2, 3);
        const kv3::EditorState before = state;
        bool picked = kv3::PickChoice(state.grid, position);
        CheckOtherRowsKept(before, state, ed.row);
        if (picked)
          FUZZ_CHECK(kv3::ChoiceCell(state.grid.channels[ed.row - 1], ed.col) == position);
        else
          FUZZ_CHECK(state == before);
        break;
      }
      case kv3::GridEditor::None:
        break;
    }
  }
  return 0;
}
