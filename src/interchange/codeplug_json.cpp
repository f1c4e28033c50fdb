#include "interchange/codeplug_json.h"

#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>

#include "editor/codeplug_fields.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "interchange/field_json.h"

namespace kv3 {

using Json = nlohmann::ordered_json;

namespace {

// Where a field sits in the document: "/dtmf/memoryCodes/2" for
// "dtmf.memoryCodes.3" (lists count from 0).
Json::json_pointer PointerOf(const FieldRef& field) {
  Json::json_pointer at;
  const std::string key = field.Key();
  for (size_t start = 0; start <= key.size();) {
    size_t dot = std::min(key.find('.', start), key.size());
    std::string part = key.substr(start, dot - start);
    if (!part.empty() && part.find_first_not_of("0123456789") == std::string::npos)
      at /= static_cast<size_t>(std::stoul(part) - 1);
    else
      at /= part;
    start = dot + 1;
  }
  return at;
}

Json ChannelsToJson(const EditorState& state) {
  Json channels = Json::array();
  for (int n = 0; n < kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n];
    if (ch.empty()) continue;
    Json c;
    c[kChannelNumberKey] = n + 1;
    for (const ChannelColumn& column : kChannelColumns) c[column.key] = ChannelToJson(ch, column);
    channels.push_back(std::move(c));
  }
  return channels;
}

}  // namespace

