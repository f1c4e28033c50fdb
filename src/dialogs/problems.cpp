#include "dialogs/problems.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/optional_functions.h"
#include "dialogs/problem_messages.h"
#include "dialogs/test_frequencies.h"
#include "editor/frequency_entry.h"
#include "editor/tones.h"
#include "i18n/edit_texts.h"
#include "i18n/messages.h"
#include "i18n/texts.h"
#include "image/hex.h"

namespace kv3 {

namespace {

constexpr int64_t kLowestCtcss = 670;  // tenths of a hertz
constexpr int64_t kHighestCtcss = 2541;

// A channel frequency by the frequency editor's rules, as if it were typed
// as the grid shows it.
void CheckChannelFrequency(const BandSelection& band, const Freq4& f, int row, int col,
                           std::vector<Problem>& out) {
  Problem p;
  p.place = ProblemPlace::Grid;
  p.field = col == 1 ? ProblemField::RxFrequency : ProblemField::TxFrequency;
  p.row = row;
  p.column = col;
  p.value = FrequencyText(f);
  int64_t units = Freq4ToUnits(f);
  if (units < 0) {
    p.kind = ProblemKind::NotDecimal;
  } else {
    FrequencyCommit commit = CheckFrequency(band, p.value);
    if (commit.outcome == FrequencyOutcome::OutOfBand)
      p.kind = ProblemKind::OutOfBand;
    else if (commit.outcome == FrequencyOutcome::Stored && commit.units != units)
      p.kind = ProblemKind::OffRaster;
    else
      return;
  }
  out.push_back(std::move(p));
}

void CheckTone(const Tone& tone, int row, int col, std::vector<Problem>& out) {
  if (!tone.IsSet()) return;
  Problem p;
  p.place = ProblemPlace::Grid;
  p.field = col == 2 ? ProblemField::RxTone : ProblemField::TxTone;
  p.row = row;
  p.column = col;
  p.value = SetToneText(tone);
  if (tone.kind == ToneKind::Ctcss && (tone.value < kLowestCtcss || tone.value > kHighestCtcss))
    p.kind = ProblemKind::ToneOutOfRange;
  else if (TonePosition(tone) < 0)
    p.kind = ProblemKind::ToneNotInList;
  else
    return;
  out.push_back(std::move(p));
}

void CheckTestFrequency(const Freq4& f, int row, int col, std::vector<Problem>& out) {
  if (f.blank()) return;
  Problem p;
  p.place = ProblemPlace::TestFrequencies;
  p.field = col == 1 ? ProblemField::RxFrequency : ProblemField::TxFrequency;
  p.row = row;
  p.column = col;
  p.value = FrequencyText(f);
  int64_t units = Freq4ToUnits(f);
  if (units < 0)
    p.kind = ProblemKind::NotDecimal;
  else if (units < kTestFrequencyLowest || units >= kTestFrequencyTooHigh)
    p.kind = ProblemKind::TestFrequencyRange;
  else
    return;
  out.push_back(std::move(p));
}

// Grid problems first, by row and column; then the dialogs.
int Order(const Problem& p) {
  switch (p.place) {
    case ProblemPlace::Grid:
      return p.row * 10 + p.column;
    case ProblemPlace::TestFrequencies:
      return 1000 + p.row * 10 + p.column;
    case ProblemPlace::OptionalFunctions:
      break;
  }
  return 2000;
}

std::string TwoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

}  // namespace

std::vector<Problem> ListProblems(const EditorState& state) {
  std::vector<Problem> out;
  const auto& channels = state.grid.channels;
  for (int row = 1; row <= kChannelCount; ++row) {
    const Channel& ch = channels[static_cast<size_t>(row - 1)];
    if (ch.empty()) continue;
    CheckChannelFrequency(state.band, ch.rx, row, 1, out);
    CheckTone(ch.rxTone, row, 2, out);
    if (!ch.tx.blank()) CheckChannelFrequency(state.band, ch.tx, row, 3, out);
    CheckTone(ch.txTone, row, 4, out);
    // The same receive frequency and tones as an earlier channel (off and
    // no tone are the same to the radio).
    for (int other = 1; other < row; ++other) {
      const Channel& o = channels[static_cast<size_t>(other - 1)];
      if (o.empty() || o.rx != ch.rx || ToneWord(o.rxTone) != ToneWord(ch.rxTone) ||
          ToneWord(o.txTone) != ToneWord(ch.txTone))
        continue;
      Problem p;
      p.kind = ProblemKind::Duplicate;
      p.field = ProblemField::RxFrequency;
      p.row = row;
      p.column = 1;
      p.otherChannel = other;
      p.value = FrequencyText(ch.rx);
      out.push_back(std::move(p));
      break;
    }
  }

  for (int t = 1; t <= kChannelCount; ++t) {
    const auto& pair = state.shared.TestFrequencyTable[static_cast<size_t>(t - 1)];
    CheckTestFrequency(pair[0], t, 1, out);
    CheckTestFrequency(pair[1], t, 2, out);
  }

  const SharedValues& s = state.shared;
  int mode = static_cast<int>(Val(s.OptionText[10]));
  int channel = static_cast<int>(Val(s.OptionText[11]));
  if (PriorityChannelChosen(mode, channel - 1, state.grid, 0).message != PriorityMessage::None) {
    Problem p;
    p.kind = ProblemKind::PriorityEmpty;
    p.place = ProblemPlace::OptionalFunctions;
    p.field = ProblemField::PriorityChannel;
    p.value = std::to_string(channel);
    out.push_back(std::move(p));
  }
  return out;
}

std::vector<Problem> ListImageProblems(std::span<const uint8_t> image) {
  std::vector<Problem> out;
  const size_t needed = At(addr::kChannels + addr::kChannelSize * kChannelCount);
  if (image.size() < needed) return out;
  for (int row = 1; row <= kChannelCount; ++row) {
    const size_t base = At(addr::kChannels + addr::kChannelSize * (row - 1));
    if (image[base] == 0xFF && image[base + 1] == 0xFF && image[base + 2] == 0xFF &&
        image[base + 3] == 0xFF)
      continue;
    for (int col : {2, 4}) {
      const size_t at = base + (col == 2 ? 8 : 10);
      const uint16_t word = static_cast<uint16_t>(image[at] | image[at + 1] << 8);
      const unsigned first = word >> 12, second = (word >> 8) & 0xF;
      // A DCS word is 0x2800 or 0xA800 plus a nine-bit code: anything else
      // after the 2 or the A is not a code the editor can hold.
      if ((first != 0x2 && first != 0xA) || second == 0x8 || second == 0x9) continue;
      Problem p;
      p.kind = ProblemKind::DcsNotOctal;
      p.field = col == 2 ? ProblemField::RxTone : ProblemField::TxTone;
      p.row = row;
      p.column = col;
      char buf[8];
      std::snprintf(buf, sizeof buf, "%04X", word);
      p.value = buf;
      out.push_back(std::move(p));
    }
  }
  return out;
}

std::vector<Problem> ListProblems(const EditorState& state, std::span<const uint8_t> image) {
  std::vector<Problem> out = ListProblems(state);
  std::vector<Problem> words = ListImageProblems(image);
  // The decoder shows such a word as some other tone: that tone's own
  // problem would only mislead.
  for (const Problem& w : words)
    std::erase_if(out, [&](const Problem& p) {
      return p.place == ProblemPlace::Grid && p.row == w.row && p.column == w.column;
    });
  out.insert(out.end(), words.begin(), words.end());
  std::stable_sort(out.begin(), out.end(),
                   [](const Problem& a, const Problem& b) { return Order(a) < Order(b); });
  return out;
}

const char* ProblemKindId(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::OutOfBand:
      return "outOfBand";
    case ProblemKind::OffRaster:
      return "offRaster";
    case ProblemKind::NotDecimal:
      return "notDecimal";
    case ProblemKind::ToneOutOfRange:
      return "toneOutOfRange";
    case ProblemKind::ToneNotInList:
      return "toneNotInList";
    case ProblemKind::DcsNotOctal:
      return "dcsNotOctal";
    case ProblemKind::PriorityEmpty:
      return "priorityEmpty";
    case ProblemKind::Duplicate:
      return "duplicate";
    case ProblemKind::TestFrequencyRange:
      return "testFrequencyRange";
  }
  return "";
}

