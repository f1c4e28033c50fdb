// kv3ctl set: edits a codeplug file by the rules that typing into the main
// window applies. Every value goes through the editor's key filter and commit
// as a typed one; a value given for a choice list is a pick from it. KEY=VALUE
// sets any value by its key in the JSON format, through the rules of the
// window that edits it; all of them are taken or the file stays as it was.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <optional>
#include <string>

#include "cli.h"
#include "commands.h"
#include "editor/band.h"
#include "editor/band_rules.h"
#include "editor/decimal_text.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/tone_entry.h"
#include "i18n/message_box.h"
#include "i18n/texts.h"
#include "interchange/field_edit.h"
#include "platform/terminal.h"

namespace kv3ctl {

namespace {

// A refusal: the message printed, and exit 4.
struct Refusal {
  std::string message;
};

class SetCommand {
 public:
  SetCommand(kv3::EditorState& state, kv3::Language lang, bool tuning)
      : state_(state), lang_(lang), context_(kv3::StartEditing(state, lang, tuning)) {}

  std::optional<Refusal> Band(const std::string& value, bool yes) {
    int index = BandIndexOf(value);
    if (index < 0)
      return Refusal{"no band '" + value + "': give a position 0..6 or a text such as 400-480MHz"};
    kv3::OnBandListOpened(state_.band);
    if (kv3::SelectBand(state_, index) != kv3::BandChange::QuestionNeeded) return std::nullopt;
    bool ok = yes || (kv3::IsTerminal(kv3::kStandardInput) && AskOnTerminal());
    kv3::AnswerBandQuestion(state_, ok);
    if (!ok)
      return Refusal{"band change declined (the channels would be cleared): give --yes to confirm"};
    return std::nullopt;
  }

  std::optional<Refusal> Frequency(int row, int col, const std::string& value,
                                   const std::string& option) {
    if (auto r = NeedChannel(row, col)) return r;
    std::string text;
    for (unsigned char c : value) {
      kv3::KeyFilterResult k = kv3::FrequencyKeyFilter(c);
      if (k.action != kv3::KeyAction::Accept)
        return Refusal{option + " '" + value +
                       "': only digits and a point can be typed "
                       "into a frequency cell"};
      text.push_back(static_cast<char>(k.key));
    }
    if (text.empty() && col == 3)
      return Refusal{option + " '': a transmit frequency cannot be emptied (" +
                     (keys_ ? "an empty " + ChannelKeyOf(row, 1) + " deletes the channel"
                            : std::string("use --clear for the channel")) +
                     ")"};
    kv3::FrequencyCommit commit = kv3::CommitFrequency(state_, text);
    switch (commit.outcome) {
      case kv3::FrequencyOutcome::NotANumber:
        return Refusal{option + " '" + value + "' is not a frequency in MHz"};
      case kv3::FrequencyOutcome::OutOfBand:
        return Refusal{kv3::MakeMessageRequest(commit.message, lang_).prompt};
      default:
        return std::nullopt;
    }
  }

  std::optional<Refusal> Tone(int row, int col, const std::string& value,
                              const std::string& option) {
    if (auto r = NeedChannel(row, col)) return r;
    if (int position = ToneListPosition(value); position >= 0) {
      kv3::PickTone(state_, position);
      return std::nullopt;
    }
    std::string text;
    for (unsigned char c : value) {
      kv3::KeyFilterResult k = kv3::ToneKeyFilter(c);
      if (k.action != kv3::KeyAction::Accept)
        return Refusal{option + " '" + value +
                       "': only digits, a point, D, N and I "
                       "can be typed into a tone cell"};
      text.push_back(static_cast<char>(k.key));
    }
    // A CTCSS tone is one decimal number, as a frequency is: "88.5.1" is
    // refused like --rx 1.2.3, not read as far as it makes sense.
    bool number = !text.empty() && (text[0] == 'D' || kv3::ParseDecimalText(text));
    if (!number || !kv3::NormaliseToneText(text, -1))
      return Refusal{option + " '" + value +
                     "' is no tone: give off, a CTCSS tone 67.0..254.1 or a DCS code such as "
                     "D023N (octal digits, N or I)"};
    kv3::CommitTone(state_, text, -1);
    return std::nullopt;
  }

  std::optional<Refusal> Choice(int row, int col, const std::string& value,
                                const std::string& option, const std::array<kv3::Text2, 2>& list,
                                const char* word0, const char* word1) {
    if (auto r = NeedChannel(row, col)) return r;
    int position = -1;
    for (int k = 0; k < 2; ++k) {
      const char* word = k == 0 ? word0 : word1;
      if (value == word || value == list[k].zh || value == list[k].en ||
          value == kv3::Localize(list[k], kv3::Language::Traditional))
        position = k;
    }
    if (position < 0) return Refusal{option + " '" + value + "': choose " + word0 + " or " + word1};
    kv3::PickChoice(state_.grid, position);
    return std::nullopt;
  }

