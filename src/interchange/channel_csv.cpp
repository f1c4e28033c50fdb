#include "interchange/channel_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>

#include "editor/grid_edit.h"
#include "interchange/csv_table.h"
#include "interchange/entry_checks.h"

namespace kv3 {

const std::vector<std::string> kCsvColumns = {
    "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
    "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
    "Mode",      "TStep",     "Skip",      "Power",        "Comment"};

namespace {

// Columns whose values the radio has no place for.
const std::array<const char*, 3> kIgnoredColumns = {"Name", "TStep", "Comment"};

enum class ToneSide { None, Tone, Dtcs };

ToneSide SideOf(const Tone& t) {
  if (t.kind == ToneKind::Ctcss) return ToneSide::Tone;
  if (t.kind == ToneKind::Dcs) return ToneSide::Dtcs;
  return ToneSide::None;
}

const char* SideName(ToneSide s) {
  return s == ToneSide::Tone ? "Tone" : s == ToneSide::Dtcs ? "DTCS" : "";
}

std::string CtcssText(const Tone& t) {
  return SetToneText(t);
}

std::string DcsDigits(const Tone& t) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03o", t.value & 0x1FFu);
  return buf;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A power figure in watts ("5", "5.0W", "0.5 W"); nullopt for other texts.
std::optional<double> Watts(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && (text.back() == 'W' || text.back() == 'w')) {
    text.remove_suffix(1);
    text = Trim(text);
  }
  std::optional<int64_t> milli;
  // Reuse the decimal reader of frequencies: 5 decimals are enough for watts.
  milli = ParseMegahertz(text);
  if (!milli) return std::nullopt;
  return static_cast<double>(*milli) / 100000.0;
}

}  // namespace

std::optional<std::vector<std::string>> ChannelCsvFields(const Channel& ch, int location) {
  int64_t rx = Freq4ToUnits(ch.rx);
  int64_t tx = ch.tx.blank() ? -1 : Freq4ToUnits(ch.tx);
  if (ch.empty() || rx < 0 || (!ch.tx.blank() && tx < 0)) return std::nullopt;
  std::string duplex, offset = "0.000000";
  if (ch.tx.blank()) {
    duplex = "off";
  } else if (tx > rx) {
    duplex = "+";
    offset = MegahertzText(tx - rx);
  } else if (tx < rx) {
    duplex = "-";
    offset = MegahertzText(rx - tx);
  }

  // The simplest tone mode that says what the two tones are.
  std::string mode, rTone = "88.5", cTone = "88.5", dtcs = "023", rxDtcs = "023";
  std::string cross = "Tone->Tone";
  ToneSide txSide = SideOf(ch.txTone), rxSide = SideOf(ch.rxTone);
  char txPol = ch.txTone.kind == ToneKind::Dcs && ch.txTone.inverted ? 'R' : 'N';
  char rxPol = ch.rxTone.kind == ToneKind::Dcs && ch.rxTone.inverted ? 'R' : 'N';
  if (txSide == ToneSide::None && rxSide == ToneSide::None) {
    mode = "";
  } else if (txSide == ToneSide::Tone && rxSide == ToneSide::None) {
    mode = "Tone";
    rTone = CtcssText(ch.txTone);
  } else if (txSide == ToneSide::Tone && rxSide == ToneSide::Tone &&
             ch.txTone.value == ch.rxTone.value) {
    mode = "TSQL";
    rTone = cTone = CtcssText(ch.txTone);
  } else if (txSide == ToneSide::Dtcs && rxSide == ToneSide::Dtcs &&
             (ch.txTone.value & 0x1FF) == (ch.rxTone.value & 0x1FF)) {
    mode = "DTCS";
    dtcs = rxDtcs = DcsDigits(ch.txTone);
  } else {
    mode = "Cross";
    cross = std::string(SideName(txSide)) + "->" + SideName(rxSide);
    if (txSide == ToneSide::Tone) rTone = CtcssText(ch.txTone);
    if (rxSide == ToneSide::Tone) cTone = CtcssText(ch.rxTone);
    if (txSide == ToneSide::Dtcs) dtcs = DcsDigits(ch.txTone);
    if (rxSide == ToneSide::Dtcs) rxDtcs = DcsDigits(ch.rxTone);
  }
  std::string polarity{txPol, rxPol};

  return std::vector<std::string>{std::to_string(location),
                                  "",
                                  MegahertzText(rx),
                                  duplex,
                                  offset,
                                  mode,
                                  rTone,
                                  cTone,
                                  dtcs,
                                  polarity,
                                  rxDtcs,
                                  cross,
                                  ch.bandwidth == 0 ? "NFM" : "FM",
                                  rx % 500 == 0 ? "5.00" : "6.25",
                                  ch.scan == 1 ? "" : "S",
                                  ch.power == 0 ? "Low" : "High",
                                  ""};
}

