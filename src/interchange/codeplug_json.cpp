#include "interchange/codeplug_json.h"

#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>

#include "editor/band.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "image/hex.h"

namespace kv3 {

using Json = nlohmann::ordered_json;

namespace {

// The byte the encoder makes of a decimal option text.
int OptionValue(const std::string& text) {
  double v = Val(text);
  if (!(v > 0)) return 0;
  if (v >= 65535) return 65535;
  return static_cast<int>(std::nearbyint(v));
}

std::string ToneJson(const Tone& t) {
  if (t.IsSet()) return SetToneText(t);
  return "off";
}

const char* const kVoicePrompts[] = {"off", "chinese", "english"};

Json Setting(int position) {
  return position < 0 ? Json(nullptr) : Json(position);
}

std::string HexOf(const std::string& bytes) {
  return BytesToHexText(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace

std::string CodeplugToJson(const EditorState& state) {
  const SharedValues& s = state.shared;
  const auto& ot = s.OptionText;
  const auto& oi = s.OptionIndex;
  const FunctionSettings& fs = state.settings;

  Json j;
  j["format"] = kCodeplugJsonFormat;
  j["version"] = kCodeplugJsonVersion;
  int band = state.band.index >= 0 && state.band.index < kBandCount ? state.band.index : 0;
  j["band"] = std::string(kBands[band].text);

  Json channels = Json::array();
  for (int n = 0; n < kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n];
    if (ch.empty()) continue;
    channels.push_back({{"channel", n + 1},
                        {"rxFrequency", FrequencyText(ch.rx)},
                        {"rxTone", ToneJson(ch.rxTone)},
                        {"txFrequency", FrequencyText(ch.tx)},
                        {"txTone", ToneJson(ch.txTone)},
                        {"power", ch.power == 0 ? "low" : "high"},
                        {"txInhibit", ch.forbid == 0 ? "off" : "carrier"},
                        {"bandwidth", ch.bandwidth == 0 ? "narrow" : "wide"},
                        {"scan", ch.scan == 1}});
  }
  j["channels"] = channels;

  j["functionSettings"] = {
      {"voicePrompt", fs.voicePrompt >= 0 && fs.voicePrompt <= 2
                          ? Json(kVoicePrompts[fs.voicePrompt])
                          : Json(nullptr)},
      {"txTimeoutSeconds", fs.txTimeout < 0 ? Json(nullptr) : Json(15 * (fs.txTimeout + 1))},
      {"preAlertSeconds", Setting(fs.preAlert)},
      {"squelch", Setting(fs.squelch)},
      {"batterySave", fs.batterySave < 0 ? Json(nullptr) : Json(fs.batterySave != 0)},
      {"beep", fs.beep < 0 ? Json(nullptr) : Json(fs.beep != 0)},
  };

  j["optionalFunctions"] = {
      {"voxFunction", OptionValue(ot[5]) != 0},
      {"voxGain", OptionValue(ot[6])},
      {"voxDelay", OptionValue(ot[7])},
      {"voxTone", OptionValue(ot[8]) != 0},
      {"cancelOperation", OptionValue(ot[22]) != 0},
      {"rxBlocksVox", OptionValue(ot[23]) != 0},
      {"pttId", OptionValue(ot[3])},
      {"duplicate", Val(ot[9]) != 0},
      {"priority", OptionValue(ot[10])},
      {"priorityChannel", OptionValue(ot[11])},
      {"retraceTimeA", OptionValue(ot[12])},
      {"retraceTimeB", OptionValue(ot[13])},
      {"returnChannel", OptionValue(ot[14])},
      {"scanRxDelaySeconds", OptionValue(ot[18])},
      {"scanTxDelaySeconds", OptionValue(ot[19])},
  };

  Json codes = Json::array();
  for (const auto& c : s.DtmfMemoryCodes) codes.push_back(Latin1ToUtf8(c));
  j["dtmf"] = {
      {"rate", oi[0]},         {"firstDigitTime", oi[1]}, {"firstDigitDelayMs", oi[2]},
      {"starHashTone", oi[3]}, {"dKey", oi[4]},           {"sideTone", oi[5] != 0},
      {"groupCall", oi[6]},    {"autoResetTimer", oi[7]}, {"memoryCodes", codes},
  };

  j["keys"] = {{"pf1", s.Pf1KeyFunction}, {"pf2", s.Pf2KeyFunction}};
  j["powerLevels"] = {{"high", s.TxPowerHighLevel}, {"low", s.TxPowerLowLevel}};

  Json tests = Json::array();
  for (const auto& t : s.TestFrequencyTable)
    tests.push_back({{"rx", FrequencyText(t[0])}, {"tx", FrequencyText(t[1])}});
  j["testFrequencies"] = tests;
  j["embeddedInfo"] = {Latin1ToUtf8(s.EmbeddedInfoText[0]), Latin1ToUtf8(s.EmbeddedInfoText[1])};
  j["carried"] = {{"optionText15", HexOf(ot[15])},
                  {"optionText16", HexOf(ot[16])},
                  {"optionText17", HexOf(ot[17])}};
  return j.dump(2) + "\n";
}

namespace {

// Reads the members of one object, noting every refused value with its path.
class ObjectReader {
 public:
  ObjectReader(const Json& object, std::string path, std::vector<std::string>& problems)
      : object_(object), path_(std::move(path)), problems_(problems) {}

  // Notes the members that no reader asked for.
  ~ObjectReader() {
    if (!object_.is_object() || abandoned_) return;
    for (const auto& [key, value] : object_.items())
      if (!seen_.count(key)) Problem(key, "not a field of this format");
  }

  // The object is refused as a whole: its other members are not looked at.
  void Abandon() { abandoned_ = true; }

  bool IsObject() {
    if (object_.is_object()) return true;
    problems_.push_back(path_ + ": not an object");
    return false;
  }

  // The member, or nullptr when it is absent.
  const Json* Member(const std::string& key) {
    seen_.insert(key);
    if (!object_.is_object()) return nullptr;
    auto it = object_.find(key);
    return it == object_.end() ? nullptr : &*it;
  }

  std::string PathOf(const std::string& key) const {
    return path_.empty() ? key : path_ + "." + key;
  }
  void Problem(const std::string& key, const std::string& reason) {
    problems_.push_back(PathOf(key) + ": " + reason);
  }

  void Int(const std::string& key, int lo, int hi, int& out, bool nullable = false) {
    const Json* v = Member(key);
    if (!v) return;
    if (nullable && v->is_null()) {
      out = -1;
      return;
    }
    if (!v->is_number_integer() || v->get<int64_t>() < lo || v->get<int64_t>() > hi) {
      Problem(key, "not a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                       (nullable ? " (or null)" : ""));
      return;
    }
    out = v->get<int>();
  }

  // A number held as the decimal text of an option.
  void OptionInt(const std::string& key, int lo, int hi, std::string& out) {
    int v = -2;
    Int(key, lo, hi, v);
    if (v != -2) out = std::to_string(v);
  }

  void Bool(const std::string& key, std::function<void(bool)> set, bool nullable = false) {
    const Json* v = Member(key);
    if (!v) return;
    if (nullable && v->is_null()) return set(false), void(nullableNull_ = true);
    if (!v->is_boolean())
      return Problem(key, nullable ? "not true, false or null" : "not true or false");
    set(v->get<bool>());
  }

  bool TakeNull() {
    bool n = nullableNull_;
    nullableNull_ = false;
    return n;
  }

  bool String(const std::string& key, std::string& out) {
    const Json* v = Member(key);
    if (!v) return false;
    if (!v->is_string()) {
      Problem(key, "not a text");
      return false;
    }
    out = v->get<std::string>();
    return true;
  }

 private:
  const Json& object_;
  std::string path_;
  std::vector<std::string>& problems_;
  std::set<std::string> seen_;
  bool nullableNull_ = false;
  bool abandoned_ = false;
};

// A frequency field as FrequencyText shows it: nine characters, the point
// fourth; the digits of a field that is not BCD show as hex letters.
bool ParseFrequencyField(const std::string& text, Freq4& out) {
  if (text.empty()) {
    out = kNoFrequency;
    return true;
  }
  if (text.size() != 9 || text[3] != '.') return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == 3) continue;
    char c = text[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  out = Freq4FromText(text);
  return true;
}

// "off", "88.5" (tenths of a hertz as the image word holds them), "D023N".
bool ParseToneField(const std::string& text, Tone& out) {
  if (text == "off") {
    out = Tone::Off();
    return true;
  }
  if (text.size() == 5 && text[0] == 'D' && (text[4] == 'N' || text[4] == 'I')) {
    uint16_t code = 0;
    for (int i = 1; i <= 3; ++i) {
      if (text[i] < '0' || text[i] > '7') return false;
      code = static_cast<uint16_t>(code * 8 + (text[i] - '0'));
    }
    out = Tone::Dcs(code, text[4] == 'I');
    return true;
  }
  size_t point = text.find('.');
  if (point == std::string::npos || point == 0 || point + 2 != text.size() || point > 4)
    return false;
  uint32_t tenths = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == point) continue;
    if (text[i] < '0' || text[i] > '9') return false;
    tenths = tenths * 10 + static_cast<uint32_t>(text[i] - '0');
  }
  // A word whose first hex digit is 2 or A is a DCS word, and FFFF is off.
  unsigned first = tenths >> 12;
  if (tenths >= 0xFFFF || first == 0x2 || first == 0xA) return false;
  out = Tone::Ctcss(static_cast<uint16_t>(tenths));
  return true;
}

// A byte string from its Latin-1 text; false for characters beyond Latin-1,
// for a text longer than the field and for a byte the field cannot carry.
bool ParseByteText(const std::string& utf8, size_t maxBytes, std::string_view forbidden,
                   std::string& out) {
  std::string bytes;
  if (!Utf8ToLatin1(utf8, bytes) || bytes.size() > maxBytes) return false;
  if (bytes.find_first_of(forbidden) != std::string::npos) return false;
  out = bytes;
  return true;
}

}  // namespace

namespace {

JsonImportReport ReadCodeplugJson(std::string_view text, EditorState& state) {
  JsonImportReport report;
  auto& problems = report.problems;
  Json root;
  try {
    root = Json::parse(text.begin(), text.end());
  } catch (const nlohmann::json::out_of_range& e) {
    // A number beyond every floating-point value (1e400).
    problems.push_back(std::string("a number too large for any field: ") + e.what());
    report.unreadable = true;
    return report;
  } catch (const nlohmann::json::exception& e) {
    problems.push_back(std::string("not JSON: ") + e.what());
    report.unreadable = true;
    return report;
  }

  EditorState result = state;
  SharedValues& s = result.shared;
  auto& ot = s.OptionText;
  auto& oi = s.OptionIndex;
  {
    ObjectReader top(root, "", problems);
    if (!top.IsObject()) return report;

    std::string format;
    if (top.String("format", format) && format != kCodeplugJsonFormat)
      top.Problem("format", "not \"" + std::string(kCodeplugJsonFormat) + "\"");
    const Json* version = top.Member("version");
    if (!version) {
      top.Abandon();
      problems.push_back("version: missing");
      return report;
    }
    if (!version->is_number_integer() || version->get<int64_t>() != kCodeplugJsonVersion) {
      top.Abandon();
      problems.push_back("version: " + version->dump() + " is not a version this program reads (" +
                         std::to_string(kCodeplugJsonVersion) + ")");
      return report;
    }

    std::string band;
    if (top.String("band", band)) {
      int index = -1;
      for (int b = 0; b < kBandCount; ++b)
        if (kBands[b].text == band) index = b;
      if (index < 0)
        top.Problem("band", "\"" + band + "\" is not a band of the list");
      else
        SelectBandSilently(result.band, index);
    }

    if (const Json* channels = top.Member("channels")) {
      if (!channels->is_array()) {
        top.Problem("channels", "not a list");
      } else {
        for (int n = 1; n <= kChannelCount; ++n) ClearNO(result.grid, n);
        std::set<int> taken;
        for (size_t k = 0; k < channels->size(); ++k) {
          std::string path = "channels[" + std::to_string(k) + "]";
          ObjectReader r((*channels)[k], path, problems);
          if (!r.IsObject()) continue;
          int n = 0;
          r.Int("channel", 1, kChannelCount, n);
          if (n == 0) {
            if (!r.Member("channel")) r.Problem("channel", "missing");
            r.Abandon();
            continue;
          }
          if (!taken.insert(n).second) {
            r.Problem("channel", "channel " + std::to_string(n) + " is listed twice");
            r.Abandon();
            continue;
          }
          Channel ch;
          ch.power = 1;
          ch.forbid = 0;
          ch.bandwidth = 1;
          ch.scan = 1;
          std::string t;
          if (!r.String("rxFrequency", t)) {
            if (!r.Member("rxFrequency")) r.Problem("rxFrequency", "missing");
          } else if (!ParseFrequencyField(t, ch.rx) || ch.rx.blank()) {
            r.Problem("rxFrequency", "\"" + t + "\" is not a frequency like 438.12500");
          }
          ch.tx = ch.rx;
          if (r.String("txFrequency", t) && !ParseFrequencyField(t, ch.tx))
            r.Problem("txFrequency", "\"" + t + "\" is not a frequency like 438.12500, or \"\"");
          ch.rxTone = ch.txTone = Tone::Off();
          if (r.String("rxTone", t) && !ParseToneField(t, ch.rxTone))
            r.Problem("rxTone", "\"" + t + "\" is not off, a tone like 88.5 or a code like D023N");
          if (r.String("txTone", t) && !ParseToneField(t, ch.txTone))
            r.Problem("txTone", "\"" + t + "\" is not off, a tone like 88.5 or a code like D023N");
          if (ch.tx.blank() && ch.txTone.kind == ToneKind::Off) ch.txTone = Tone::Blank();
          auto choice = [&](const char* key, const char* zero, const char* one, int8_t& out) {
            if (!r.String(key, t)) return;
            if (t == zero)
              out = 0;
            else if (t == one)
              out = 1;
            else
              r.Problem(key, "\"" + t + "\" is not \"" + zero + "\" or \"" + one + "\"");
          };
          choice("power", "low", "high", ch.power);
          choice("txInhibit", "off", "carrier", ch.forbid);
          choice("bandwidth", "narrow", "wide", ch.bandwidth);
          r.Bool("scan", [&](bool v) { ch.scan = v ? 1 : 0; });
          result.grid.channels[n - 1] = ch;
          StoreChoicesOf(result.grid, n);
        }
      }
    }

    if (const Json* fsJson = top.Member("functionSettings")) {
      ObjectReader r(*fsJson, "functionSettings", problems);
      FunctionSettings& fs = result.settings;
      if (r.IsObject()) {
        if (const Json* v = r.Member("voicePrompt")) {
          bool found = v->is_null();
          if (found) fs.voicePrompt = -1;
          for (int k = 0; k < 3 && !found; ++k)
            if (v->is_string() && v->get<std::string>() == kVoicePrompts[k]) {
              fs.voicePrompt = k;
              found = true;
            }
          if (!found) r.Problem("voicePrompt", "not \"off\", \"chinese\", \"english\" or null");
        }
        if (const Json* v = r.Member("txTimeoutSeconds")) {
          if (v->is_null()) {
            fs.txTimeout = -1;
          } else if (v->is_number_integer() && v->get<int64_t>() >= 15 &&
                     v->get<int64_t>() <= 600 && v->get<int64_t>() % 15 == 0) {
            fs.txTimeout = v->get<int>() / 15 - 1;
          } else {
            r.Problem("txTimeoutSeconds", "not 15, 30, ... 600 seconds, or null");
          }
        }
        r.Int("preAlertSeconds", 0, 10, fs.preAlert, true);
        r.Int("squelch", 0, 9, fs.squelch, true);
        r.Bool(
            "batterySave", [&](bool v) { fs.batterySave = v ? 1 : 0; }, true);
        if (r.TakeNull()) fs.batterySave = -1;
        r.Bool(
            "beep", [&](bool v) { fs.beep = v ? 1 : 0; }, true);
        if (r.TakeNull()) fs.beep = -1;
      }
    }

    if (const Json* of = top.Member("optionalFunctions")) {
      ObjectReader r(*of, "optionalFunctions", problems);
      if (r.IsObject()) {
        auto flag = [&](const char* key, std::string& out) {
          r.Bool(key, [&](bool v) { out = v ? "1" : "0"; });
        };
        flag("voxFunction", ot[5]);
        r.OptionInt("voxGain", 0, 10, ot[6]);
        r.OptionInt("voxDelay", 0, 5, ot[7]);
        flag("voxTone", ot[8]);
        flag("cancelOperation", ot[22]);
        flag("rxBlocksVox", ot[23]);
        r.OptionInt("pttId", 0, 2, ot[3]);
        flag("duplicate", ot[9]);
        r.OptionInt("priority", 0, 2, ot[10]);
        r.OptionInt("priorityChannel", 1, 16, ot[11]);
        r.OptionInt("retraceTimeA", 0, 91, ot[12]);
        r.OptionInt("retraceTimeB", 0, 91, ot[13]);
        r.OptionInt("returnChannel", 0, 3, ot[14]);
        r.OptionInt("scanRxDelaySeconds", 0, 300, ot[18]);
        r.OptionInt("scanTxDelaySeconds", 0, 300, ot[19]);
      }
    }

    if (const Json* dtmf = top.Member("dtmf")) {
      ObjectReader r(*dtmf, "dtmf", problems);
      if (r.IsObject()) {
        r.Int("rate", 0, 3, oi[0]);
        r.Int("firstDigitTime", 0, 3, oi[1]);
        int delay = -1;
        r.Int("firstDigitDelayMs", 0, 1000, delay);
        if (delay == 0 || (delay >= 100 && delay % 10 == 0))
          oi[2] = delay;
        else if (delay != -1)
          r.Problem("firstDigitDelayMs", "not 100, 110, ... 1000 milliseconds (or 0)");
        r.Int("starHashTone", 0, 3, oi[3]);
        r.Int("dKey", 0, 16, oi[4]);
        r.Bool("sideTone", [&](bool v) { oi[5] = v ? 1 : 0; });
        r.Int("groupCall", 0, 6, oi[6]);
        r.Int("autoResetTimer", 0, 15, oi[7]);
        if (const Json* codes = r.Member("memoryCodes")) {
          if (!codes->is_array() || codes->size() != 8) {
            r.Problem("memoryCodes", "not a list of eight texts");
          } else {
            for (size_t k = 0; k < 8; ++k) {
              const Json& c = (*codes)[k];
              if (!c.is_string() ||
                  !ParseByteText(c.get<std::string>(), 16, std::string_view(":\xFF", 2),
                                 s.DtmfMemoryCodes[k]))
                problems.push_back("dtmf.memoryCodes[" + std::to_string(k) +
                                   "]: not a text of at most 16 characters");
            }
          }
        }
      }
    }

    if (const Json* keys = top.Member("keys")) {
      ObjectReader r(*keys, "keys", problems);
      if (r.IsObject()) {
        r.Int("pf1", 0, 11, s.Pf1KeyFunction);
        r.Int("pf2", 0, 11, s.Pf2KeyFunction);
      }
    }
    if (const Json* power = top.Member("powerLevels")) {
      ObjectReader r(*power, "powerLevels", problems);
      if (r.IsObject()) {
        r.Int("high", 0, 255, s.TxPowerHighLevel);
        r.Int("low", 0, 255, s.TxPowerLowLevel);
      }
    }

    if (const Json* tests = top.Member("testFrequencies")) {
      if (!tests->is_array() || tests->size() != kChannelCount) {
        top.Problem("testFrequencies", "not a list of sixteen test channels");
      } else {
        for (int t = 0; t < kChannelCount; ++t) {
          ObjectReader r((*tests)[t], "testFrequencies[" + std::to_string(t) + "]", problems);
          if (!r.IsObject()) continue;
          for (int j = 0; j < 2; ++j) {
            const char* key = j == 0 ? "rx" : "tx";
            std::string f;
            if (r.String(key, f) && !ParseFrequencyField(f, s.TestFrequencyTable[t][j]))
              r.Problem(key, "\"" + f + "\" is not a frequency like 438.12500, or \"\"");
          }
        }
      }
    }

    if (const Json* info = top.Member("embeddedInfo")) {
      if (!info->is_array() || info->size() != 2) {
        top.Problem("embeddedInfo", "not a list of two texts");
      } else {
        for (size_t k = 0; k < 2; ++k) {
          const Json& e = (*info)[k];
          if (!e.is_string() || !ParseByteText(e.get<std::string>(), 32,
                                               std::string_view("\xFF", 1), s.EmbeddedInfoText[k]))
            problems.push_back("embeddedInfo[" + std::to_string(k) +
                               "]: not a text of at most 32 Latin-1 characters");
        }
      }
    }

    if (const Json* carried = top.Member("carried")) {
      ObjectReader r(*carried, "carried", problems);
      if (r.IsObject()) {
        auto bytes = [&](const char* key, int index, size_t size, bool allowFF) {
          std::string hex;
          if (!r.String(key, hex)) return;
          std::vector<uint8_t> b;
          bool ok = hex.size() % 2 == 0 && HexTextToBytes(hex, b) && b.size() <= size;
          for (uint8_t x : b)
            if (x == 0xFF && !allowFF) ok = false;
          if (!ok) {
            r.Problem(key, "not the hex digits of at most " + std::to_string(size) + " bytes" +
                               (allowFF ? "" : " without FF"));
            return;
          }
          ot[index].assign(b.begin(), b.end());
        };
        bytes("optionText15", 15, 10, true);
        bytes("optionText16", 16, 16, false);
        bytes("optionText17", 17, 16, false);
      }
    }
  }

  if (!problems.empty()) return report;
  state = result;
  return report;
}

}  // namespace

JsonImportReport CodeplugFromJson(std::string_view text, EditorState& state) {
  // The reader checks every value before it takes it; a JSON library
  // exception here would be a gap in those checks, reported, never thrown on.
  try {
    return ReadCodeplugJson(text, state);
  } catch (const nlohmann::json::exception& e) {
    JsonImportReport report;
    report.problems.push_back(std::string("not a codeplug this program reads: ") + e.what());
    report.unreadable = true;
    return report;
  }
}

}  // namespace kv3