  void Clear(int row) {
    Open(row, 1);
    kv3::CommitFrequency(state_, "");
  }

  // KEY=VALUE: a field of the table, a channel's value or the band.
  std::optional<Refusal> Key(const kv3::CodeplugKey& key, const std::string& name,
                             const std::string& value, bool yes) {
    keys_ = true;
    // The value it has already: nothing is typed, nothing changes.
    if (kv3::ValueText(state_, name) == value) return std::nullopt;
    if (key.field) {
      if (key.field->row->rule == kv3::FieldRule::Band) return Band(value, yes);
      kv3::FieldEditResult r = kv3::SetFieldText(state_, *key.field, value, context_);
      if (!r.ok) return Refusal{r.message};
      return std::nullopt;
    }
    const int row = key.channel;
    const int col = key.column->gridColumn;
    switch (key.column->value) {
      case kv3::ChannelValue::Frequency:
        if (col == 1 && value.empty()) {
          Clear(row);
          return std::nullopt;
        }
        return Frequency(row, col, value, name);
      case kv3::ChannelValue::Tone:
        return Tone(row, col, value, name);
      case kv3::ChannelValue::Choice:
        return Choice(row, col, value, name, ChoiceList(col), key.column->words[0],
                      key.column->words[1]);
      case kv3::ChannelValue::Flag:
        // The JSON format's true and false; yes and no as --scan takes them.
        return Choice(row, col,
                      value == "yes"  ? std::string("true")
                      : value == "no" ? std::string("false")
                                      : value,
                      name, kv3::kScanList, "false", "true");
    }
    return std::nullopt;
  }

 private:
  // A left press on the cell: the editor that opens is the one typed into.
  void Open(int row, int col) {
    kv3::RequestGridEdit(state_.grid);
    kv3::GridClick(state_.grid, row, col, lang_);
  }

  std::optional<Refusal> NeedChannel(int row, int col) {
    Open(row, col);
    if (state_.grid.EditCol != col)
      return Refusal{"channel " + std::to_string(row) + " is empty: start it with " +
                     (keys_ ? ChannelKeyOf(row, 1) : std::string("--rx"))};
    return std::nullopt;
  }

  static std::string ChannelKeyOf(int row, int col) {
    for (const kv3::ChannelColumn& c : kv3::kChannelColumns)
      if (c.gridColumn == col) return kv3::ChannelKey(row, c);
    return {};
  }

  static const std::array<kv3::Text2, 2>& ChoiceList(int col) {
    switch (col) {
      case 5:
        return kv3::kPowerList;
      case 6:
        return kv3::kForbidList;
      case 7:
        return kv3::kBandwidthList;
      default:
        return kv3::kScanList;
    }
  }

  // A value that is the text of a tone list entry is a pick of that entry.
  int ToneListPosition(const std::string& value) const {
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "off" || value == kv3::kToneOff.zh ||
        value == kv3::Localize(kv3::kToneOff, kv3::Language::Traditional))
      return 0;
    for (int p = 1; p < kv3::kToneListSize; ++p)
      if (kv3::SetToneText(kv3::ToneAt(p)) == value) return p;
    return -1;
  }

  static int BandIndexOf(const std::string& value) {
    if (value.size() == 1 && value[0] >= '0' && value[0] < '0' + kv3::kBandCount)
      return value[0] - '0';
    for (int i = 0; i < kv3::kBandCount; ++i)
      if (kv3::kBands[i].text == value) return i;
    return -1;
  }

  bool AskOnTerminal() {
    kv3::MessageRequest q = kv3::MakeMessageRequest(kv3::BandChangeQuestion(), lang_);
    std::cerr << q.title << " " << q.prompt << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return answer == "y" || answer == "yes" || answer == "ok";
  }