CsvExport ExportChannelsCsv(const EditorState& state) {
  CsvExport out;
  out.text = CsvLine(kCsvColumns);
  for (int n = 0; n < kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n];
    if (ch.empty()) continue;
    if (auto fields = ChannelCsvFields(ch, n + 1))
      out.text += CsvLine(*fields);
    else
      out.leftOut.push_back(n + 1);
  }
  return out;
}

namespace {

struct RowReader {
  const CsvRecord& record;
  const std::map<std::string, int>& columns;  // lower-case name -> index
  const std::vector<std::string>& header;
  std::vector<CsvProblem>& problems;
  bool refused = false;

  bool Has(const char* name) const { return columns.count(Lower(name)) > 0; }
  int Index(const char* name) const {
    auto it = columns.find(Lower(name));
    return it == columns.end() ? -1 : it->second;
  }
  std::string Get(const char* name) const {
    int k = Index(name);
    if (k < 0 || k >= static_cast<int>(record.fields.size())) return {};
    return std::string(Trim(record.fields[k]));
  }
  void Refuse(const char* name, const std::string& reason) {
    int k = Index(name);
    CsvProblem p;
    p.line = record.line;
    p.column = k + 1;
    p.columnName = k >= 0 ? header[k] : name;
    p.value = Get(name);
    p.reason = reason;
    problems.push_back(std::move(p));
    refused = true;
  }
  void RefuseRow(const std::string& reason) {
    problems.push_back({record.line, 0, "", "", reason});
    refused = true;
  }
};

}  // namespace

CsvImportReport ImportChannelsCsv(std::string_view text, EditorState& state, bool skipBad,
                                  bool renumber) {
  return ImportChannelsTable(ParseCsv(text), state, skipBad, renumber);
}

