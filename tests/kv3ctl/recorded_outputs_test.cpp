// What kv3ctl show, export and diff print, and what the JSON reader says of
// good and bad documents, for the demo codeplug and for hundreds of generated
// codeplugs: compared with the outputs recorded in tests/kv3ctl/recorded.
//
// The codeplugs come from a seeded generator of their own (random bytes, and
// random editor states that keep the editor's rules), so the same cases come
// back on every machine. The demo's outputs are kept in full; the others as
// hashes. KV3_RECORD=1 writes the recording anew; KV3_DUMP=FOLDER writes
// every output in full into FOLDER, to compare two programs with diff -r.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "codeplug/codec.h"
#include "codeplug/codeplug_view.h"
#include "editor/band.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"
#include "image/hex.h"
#include "in_process.h"
#include "interchange/channel_csv.h"
#include "interchange/codeplug_diff.h"
#include "interchange/codeplug_json.h"
#include "interchange/entry_checks.h"
#include "recorded_keys.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;
using kv3ctl::testing::Ran;
using kv3ctl::testing::RunCommand;
using kv3ctl::testing::TempFolder;
using Json = nlohmann::ordered_json;

const fs::path kRecorded = fs::path(KV3_SOURCE_DIR) / "tests/kv3ctl/recorded";

// splitmix64: the same numbers from every standard library.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Pick(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }

 private:
  uint64_t state_;
};

std::string Hash(std::string_view text) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 0x100000001B3ull;
  }
  char buf[17];
  std::snprintf(buf, sizeof buf, "%012llx", static_cast<unsigned long long>(h >> 16));
  return buf;
}

MemoryImage RandomBytes(Rng& rng) {
  MemoryImage img;
  for (auto& b : img) {
    // FF fillers, small numbers (many fields take them) and any byte.
    int kind = rng.Pick(0, 3);
    b = static_cast<uint8_t>(kind == 0 ? 0xFF : kind == 1 ? rng.Pick(0, 9) : rng.Pick(0, 255));
  }
  // Half of them with a band of the list, a few with empty channels.
  if (rng.Pick(0, 1)) img[At(445)] = kBands[rng.Pick(0, kBandCount - 1)].code;
  for (int n = 0; n < 16; ++n)
    if (rng.Pick(0, 4) == 0)
      for (int k = 0; k < 4; ++k) img[At(16 + 16 * n + k)] = 0xFF;
  return img;
}

std::string RandomBytesText(Rng& rng, int maxLength, int lo, int hi, bool noFF) {
  std::string t;
  int length = rng.Pick(0, maxLength);
  for (int i = 0; i < length; ++i) {
    int c = rng.Pick(lo, hi);
    if (noFF && c == 0xFF) c = 0x20;
    t.push_back(static_cast<char>(c));
  }
  return t;
}

Freq4 RandomFrequency(Rng& rng) {
  switch (rng.Pick(0, 5)) {
    case 0:
      return kNoFrequency;
    case 1: {  // any four bytes but the blank ones
      Freq4 f;
      for (auto& b : f.bytes) b = static_cast<uint8_t>(rng.Pick(0, 254));
      return f;
    }
    case 2:  // on a raster
      return Freq4FromUnits(static_cast<uint32_t>(rng.Pick(13600000 / 625, 99999999 / 625) * 625));
    default:
      return Freq4FromUnits(static_cast<uint32_t>(rng.Pick(0, 99999999)));
  }
}