std::string CodeplugToJson(const EditorState& state) {
  Json j;
  j["format"] = kCodeplugJsonFormat;
  j["version"] = kCodeplugJsonVersion;
  // The band, then the channels, then the other sections.
  for (const FieldRef& f : AllFields())
    if (f.row->section == FieldSection::Band) j[PointerOf(f)] = FieldToJson(state, f);
  j["channels"] = ChannelsToJson(state);
  for (const FieldRef& f : AllFields())
    if (f.row->section != FieldSection::Band) j[PointerOf(f)] = FieldToJson(state, f);
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

  void Int(const std::string& key, int lo, int hi, int& out) {
    const Json* v = Member(key);
    if (!v) return;
    if (!v->is_number_integer() || v->get<int64_t>() < lo || v->get<int64_t>() > hi)
      return Problem(key,
                     "not a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    out = v->get<int>();
  }

  void Bool(const std::string& key, const std::function<void(bool)>& set) {
    const Json* v = Member(key);
    if (!v) return;
    if (!v->is_boolean()) return Problem(key, "not true or false");
    set(v->get<bool>());
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
  bool abandoned_ = false;
};

// The readers of the sections. Each takes its values into the copy of the
// editor's state and notes every refused value with its path.

// "format" and "version": false when the document is not one to read.
bool ReadHeader(ObjectReader& top, std::vector<std::string>& problems) {
  std::string format;
  if (top.String("format", format) && format != kCodeplugJsonFormat)
    top.Problem("format", "not \"" + std::string(kCodeplugJsonFormat) + "\"");
  const Json* version = top.Member("version");
  if (!version) {
    top.Abandon();
    problems.push_back("version: missing");
    return false;
  }
  if (!version->is_number_integer() || version->get<int64_t>() != kCodeplugJsonVersion) {
    top.Abandon();
    problems.push_back("version: " + version->dump() + " is not a version this program reads (" +
                       std::to_string(kCodeplugJsonVersion) + ")");
    return false;
  }
  return true;
}

// One channel of the list; a channel the list does not give is empty.
void ReadChannel(const Json& item, const std::string& path, std::set<int>& taken,
                 std::vector<std::string>& problems, EditorState& result) {
  ObjectReader r(item, path, problems);
  if (!r.IsObject()) return;
  int n = 0;
  r.Int(kChannelNumberKey, 1, kChannelCount, n);
  if (n == 0) {
    if (!r.Member(kChannelNumberKey)) r.Problem(kChannelNumberKey, "missing");
    r.Abandon();
    return;
  }
  if (!taken.insert(n).second) {
    r.Problem(kChannelNumberKey, "channel " + std::to_string(n) + " is listed twice");
    r.Abandon();
    return;
  }
  // What a value left out becomes: the new-channel defaults.
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
  if (r.String("rxTone", t) && !ParseToneJsonText(t, ch.rxTone))
    r.Problem("rxTone", "\"" + t + "\" is not off, a tone like 88.5 or a code like D023N");
  if (r.String("txTone", t) && !ParseToneJsonText(t, ch.txTone))
    r.Problem("txTone", "\"" + t + "\" is not off, a tone like 88.5 or a code like D023N");
  if (ch.tx.blank() && ch.txTone.kind == ToneKind::Off) ch.txTone = Tone::Blank();
  for (const ChannelColumn& column : kChannelColumns) {
    if (column.value == ChannelValue::Flag) {
      r.Bool(column.key, [&](bool v) { ChoiceCell(ch, column.gridColumn) = v ? 1 : 0; });
    } else if (column.value == ChannelValue::Choice && r.String(column.key, t)) {
      if (t == column.words[0] || t == column.words[1])
        ChoiceCell(ch, column.gridColumn) = t == column.words[0] ? 0 : 1;
      else
        r.Problem(column.key, "\"" + t + "\" is not \"" + column.words[0] + "\" or \"" +
                                  column.words[1] + "\"");
    }
  }
  result.grid.channels[n - 1] = ch;
  StoreChoicesOf(result.grid, n);
}

// "channels": a list given replaces all sixteen.
void ReadChannels(ObjectReader& top, std::vector<std::string>& problems, EditorState& result) {
  const Json* channels = top.Member("channels");
  if (!channels) return;
  if (!channels->is_array()) return top.Problem("channels", "not a list");
  for (int n = 1; n <= kChannelCount; ++n) ClearNO(result.grid, n);
  std::set<int> taken;
  for (size_t k = 0; k < channels->size(); ++k)
    ReadChannel((*channels)[k], "channels[" + std::to_string(k) + "]", taken, problems, result);
}

const char* CountWord(int n) {
  switch (n) {
    case 2:
      return "two";
    case 8:
      return "eight";
    case 16:
      return "sixteen";
    default:
      return "several";
  }
}

// The name of a key's part after its section ("voxGain", "memoryCodes",
// "rx"), and whether the field is one of a list in its object.
std::string MemberOf(const FieldRow& row) {
  std::string_view key(row.key);
  key.remove_prefix(std::min(key.size(), std::string_view(InfoOf(row.section).key).size() + 1));
  if (key.rfind("#.", 0) == 0) key.remove_prefix(2);  // a list of objects: the member
  if (size_t hash = key.find(".#"); hash != std::string_view::npos) key = key.substr(0, hash);
  return std::string(key);
}

// The fields of one object section ("optionalFunctions"), or of one object
// of a list section ("testFrequencies[3]").
void ReadFields(ObjectReader& r, FieldSection section, int number,
                std::vector<std::string>& problems, EditorState& result) {
  for (const FieldRow& row : kFieldRows) {
    if (row.section != section) continue;
    const std::string member = MemberOf(row);
    const Json* v = r.Member(member);
    if (!v) continue;
    // A list in the object: "memoryCodes".
    if (row.repeat.count > 1 && number == 0) {
      if (!v->is_array() || v->size() != row.repeat.count) {
        r.Problem(member, std::string("not a list of ") + CountWord(row.repeat.count) + " texts");
        continue;
      }
      for (int n = 1; n <= row.repeat.count; ++n) {
        std::string why = FieldFromJson((*v)[static_cast<size_t>(n - 1)], {&row, n}, result);
        if (!why.empty())
          problems.push_back(r.PathOf(member) + "[" + std::to_string(n - 1) + "]: " + why);
      }
      continue;
    }
    std::string why = FieldFromJson(*v, {&row, number == 0 ? 1 : number}, result);
    if (!why.empty()) r.Problem(member, why);
  }
}

// The first row of a section.
const FieldRow& FirstRowOf(FieldSection section) {
  for (const FieldRow& row : kFieldRows)
    if (row.section == section) return row;
  return kFieldRows.front();
}

// A section whose fields are numbered ("embeddedInfo.#", "testFrequencies.#.rx")
// is a list in the document.
bool IsListSection(FieldSection section) {
  return std::string_view(FirstRowOf(section).key).find(std::string(InfoOf(section).key) + ".#") ==
         0;
}

// A section that is a list: of texts ("embeddedInfo") or of objects
// ("testFrequencies").
void ReadListSection(ObjectReader& top, FieldSection section, std::vector<std::string>& problems,
                     EditorState& result) {
  const char* key = InfoOf(section).key;
  const Json* list = top.Member(key);
  if (!list) return;
  const FieldRow* first = &FirstRowOf(section);
  const bool objects = std::string_view(first->key).find("#.") != std::string_view::npos;
  const int count = first->repeat.count;
  if (!list->is_array() || list->size() != static_cast<size_t>(count))
    return top.Problem(key, std::string("not a list of ") + CountWord(count) +
                                (objects ? " test channels" : " texts"));
  for (int n = 1; n <= count; ++n) {
    const std::string path = std::string(key) + "[" + std::to_string(n - 1) + "]";
    const Json& item = (*list)[static_cast<size_t>(n - 1)];
    if (objects) {
      ObjectReader r(item, path, problems);
      if (r.IsObject()) ReadFields(r, section, n, problems, result);
    } else if (std::string why = FieldFromJson(item, {first, n}, result); !why.empty()) {
      problems.push_back(path + ": " + why);
    }
  }
}

// A section that is an object of fields ("dtmf").
void ReadObjectSection(ObjectReader& top, FieldSection section, std::vector<std::string>& problems,
                       EditorState& result) {
  const char* key = InfoOf(section).key;
  const Json* object = top.Member(key);
  if (!object) return;
  ObjectReader r(*object, key, problems);
  if (r.IsObject()) ReadFields(r, section, 0, problems, result);
}

// The band: a field of the top object.
void ReadBand(ObjectReader& top, EditorState& result) {
  for (const FieldRow& row : kFieldRows) {
    if (row.section != FieldSection::Band) continue;
    const Json* v = top.Member(row.key);
    if (!v) continue;
    if (std::string why = FieldFromJson(*v, {&row, 1}, result); !why.empty())
      top.Problem(row.key, why);
  }
}

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
  {
    ObjectReader top(root, "", problems);
    if (!top.IsObject() || !ReadHeader(top, problems)) return report;
    ReadBand(top, result);
    ReadChannels(top, problems, result);
    for (const SectionInfo& info : kSections) {
      if (info.section == FieldSection::Band) continue;
      if (IsListSection(info.section))
        ReadListSection(top, info.section, problems, result);
      else
        ReadObjectSection(top, info.section, problems, result);
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