const char* ProblemPlaceId(ProblemPlace place) {
  switch (place) {
    case ProblemPlace::Grid:
      return "grid";
    case ProblemPlace::TestFrequencies:
      return "testFrequencies";
    case ProblemPlace::OptionalFunctions:
      return "optionalFunctions";
  }
  return "";
}

const char* ProblemFieldId(ProblemField field) {
  switch (field) {
    case ProblemField::RxFrequency:
      return "rxFrequency";
    case ProblemField::RxTone:
      return "rxTone";
    case ProblemField::TxFrequency:
      return "txFrequency";
    case ProblemField::TxTone:
      return "txTone";
    case ProblemField::PriorityChannel:
      return "priorityChannel";
  }
  return "";
}

std::string ProblemPlaceText(const Problem& problem, Language lang) {
  switch (problem.place) {
    case ProblemPlace::Grid:
      return Localize(kProblemChannel, lang) + " " + TwoDigits(problem.row);
    case ProblemPlace::TestFrequencies:
      return Localize(kTestFrequenciesTitle, lang) + " " + TwoDigits(problem.row);
    case ProblemPlace::OptionalFunctions:
      break;
  }
  return Localize(form5::kTitle, lang);
}

std::string ProblemFieldText(const Problem& problem, Language lang) {
  switch (problem.field) {
    case ProblemField::RxFrequency:
      return Localize(kProblemRxFrequency, lang);
    case ProblemField::RxTone:
      return Localize(kProblemRxTone, lang);
    case ProblemField::TxFrequency:
      return Localize(kProblemTxFrequency, lang);
    case ProblemField::TxTone:
      return Localize(kProblemTxTone, lang);
    case ProblemField::PriorityChannel:
      break;
  }
  return Localize(kProblemPriorityChannel, lang);
}

