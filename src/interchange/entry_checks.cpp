#include "interchange/entry_checks.h"

#include <cstdio>

#include "dialogs/embedded_info.h"
#include "dialogs/optional_functions.h"
#include "dialogs/test_frequencies.h"
#include "editor/band.h"
#include "editor/codeplug_fields.h"
#include "editor/decimal_text.h"
#include "editor/frequency_entry.h"
#include "editor/tone_entry.h"
#include "editor/tones.h"
#include "image/hex.h"

namespace kv3 {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string BandRangeText(const BandSelection& band) {
  if (band.index >= 0 && band.index < kBandCount) return std::string(kBands[band.index].text);
  return std::to_string(band.BandLowLimit) + "-" + std::to_string(band.BandHighLimit) + "MHz";
}

}  // namespace

std::optional<int64_t> ParseMegahertz(std::string_view mhz) {
  std::optional<Decimal> d = ParseDecimalText(Trim(mhz));
  if (!d) return std::nullopt;
  return d->Rounded(5);
}

std::string MegahertzText(int64_t units) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld.%05lld0", static_cast<long long>(units / 100000),
                static_cast<long long>(units % 100000));
  return buf;
}

FrequencyCheck CheckChannelFrequency(const BandSelection& band, std::string_view mhz) {
  FrequencyCheck check;
  mhz = Trim(mhz);
  // The frequency editor's own rule: a number, inside the band, rounded to
  // 10 Hz and moved down onto the raster. A value it would move is refused
  // here rather than changed behind the user's back.
  FrequencyCommit commit = CheckFrequency(band, mhz);
  if (commit.outcome == FrequencyOutcome::NotANumber) {
    check.refusal = "not a frequency in MHz";
  } else if (commit.outcome == FrequencyOutcome::OutOfBand) {
    check.refusal = "outside the band " + BandRangeText(band);
  } else if (std::optional<int64_t> exact = ParseMegahertz(mhz); !exact || *exact != commit.units) {
    check.refusal = "not on the 5 kHz or 6.25 kHz channel raster (the editor would store " +
                    MegahertzText(commit.units) + ")";
  } else {
    check.units = static_cast<uint32_t>(commit.units);
  }
  return check;
}

std::string CheckChannelFrequencyUnits(const BandSelection& band, int64_t units) {
  if (units < 0 || units > 99'999'999) return "not a frequency the radio can hold";
  return CheckChannelFrequency(band, MegahertzText(units)).refusal;
}

ToneCheck CheckCtcssTone(std::string_view hz) {
  ToneCheck check;
  hz = Trim(hz);
  std::optional<Decimal> value = ParseDecimalText(hz);
  if (!value) {
    check.refusal = "not a CTCSS tone in Hz";
    return check;
  }
  std::optional<Tone> tone = NormaliseToneText(hz, -1);
  if (!tone || tone->kind != ToneKind::Ctcss) {
    check.refusal = "outside the CTCSS tones 67.0 to 254.1 Hz";
  } else if (value->CompareTo(tone->value, 1) != 0) {
    check.refusal = "a CTCSS tone has one decimal";
  } else {
    check.tone = *tone;
  }
  return check;
}

