#include "interchange/entry_checks.h"

#include <cstdio>

#include "editor/band.h"
#include "editor/decimal_text.h"
#include "editor/frequency_entry.h"
#include "editor/tone_entry.h"

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

}  // namespace kv3