// An editor state as the program can hold it: every value one that a read,
// an opened file, a JSON import or a window can leave.
EditorState RandomState(Rng& rng) {
  EditorState s = StartupState();
  SelectBandSilently(s.band, rng.Pick(0, kBandCount - 1));
  for (int n = 0; n < kChannelCount; ++n) {
    Channel& ch = s.grid.channels[n];
    if (rng.Pick(0, 3) == 0) continue;
    if (rng.Pick(0, 2) == 0) {  // inside the band, on the raster
      int lo = s.band.BandLowLimit * 100000, hi = s.band.BandHighLimit * 100000 - 1;
      ch.rx = Freq4FromUnits(static_cast<uint32_t>(rng.Pick(lo / 500, hi / 500) * 500));
    } else {
      ch.rx = RandomFrequency(rng);
      if (ch.rx.blank()) ch.rx = Freq4FromUnits(43812500);
    }
    ch.tx = rng.Pick(0, 4) == 0 ? kNoFrequency : rng.Pick(0, 1) ? ch.rx : RandomFrequency(rng);
    auto tone = [&] {
      switch (rng.Pick(0, 4)) {
        case 0:
          return Tone::Ctcss(static_cast<uint16_t>(rng.Pick(0, 0x1FFF)));
        case 1: {
          // One draw after the other: compilers work out a call's arguments
          // in different orders.
          const auto code = static_cast<uint16_t>(rng.Pick(0, 511));
          return Tone::Dcs(code, rng.Pick(0, 1) == 1);
        }
        default:
          return ToneAt(rng.Pick(0, kToneListSize - 1));
      }
    };
    ch.rxTone = tone();
    ch.txTone = tone();
    if (ch.tx.blank() && ch.txTone.kind == ToneKind::Off) ch.txTone = Tone::Blank();
    ch.power = static_cast<int8_t>(rng.Pick(0, 1));
    ch.forbid = static_cast<int8_t>(rng.Pick(0, 1));
    ch.bandwidth = static_cast<int8_t>(rng.Pick(0, 1));
    ch.scan = static_cast<int8_t>(rng.Pick(0, 1));
    auto& c = s.grid.ChannelChoice[n];
    c[3] = ch.power;
    c[4] = ch.forbid;
    c[5] = ch.bandwidth;
    c[6] = ch.scan;
  }
  // -1 is a list without a selection.
  s.settings = {rng.Pick(-1, 2), rng.Pick(-1, 39), rng.Pick(-1, 10),
                rng.Pick(-1, 9), rng.Pick(-1, 1),  rng.Pick(-1, 1)};
  auto& sh = s.shared;
  int delay = rng.Pick(0, 2) == 0 ? 0 : rng.Pick(10, 100) * 10;
  if (rng.Pick(0, 1)) delay -= delay % 50;
  sh.OptionIndex = {rng.Pick(0, 3),  rng.Pick(0, 3), delay,          rng.Pick(0, 3),
                    rng.Pick(0, 16), rng.Pick(0, 1), rng.Pick(0, 6), rng.Pick(0, 15)};
  const int ranges[][3] = {{3, 0, 2},  {5, 0, 1},    {6, 0, 10},   {7, 0, 5},   {8, 0, 1},
                           {9, 0, 1},  {10, 0, 2},   {11, 1, 16},  {12, 0, 91}, {13, 0, 91},
                           {14, 0, 3}, {18, 0, 300}, {19, 0, 300}, {22, 0, 1},  {23, 0, 1}};
  for (const auto& r : ranges) sh.OptionText[r[0]] = std::to_string(rng.Pick(r[1], r[2]));
  // The delay boxes start empty.
  if (rng.Pick(0, 5) == 0) sh.OptionText[18].clear();
  if (rng.Pick(0, 5) == 0) sh.OptionText[19].clear();
  sh.OptionText[15] = RandomBytesText(rng, 10, 0, 255, false);
  if (rng.Pick(0, 1)) sh.OptionText[15].resize(10, '\xFF');
  sh.OptionText[16] = RandomBytesText(rng, 16, 0, 254, true);
  sh.OptionText[17] = RandomBytesText(rng, 16, 0, 254, true);
  for (auto& code : sh.DtmfMemoryCodes) {
    if (rng.Pick(0, 4) == 0) {
      code = RandomBytesText(rng, 16, 0, 254, true);
      for (char& c : code)
        if (c == ':') c = '0';  // 0x3A is how the image holds "0"
    } else {
      code.clear();
      int length = rng.Pick(0, 16);
      for (int i = 0; i < length; ++i) code.push_back("0123456789ABCD*#"[rng.Pick(0, 15)]);
    }
  }
  sh.Pf1KeyFunction = rng.Pick(0, 11);
  sh.Pf2KeyFunction = rng.Pick(0, 11);
  sh.TxPowerHighLevel = rng.Pick(0, 255);
  sh.TxPowerLowLevel = rng.Pick(0, 255);
  for (auto& t : sh.TestFrequencyTable) {
    t[0] = RandomFrequency(rng);
    t[1] = rng.Pick(0, 1) ? t[0] : RandomFrequency(rng);
  }
  for (auto& e : sh.EmbeddedInfoText)
    e = rng.Pick(0, 3) == 0 ? RandomBytesText(rng, 32, 0, 254, true)
                            : RandomBytesText(rng, 32, 0x20, 0x7E, true);
  return s;
}