ToneCheck CheckDcsCode(std::string_view code, bool inverted) {
  ToneCheck check;
  code = Trim(code);
  bool octal = !code.empty() && code.size() <= 3;
  for (char c : code)
    if (c < '0' || c > '7') octal = false;
  std::optional<Tone> tone;
  if (octal) tone = NormaliseToneText("D" + std::string(code) + (inverted ? "I" : "N"), -1);
  if (!tone || tone->kind != ToneKind::Dcs)
    check.refusal = "not a DCS code of three octal digits";
  else
    check.tone = *tone;
  return check;
}

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    // C1 controls are U+0080..U+009F: C2 80..C2 9F in UTF-8.
    bool c1 = c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
              static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    if (c < 0x20 || c == 0x7F || c1) {
      unsigned code = c1 ? static_cast<unsigned char>(utf8[++i]) : c;
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", code);
      out += buf;
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

namespace {

// The value of a byte text (Latin-1) as a terminal may show it.
std::string ShownBytes(const std::string& bytes) {
  return EscapeControls(Latin1ToUtf8(bytes));
}

void CheckChannelField(const BandSelection& band, const Freq4& f, const std::string& field,
                       std::vector<RuleFinding>& out) {
  int64_t units = Freq4ToUnits(f);
  std::string why = units < 0 ? "not a decimal frequency" : CheckChannelFrequencyUnits(band, units);
  if (!why.empty()) out.push_back({field, FrequencyText(f), why});
}

void CheckTone(const Tone& tone, const std::string& field, std::vector<RuleFinding>& out) {
  if (!tone.IsSet()) return;
  // The tone editor, given this tone's text, stores this very tone.
  std::string text = SetToneText(tone);
  std::optional<Tone> typed = NormaliseToneText(text, -1);
  if (typed && *typed == tone) return;
  out.push_back({field, text,
                 tone.kind == ToneKind::Ctcss ? "outside the CTCSS tones 67.0 to 254.1 Hz"
                                              : "not a DCS code of three octal digits"});
}

}  // namespace

std::vector<RuleFinding> CheckEditorRules(const EditorState& state) {
  std::vector<RuleFinding> out;
  const SharedValues& s = state.shared;
  for (int n = 1; n <= kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n - 1];
    if (ch.empty()) continue;
    std::string at = "channel " + std::to_string(n) + " ";
    CheckChannelField(state.band, ch.rx, at + "rxFrequency", out);
    if (!ch.tx.blank()) CheckChannelField(state.band, ch.tx, at + "txFrequency", out);
    CheckTone(ch.rxTone, at + "rxTone", out);
    CheckTone(ch.txTone, at + "txTone", out);
  }

  // Test frequencies: what the dialog would store for the text it shows.
  for (int t = 0; t < kChannelCount; ++t) {
    const Freq4& rx = s.TestFrequencyTable[t][0];
    const Freq4& tx = s.TestFrequencyTable[t][1];
    std::string at = "testFrequencies[" + std::to_string(t) + "].";
    if (!rx.blank()) {
      TestFrequencyRow row;
      if (EditTestFrequency(row, 1, FrequencyText(rx)) != TestFrequencyEdit::Accepted)
        out.push_back({at + "rx", FrequencyText(rx), "not a frequency from 100 to 999.99999 MHz"});
      else if (row.rx != rx)
        out.push_back({at + "rx", FrequencyText(rx),
                       "not on the 5 kHz or 6.25 kHz raster (the dialog would store " +
                           FrequencyText(row.rx) + ")"});
    }
    if (!tx.blank()) {
      TestFrequencyRow row{rx, kNoFrequency};
      TestFrequencyEdit edit = rx.blank() ? TestFrequencyEdit::NotEditable
                                          : EditTestFrequency(row, 2, FrequencyText(tx));
      if (edit == TestFrequencyEdit::NotEditable)
        out.push_back({at + "tx", FrequencyText(tx), "a transmit frequency without a receive one"});
      else if (edit != TestFrequencyEdit::Accepted)
        out.push_back({at + "tx", FrequencyText(tx), "not a frequency from 100 to 999.99999 MHz"});
      else if (row.tx != tx)
        out.push_back({at + "tx", FrequencyText(tx),
                       "not on the raster of its receive frequency (the dialog would store " +
                           FrequencyText(row.tx) + ")"});
    }
  }

  for (int e = 0; e < 2; ++e) {
    const std::string& text = s.EmbeddedInfoText[e];
    for (char c : text)
      if (!FitsEmbeddedInfoByte(static_cast<unsigned char>(c))) {
        out.push_back({"embeddedInfo[" + std::to_string(e) + "]", ShownBytes(text),
                       "holds a control character, which the dialog does not take"});
        break;
      }
  }

  constexpr const FieldRow& kCodes = FieldOf("dtmf.memoryCodes.#");
  for (int k = 0; k < kCodes.repeat.count; ++k) {
    const std::string& code = FieldBytes(state, Field(kCodes, k + 1));
    if (code.find_first_not_of(kCodes.entry.characters) != std::string::npos)
      out.push_back({"dtmf.memoryCodes[" + std::to_string(k) + "]", ShownBytes(code),
                     "not DTMF characters (0-9, A-D, * and #)"});
  }
  // The first digit delay: an entry of the dialog's hidden list, or the
  // start-up value that no list shows.
  constexpr const FieldRow& kDelay = FieldOf("dtmf.firstDigitDelayMs");
  int delay = FieldValue(state, Field(kDelay));
  if (delay != static_cast<int>(Val(kDelay.startup)) && ListPosition(kDelay.entry, delay) < 0)
    out.push_back({kDelay.key, std::to_string(delay),
                   "not one of the dialog's 100, 150, ... 1000 milliseconds"});

  constexpr const FieldRow& kChannel = FieldOf("optionalFunctions.priorityChannel");
  int priority = static_cast<int>(HeldNumber(state, Field(FieldOf("optionalFunctions.priority"))));
  int channel = static_cast<int>(HeldNumber(state, Field(kChannel)));
  if (PriorityChannelChosen(priority, channel - 1, state.grid, 0).message != PriorityMessage::None)
    out.push_back(
        {kChannel.key, std::to_string(channel), "an empty channel as the fixed priority channel"});
  return out;
}

}  // namespace kv3