CsvImportReport ImportChannelsTable(const CsvParseResult& table, EditorState& state, bool skipBad,
                                    bool renumber) {
  CsvImportReport report;
  if (!table.ok()) {
    report.fatal = table.error;
    report.fatalLine = table.errorLine;
    return report;
  }
  if (table.records.empty()) {
    report.fatal = "the file is empty";
    return report;
  }
  const CsvRecord& headerRecord = table.records.front();
  std::vector<std::string> header;
  std::map<std::string, int> columns;
  for (size_t k = 0; k < headerRecord.fields.size(); ++k) {
    std::string name(Trim(headerRecord.fields[k]));
    header.push_back(name);
    if (name.empty()) continue;
    if (!columns.emplace(Lower(name), static_cast<int>(k)).second) {
      report.fatal = "the column " + name + " appears twice in the header";
      report.fatalLine = headerRecord.line;
      return report;
    }
  }
  for (const char* required : {"Location", "Frequency"}) {
    if (renumber && std::string_view(required) == "Location") continue;
    if (!columns.count(Lower(required))) {
      report.fatal = std::string("the header has no column ") + required;
      report.fatalLine = headerRecord.line;
      return report;
    }
  }
  if (table.records.size() == 1) {
    report.fatal = "the file lists no channels";
    return report;
  }

  // Columns that hold values the radio cannot keep.
  std::vector<bool> ignored(header.size(), false);
  for (size_t k = 0; k < header.size(); ++k) {
    std::string lower = Lower(header[k]);
    bool known = std::any_of(kCsvColumns.begin(), kCsvColumns.end(),
                             [&](const std::string& c) { return Lower(c) == lower; });
    bool dropped = std::any_of(kIgnoredColumns.begin(), kIgnoredColumns.end(),
                               [&](const char* c) { return Lower(c) == lower; });
    ignored[k] = !known || dropped;
  }
  std::vector<bool> ignoredHasValue(header.size(), false);

  // Power figures in watts: the largest of the file counts as high.
  double maxWatts = -1;
  int powerColumn = columns.count("power") ? columns.at("power") : -1;
  for (size_t r = 1; r < table.records.size(); ++r) {
    const auto& f = table.records[r].fields;
    if (powerColumn >= 0 && powerColumn < static_cast<int>(f.size()))
      if (auto w = Watts(f[powerColumn])) maxWatts = std::max(maxWatts, *w);
  }

  std::array<Channel, kChannelCount> channels{};
  std::array<bool, kChannelCount> listed{};
  std::array<int, kChannelCount> listedOnLine{};
  const BandSelection& band = state.band;

  for (size_t r = 1; r < table.records.size(); ++r) {
    const CsvRecord& record = table.records[r];
    RowReader row{record, columns, header, report.problems};

    for (size_t k = 0; k < record.fields.size(); ++k) {
      if (k >= header.size() || header[k].empty()) {
        if (!Trim(record.fields[k]).empty()) {
          row.RefuseRow("field " + std::to_string(k + 1) + " has no column name in the header");
          break;
        }
        continue;
      }
      if (ignored[k] && !Trim(record.fields[k]).empty()) ignoredHasValue[k] = true;
    }

    // Location.
    int location = 0;
    if (renumber) {
      location = static_cast<int>(r);
      if (location > kChannelCount) {
        row.RefuseRow("row " + std::to_string(r) + " of the list: the radio has 16 channels");
        location = 0;
      }
    } else {
      std::string v = row.Get("Location");
      bool digits = !v.empty() && v.size() <= 2 &&
                    std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
      if (digits) location = std::stoi(v);
      if (!digits || location < 1 || location > kChannelCount) {
        row.Refuse("Location",
                   "not a channel number 1 to 16 (--renumber takes the rows as channels 1, 2, ... "
                   "in file order)");
        location = 0;
      } else if (listed[location - 1]) {
        row.Refuse("Location", "channel " + v + " is already on line " +
                                   std::to_string(listedOnLine[location - 1]));
        location = 0;
      }
    }

    Channel ch;
    // Receive frequency.
    FrequencyCheck rx = CheckChannelFrequency(band, row.Get("Frequency"));
    if (!rx.refusal.empty()) row.Refuse("Frequency", rx.refusal);

    // Transmit frequency from Duplex and Offset.
    std::string duplex = Lower(row.Get("Duplex"));
    std::optional<int64_t> tx;
    bool txOff = false;
    if (duplex.empty()) {
      if (rx.refusal.empty()) tx = rx.units;
    } else if (duplex == "off") {
      txOff = true;
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
      std::optional<int64_t> offset = ParseMegahertz(row.Get("Offset"));
      if (!row.Has("Offset")) {
        row.RefuseRow("the duplex " + row.Get("Duplex") + " needs the column Offset");
      } else if (!offset) {
        row.Refuse("Offset", "not a frequency in MHz");
      } else if (duplex == "split") {
        tx = *offset;
      } else if (rx.refusal.empty()) {
        tx = duplex == "+" ? rx.units + *offset : rx.units - *offset;
      }
      if (tx) {
        std::string why = CheckChannelFrequencyUnits(band, *tx);
        if (!why.empty()) {
          row.Refuse("Offset", *tx < 0
                                   ? "the transmit frequency is below 0"
                                   : "the transmit frequency " + MegahertzText(*tx) + " is " + why);
          tx.reset();
        }
      }
    } else {
      row.Refuse("Duplex", "not one of \"\", +, -, split, off");
    }

    // Tones.
    std::string toneMode = Lower(row.Get("Tone"));
    Tone txTone = Tone::Off(), rxTone = Tone::Off();
    auto needColumn = [&](const char* name) {
      if (row.Has(name)) return true;
      row.RefuseRow("the tone mode " + row.Get("Tone") + " needs the column " + name);
      return false;
    };
    auto ctcss = [&](const char* name, Tone& into) {
      if (!needColumn(name)) return;
      ToneCheck c = CheckCtcssTone(row.Get(name));
      if (!c.refusal.empty())
        row.Refuse(name, c.refusal);
      else
        into = c.tone;
    };
    // DtcsPolarity: transmit letter first, then receive; N normal, R inverted.
    std::optional<std::array<bool, 2>> polarity;
    auto readPolarity = [&]() -> bool {
      if (polarity) return true;
      if (!needColumn("DtcsPolarity")) return false;
      std::string p = row.Get("DtcsPolarity");
      if (p.size() != 2 || (p[0] != 'N' && p[0] != 'R') || (p[1] != 'N' && p[1] != 'R')) {
        row.Refuse("DtcsPolarity", "not two letters N or R (transmit, then receive)");
        polarity = std::array<bool, 2>{false, false};
        return false;
      }
      polarity = std::array<bool, 2>{p[0] == 'R', p[1] == 'R'};
      return true;
    };
    auto dcs = [&](const char* name, int side, Tone& into) {
      if (!needColumn(name)) return;
      bool okPolarity = readPolarity();
      // Without a DtcsPolarity column there is no polarity to look at.
      ToneCheck c = CheckDcsCode(row.Get(name), polarity && (*polarity)[side]);
      if (!c.refusal.empty())
        row.Refuse(name, c.refusal);
      else if (okPolarity)
        into = c.tone;
    };
    if (toneMode.empty()) {
    } else if (toneMode == "tone") {
      ctcss("rToneFreq", txTone);
    } else if (toneMode == "tsql") {
      ctcss("cToneFreq", rxTone);
      txTone = rxTone;
    } else if (toneMode == "dtcs") {
      dcs("DtcsCode", 0, txTone);
      if (txTone.kind == ToneKind::Dcs) rxTone = Tone::Dcs(txTone.value, (*polarity)[1]);
    } else if (toneMode == "cross") {
      if (needColumn("CrossMode")) {
        std::string cross = row.Get("CrossMode");
        size_t arrow = cross.find("->");
        auto kind = [](std::string_view s) -> std::optional<ToneSide> {
          if (s.empty()) return ToneSide::None;
          if (s == "Tone") return ToneSide::Tone;
          if (s == "DTCS") return ToneSide::Dtcs;
          return std::nullopt;
        };
        std::optional<ToneSide> txSide, rxSide;
        if (arrow != std::string::npos) {
          txSide = kind(Trim(std::string_view(cross).substr(0, arrow)));
          rxSide = kind(Trim(std::string_view(cross).substr(arrow + 2)));
        }
        if (!txSide || !rxSide) {
          row.Refuse("CrossMode", "not A->B with A and B each Tone, DTCS or empty");
        } else {
          if (*txSide == ToneSide::Tone) ctcss("rToneFreq", txTone);
          if (*txSide == ToneSide::Dtcs) dcs("DtcsCode", 0, txTone);
          if (*rxSide == ToneSide::Tone) ctcss("cToneFreq", rxTone);
          if (*rxSide == ToneSide::Dtcs) dcs("RxDtcsCode", 1, rxTone);
        }
      }
    } else {
      row.Refuse("Tone", "not a tone mode of this radio (\"\", Tone, TSQL, DTCS, Cross)");
    }

    // Bandwidth, scan and power.
    int8_t bandwidth = 1, scan = 1, power = 1;
    if (std::string m = row.Get("Mode"); m == "NFM")
      bandwidth = 0;
    else if (!m.empty() && m != "FM")
      row.Refuse("Mode", "not FM or NFM");
    if (std::string s = row.Get("Skip"); s == "S")
      scan = 0;
    else if (!s.empty() && s != "P")
      row.Refuse("Skip", "not empty or S");
    if (std::string p = Lower(row.Get("Power")); p == "low") {
      power = 0;
    } else if (!p.empty() && p != "high") {
      if (auto w = Watts(p))
        power = *w >= maxWatts ? 1 : 0;
      else
        row.Refuse("Power", "not High, Low or a figure in watts");
    }

    if (row.refused || location == 0) {
      ++report.rowsRefused;
      continue;
    }
    ch.rx = Freq4FromUnits(rx.units);
    ch.tx = txOff || !tx ? kNoFrequency : Freq4FromUnits(static_cast<uint32_t>(*tx));
    ch.rxTone = rxTone;
    ch.txTone = ch.tx.blank() && !txTone.IsSet() ? Tone::Blank() : txTone;
    ch.power = power;
    ch.bandwidth = bandwidth;
    ch.scan = scan;
    const Channel& before = state.grid.channels[location - 1];
    ch.forbid = before.empty() || before.forbid < 0 ? int8_t{0} : before.forbid;
    channels[location - 1] = ch;
    listed[location - 1] = true;
    listedOnLine[location - 1] = record.line;
    ++report.rowsAccepted;
  }

  for (size_t k = 0; k < header.size(); ++k)
    if (ignored[k] && ignoredHasValue[k]) report.ignoredColumns.push_back(header[k]);

  if (report.rowsRefused > 0 && !skipBad) return report;
  if (report.rowsAccepted == 0) {
    report.fatal = "no row was accepted";
    return report;
  }

  for (int n = 0; n < kChannelCount; ++n) {
    state.grid.channels[n] = channels[n];
    auto& choice = state.grid.ChannelChoice[n];
    choice.fill(0);
    if (!listed[n]) continue;
    StoreChoicesOf(state.grid, n + 1);
  }
  report.changed = true;
  return report;
}

}  // namespace kv3