// A few values of a state changed, as an edit in a window would.
EditorState Mutated(EditorState s, Rng& rng) {
  for (int k = rng.Pick(1, 3); k > 0; --k) {
    switch (rng.Pick(0, 9)) {
      case 0:
        s.settings.squelch = rng.Pick(0, 9);
        break;
      case 1:
        s.shared.OptionText[std::array{3, 5, 6, 7, 8, 9, 10, 12, 13, 14, 22, 23}[rng.Pick(0, 11)]] =
            std::to_string(rng.Pick(0, 1));
        break;
      case 2:
        s.shared.OptionText[18 + rng.Pick(0, 1)] = std::to_string(rng.Pick(0, 300));
        break;
      case 3:
        s.shared.OptionIndex[rng.Pick(0, 7)] = rng.Pick(0, 3);
        break;
      case 4:
        s.shared.Pf2KeyFunction = rng.Pick(0, 11);
        break;
      case 5:
        s.shared.TxPowerLowLevel = rng.Pick(0, 255);
        break;
      case 6:
        s.shared.TestFrequencyTable[rng.Pick(0, 15)][rng.Pick(0, 1)] = RandomFrequency(rng);
        break;
      case 7:
        s.shared.EmbeddedInfoText[rng.Pick(0, 1)] = RandomBytesText(rng, 32, 0x20, 0x7E, true);
        break;
      case 8:
        s.shared.DtmfMemoryCodes[rng.Pick(0, 7)] = RandomBytesText(rng, 16, '0', '9', true);
        break;
      default:
        s.grid.channels[rng.Pick(0, 15)].power = static_cast<int8_t>(rng.Pick(0, 1));
        break;
    }
  }
  return s;
}

const Language kLanguages[] = {Language::Simplified, Language::English, Language::Traditional};
const char* LanguageName(Language lang) {
  return lang == Language::English ? "en" : lang == Language::Traditional ? "zh-Hant" : "zh-Hans";
}

// The outputs of one kind of case, by name, and their comparison with the
// recording.
class Outputs {
 public:
  explicit Outputs(std::string file) : file_(std::move(file)) {}

  void Add(std::string name, const std::string& text) {
    for (char& c : name)
      if (c == '/') c = '.';
    outputs_.emplace_back(std::move(name), text);
  }

  void Check() const {
    const fs::path path = kRecorded / file_;
    if (const char* dump = std::getenv("KV3_DUMP")) {
      fs::path folder = fs::path(dump) / file_;
      fs::create_directories(folder);
      for (const auto& [name, text] : outputs_) kv3ctl::testing::WriteFile(folder / name, text);
    }
    // The demo's outputs are kept in full.
    const fs::path full = kRecorded / "demo";
    if (std::getenv("KV3_RECORD")) {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      for (const auto& [name, text] : outputs_) {
        out << name << " " << Hash(text) << "\n";
        if (name.rfind("demo.", 0) == 0) kv3ctl::testing::WriteFile(full / name, text);
      }
      return;
    }
    std::map<std::string, std::string> recorded;
    std::ifstream in(path);
    ASSERT_TRUE(in) << path << " is missing";
    std::string name, hash;
    while (in >> name >> hash) recorded[name] = hash;
    ASSERT_EQ(recorded.size(), outputs_.size()) << path << ": another number of outputs";
    int shown = 0;
    for (const auto& [name, text] : outputs_) {
      auto it = recorded.find(name);
      ASSERT_NE(it, recorded.end()) << name << " was not recorded";
      if (name.rfind("demo.", 0) == 0) {
        EXPECT_EQ(text, kv3ctl::testing::ReadFile(full / name)) << name;
      }
      if (it->second == Hash(text)) continue;
      ADD_FAILURE() << name << " differs from the recording"
                    << (shown++ < 3 ? ":\n" + text : std::string());
    }
  }

 private:
  std::string file_;
  std::vector<std::pair<std::string, std::string>> outputs_;
};