std::string ProblemReasonText(const Problem& problem, Language lang) {
  switch (problem.kind) {
    case ProblemKind::OutOfBand:
      return Localize(msg::kOutOfBand, lang);
    case ProblemKind::OffRaster:
      return Localize(msg::kProblemOffRaster, lang);
    case ProblemKind::NotDecimal:
      return Localize(msg::kProblemNotDecimal, lang);
    case ProblemKind::ToneOutOfRange:
      return Localize(msg::kProblemToneOutOfRange, lang);
    case ProblemKind::ToneNotInList:
      return Localize(msg::kProblemToneNotInList, lang);
    case ProblemKind::DcsNotOctal:
      return Localize(msg::kProblemDcsNotOctal, lang);
    case ProblemKind::PriorityEmpty:
      return Localize(msg::kProblemPriorityEmpty, lang);
    case ProblemKind::Duplicate:
      return Localize(msg::kProblemDuplicate, lang) + TwoDigits(problem.otherChannel);
    case ProblemKind::TestFrequencyRange:
      break;
  }
  return Localize(msg::kProblemTestFrequencyRange, lang);
}

std::string ProblemLine(const Problem& problem, Language lang) {
  return ProblemPlaceText(problem, lang) + ", " + ProblemFieldText(problem, lang) + ": " +
         problem.value + ": " + ProblemReasonText(problem, lang);
}

}  // namespace kv3