  kv3::EditorState& state_;
  kv3::Language lang_;
  // What the windows remember between the edits of this run.
  kv3::FieldEditContext context_;
  // The edits are given by key: hints name keys, not options.
  bool keys_ = false;
};

// set --list: every key, with the values it takes.
void PrintKeyList(kv3::Language lang) {
  auto line = [](const std::string& key, const std::string& allowed) {
    std::cout << key << std::string(key.size() < 38 ? 38 - key.size() : 1, ' ') << allowed << "\n";
  };
  for (const kv3::FieldRef& f : kv3::AllFields())
    if (f.row->section == kv3::FieldSection::Band) line(f.Key(), kv3::AllowedValues(f, lang));
  for (int n = 1; n <= kv3::kChannelCount; ++n)
    for (const kv3::ChannelColumn& column : kv3::kChannelColumns)
      line(kv3::ChannelKey(n, column), kv3::AllowedValues(column, lang));
  for (const kv3::FieldRef& f : kv3::AllFields())
    if (f.row->section != kv3::FieldSection::Band) line(f.Key(), kv3::AllowedValues(f, lang));
}

bool ParseChannel(const std::string& text, int& row) {
  if (text.empty() || text.size() > 2 ||
      !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  row = std::stoi(text);
  return row >= 1 && row <= kv3::kChannelCount;
}

}  // namespace

int RunSet(const Arguments& argv) {
  Args args(argv,
            {"--channel", "--rx", "--tx", "--rx-tone", "--tx-tone", "--power", "--forbid",
             "--bandwidth", "--scan", "--band", "--lang"},
            {"--clear", "--yes", "--tuning", "--list"});
  if (!args.ok()) return Usage(args.error());
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  if (args.Has("--list")) {
    if (!args.positionals().empty()) return Usage("set --list takes no FILE");
    PrintKeyList(lang);
    return kExitOk;
  }
  if (args.positionals().empty()) return Usage("set needs one FILE");

  // KEY=VALUE: every key is known before the file is read.
  std::vector<std::pair<kv3::CodeplugKey, std::pair<std::string, std::string>>> edits;
  for (size_t i = 1; i < args.positionals().size(); ++i) {
    const std::string& edit = args.positionals()[i];
    size_t eq = edit.find('=');
    if (eq == std::string::npos)
      return Usage("'" + edit + "' is no KEY=VALUE (set takes one FILE)");
    std::string key = edit.substr(0, eq);
    std::optional<kv3::CodeplugKey> k = kv3::ParseCodeplugKey(key);
    if (!k) return Usage("no key '" + key + "': 'kv3ctl set --list' shows every key");
    edits.push_back({*k, {key, edit.substr(eq + 1)}});
  }

  const char* channelOptions[] = {"--rx",     "--tx",        "--rx-tone", "--tx-tone", "--power",
                                  "--forbid", "--bandwidth", "--scan",    "--clear"};
  bool channelEdit = std::any_of(std::begin(channelOptions), std::end(channelOptions),
                                 [&](const char* o) { return args.Has(o); });
  int row = 0;
  if (channelEdit && !args.Has("--channel")) return Usage("channel edits need --channel N");
  if (args.Has("--channel") && !ParseChannel(args.Value("--channel"), row))
    return Usage("--channel takes a channel number 1..16");
  if (!channelEdit && !args.Has("--band") && edits.empty())
    return Usage("set needs something to change");

  const std::string& path = args.positionals()[0];
  kv3::EditorState state;
  if (!LoadState(path, lang, state)) return kExitFile;

  SetCommand set(state, lang, args.Has("--tuning"));
  std::optional<Refusal> refusal;
  auto run = [&](auto&& step) {
    if (!refusal) refusal = step();
  };
  if (args.Has("--band")) run([&] { return set.Band(args.Value("--band"), args.Has("--yes")); });
  if (args.Has("--clear")) set.Clear(row);
  if (args.Has("--rx")) run([&] { return set.Frequency(row, 1, args.Value("--rx"), "--rx"); });
  if (args.Has("--tx")) run([&] { return set.Frequency(row, 3, args.Value("--tx"), "--tx"); });
  if (args.Has("--rx-tone"))
    run([&] { return set.Tone(row, 2, args.Value("--rx-tone"), "--rx-tone"); });
  if (args.Has("--tx-tone"))
    run([&] { return set.Tone(row, 4, args.Value("--tx-tone"), "--tx-tone"); });
  if (args.Has("--power"))
    run([&] {
      return set.Choice(row, 5, args.Value("--power"), "--power", kv3::kPowerList, "low", "high");
    });
  if (args.Has("--forbid"))
    run([&] {
      return set.Choice(row, 6, args.Value("--forbid"), "--forbid", kv3::kForbidList, "off",
                        "carrier");
    });
  if (args.Has("--bandwidth"))
    run([&] {
      return set.Choice(row, 7, args.Value("--bandwidth"), "--bandwidth", kv3::kBandwidthList,
                        "narrow", "wide");
    });
  if (args.Has("--scan"))
    run([&] {
      return set.Choice(row, 8, args.Value("--scan"), "--scan", kv3::kScanList, "no", "yes");
    });
  // (A structured binding cannot be captured by clang 14.)
  for (const auto& entry : edits)
    run([&] {
      return set.Key(entry.first, entry.second.first, entry.second.second, args.Has("--yes"));
    });
  if (refusal) {
    std::cerr << "kv3ctl: " << refusal->message << "\n" << path << ": not changed\n";
    return kExitRefused;
  }
  return SaveState(path, lang, state) ? kExitOk : kExitFile;
}

}  // namespace kv3ctl