std::string Shown(const Ran& r, const std::string& folder) {
  std::string text =
      "exit " + std::to_string(r.code) + "\n--- stdout\n" + r.out + "--- stderr\n" + r.err;
  for (size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
    text.replace(at, folder.size(), "<folder>");
  return text;
}

// The outputs kv3ctl gives for one codeplug file (and for its difference to
// the file before it); in every language for some of them.
void Kv3ctlOutputs(const std::string& name, const std::string& file, const std::string& before,
                   bool everyLanguage, const TempFolder& folder, Outputs& outputs) {
  const std::string dir = folder.path().string();
  for (Language lang : kLanguages) {
    if (!everyLanguage && lang != Language::English) continue;
    std::string l = LanguageName(lang);
    outputs.Add(name + ".show." + l, Shown(RunCommand(kv3ctl::RunShow, {file, "--lang", l}), dir));
    Ran json = RunCommand(kv3ctl::RunShow, {file, "--json", "--lang", l});
    json.out = testing::ShowJsonWithRecordedKeys(json.out);
    outputs.Add(name + ".show-json." + l, Shown(json, dir));
    outputs.Add(name + ".diff." + l,
                Shown(RunCommand(kv3ctl::RunDiff, {before, file, "--lang", l}), dir));
  }
  if (everyLanguage)
    outputs.Add(name + ".diff-json",
                Shown(RunCommand(kv3ctl::RunDiff, {before, file, "--json"}), dir));
  for (const char* ext : {"csv", "json"}) {
    const std::string out = folder.Path(std::string("export.") + ext);
    fs::remove(out);
    std::string text = Shown(RunCommand(kv3ctl::RunExport, {file, "-o", out}), dir);
    outputs.Add(name + ".export." + ext, text + "--- file\n" + kv3ctl::testing::ReadFile(out));
  }
}

std::string ImageText(const MemoryImage& image) {
  return BytesToHexText(image);
}

TEST(RecordedOutputs, Kv3ctlShowsExportsAndComparesGeneratedCodeplugsAsBefore) {
  TempFolder folder;
  Outputs outputs("kv3ctl.txt");
  const std::string demo = KV3_SOURCE_DIR "/data/demo.DAT";
  std::string before = folder.Path("startup.DAT");
  ASSERT_TRUE(SaveCodeplug(before, EncodeImage(StartupState())).ok());
  Kv3ctlOutputs("demo", demo, before, true, folder, outputs);
  before = demo;

  Rng rng(20240614);
  for (int i = 0; i < 300; ++i) {
    // Random bytes, then images of random editor states, in turns.
    MemoryImage image = i % 3 == 0 ? EncodeImage(RandomState(rng)) : RandomBytes(rng);
    const std::string name = "case" + std::to_string(i);
    outputs.Add(name + ".image", ImageText(image));
    const std::string file = folder.Path(name + ".DAT");
    ASSERT_TRUE(SaveCodeplug(file, image).ok());
    Kv3ctlOutputs(name, file, before, i % 10 == 0, folder, outputs);
    before = file;
  }
  outputs.Check();
}

std::string ViewText(const CodeplugView& view) {
  std::string t;
  for (const auto& h : view.gridHeaders) t += h + "|";
  t += "\n";
  for (const auto& row : view.grid) {
    for (const auto& cell : row) t += cell + "|";
    t += "\n";
  }
  for (const auto& s : view.sections) {
    t += "[" + s.caption + "]\n";
    for (const auto& f : s.fields) t += f.caption + "=" + f.value + "\n";
  }
  return t;
}

std::string ViewKeys(const CodeplugView& view) {
  std::string t;
  for (const auto& s : view.sections) {
    t += "[" + s.key + "]\n";
    for (const auto& f : s.fields) t += testing::RecordedViewKey(s.key, f.key) + "\n";
  }
  return t;
}

std::string DiffText(const EditorState& a, const EditorState& b, Language lang) {
  std::string t;
  for (const FieldDifference& d : DiffCodeplugs(a, b, lang))
    t += std::to_string(d.channel) + "|" + d.section + "|" + d.field + "|" + d.where + "|" +
         d.caption + "|" + d.before + "|" + d.after + "|" + DifferenceLine(d, lang) + "\n";
  return t;
}

std::string RulesText(const EditorState& s) {
  std::string t;
  for (const RuleFinding& f : CheckEditorRules(s))
    t += f.field + "|" + f.value + "|" + f.reason + "\n";
  return t;
}

TEST(RecordedOutputs, TheViewJsonCsvAndDiffOfGeneratedEditorStatesAreAsBefore) {
  Outputs outputs("editor_states.txt");
  Rng rng(1206);
  EditorState before = StartupState();
  for (int i = 0; i < 200; ++i) {
    const EditorState s = i == 0 ? StartupState() : i == 1 ? DemoState() : RandomState(rng);
    const std::string name = "state" + std::to_string(i);
    outputs.Add(name + ".image", ImageText(EncodeImage(s)));
    // Every language for some of them.
    const bool every = i % 10 == 0;
    std::string views, diffs;
    for (Language lang : kLanguages) {
      if (!every && lang != Language::English) continue;
      views += ViewText(MakeView(s, lang));
      diffs += DiffText(before, s, lang);
    }
    outputs.Add(name + ".view", views);
    outputs.Add(name + ".view-keys", ViewKeys(MakeView(s, Language::English)));
    outputs.Add(name + ".json", CodeplugToJson(s));
    CsvExport csv = ExportChannelsCsv(s);
    std::string left;
    for (int n : csv.leftOut) left += std::to_string(n) + " ";
    outputs.Add(name + ".csv", csv.text + "--- left out: " + left);
    outputs.Add(name + ".diff",
                diffs + "--- an edit\n" + DiffText(s, Mutated(s, rng), Language::English));
    outputs.Add(name + ".rules", RulesText(s));
    before = s;
  }
  outputs.Check();
}

// Every leaf of a JSON document, by its JSON pointer.
void Leaves(const Json& j, const Json::json_pointer& at, std::vector<Json::json_pointer>& out) {
  if (j.is_object()) {
    for (const auto& [key, value] : j.items()) Leaves(value, at / key, out);
  } else if (j.is_array()) {
    for (size_t k = 0; k < j.size(); ++k) Leaves(j[k], at / k, out);
  } else {
    out.push_back(at);
  }
}

void Containers(const Json& j, const Json::json_pointer& at, std::vector<Json::json_pointer>& out) {
  if (!j.is_object() && !j.is_array()) return;
  out.push_back(at);
  if (j.is_object())
    for (const auto& [key, value] : j.items()) Containers(value, at / key, out);
  else
    for (size_t k = 0; k < j.size(); ++k) Containers(j[k], at / k, out);
}

std::string ImportVerdict(const std::string& text, const EditorState& base) {
  EditorState state = base;
  JsonImportReport r = CodeplugFromJson(text, state);
  std::string t =
      std::string(r.ok() ? "accepted" : "refused") + (r.unreadable ? " unreadable" : "") + "\n";
  for (const auto& p : r.problems) t += p + "\n";
  if (!r.ok()) {
    t += state == base ? "unchanged\n" : "CHANGED\n";
    return t;
  }
  t += ImageText(EncodeImage(state)) + "\n" + RulesText(state);
  return t;
}

TEST(RecordedOutputs, TheJsonReaderTakesAndRefusesValuesAsBefore) {
  Outputs outputs("json_import.txt");
  Rng rng(31337);
  const EditorState bases[] = {DemoState(), RandomState(rng)};
  // Values of another kind, and numbers at the ends of the fields' ranges.
  const std::vector<Json> wrongNumbers = {nullptr, true, "x", -1,  0,   1.5,
                                          12,      17,   92,  256, 301, 615};
  const std::vector<Json> wrongFlags = {nullptr, 0, 1, "x"};
  const std::vector<Json> wrongTexts = {nullptr, 1, "", "x", "off", "D023N", "438.12500", "3132"};
  for (int b = 0; b < 2; ++b) {
    const EditorState& base = bases[b];
    const Json doc = Json::parse(CodeplugToJson(bases[1 - b]));
    const std::string name = "base" + std::to_string(b);
    outputs.Add(name + ".whole", ImportVerdict(doc.dump(), base));
    std::vector<Json::json_pointer> leaves, containers;
    Leaves(doc, Json::json_pointer(), leaves);
    Containers(doc, Json::json_pointer(), containers);
    for (const auto& at : leaves) {
      if (b > 0) break;  // the second base: the whole document and its containers
      const Json& value = doc[at];
      std::string verdicts;
      for (const Json& w : value.is_boolean()  ? wrongFlags
                           : value.is_string() ? wrongTexts
                                               : wrongNumbers) {
        Json changed = doc;
        changed[at] = w;
        verdicts += "--- " + w.dump() + "\n" + ImportVerdict(changed.dump(), base);
      }
      outputs.Add(name + at.to_string(), verdicts);
    }
    for (const auto& at : containers) {
      Json changed = doc;
      if (changed[at].is_object()) {
        changed[at]["unknownMember"] = 1;
        outputs.Add(name + at.to_string() + "+member", ImportVerdict(changed.dump(), base));
        for (const auto& [key, value] : doc[at].items()) {
          Json less = doc;
          less[at].erase(key);
          outputs.Add(name + at.to_string() + "-" + key, ImportVerdict(less.dump(), base));
        }
      } else {
        changed[at].push_back(changed[at].empty() ? Json(1) : changed[at].back());
        outputs.Add(name + at.to_string() + "+element", ImportVerdict(changed.dump(), base));
        Json shorter = doc;
        if (!shorter[at].empty()) shorter[at].erase(shorter[at].size() - 1);
        outputs.Add(name + at.to_string() + "-element", ImportVerdict(shorter.dump(), base));
      }
      if (!at.empty()) {
        Json scalar = doc;
        scalar[at] = 7;
        outputs.Add(name + at.to_string() + "=scalar", ImportVerdict(scalar.dump(), base));
      }
    }
  }
  outputs.Check();
}

}  // namespace
}  // namespace kv3
