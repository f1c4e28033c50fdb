// kv3ctl show: a codeplug as the main window and the dialogs show it.
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli.h"
#include "codeplug/codec.h"
#include "codeplug/codeplug_view.h"
#include "commands.h"
#include "editor/codeplug_fields.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"
#include "interchange/entry_checks.h"

namespace kv3ctl {

namespace {

// Columns a text takes on a terminal: CJK characters and full-width forms two.
size_t DisplayWidth(const std::string& s) {
  size_t width = 0;
  for (size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    uint32_t cp = c;
    size_t len = 1;
    if (c >= 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else if (c >= 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xC0) {
      len = 2;
      cp = c & 0x1F;
    }
    for (size_t k = 1; k < len && i + k < s.size(); ++k)
      cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                (cp >= 0xFFE0 && cp <= 0xFFE6);
    if (cp == 0x2026) wide = false;
    width += wide ? 2 : 1;
  }
  return width;
}

std::string Pad(const std::string& s, size_t width) {
  size_t w = DisplayWidth(s);
  return w >= width ? s : s + std::string(width - w, ' ');
}

void PrintText(const kv3::CodeplugView& view, std::ostream& out) {
  std::array<size_t, 9> widths{};
  for (int c = 0; c < 9; ++c) {
    widths[c] = DisplayWidth(view.gridHeaders[c]);
    for (const auto& row : view.grid) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  auto line = [&](const std::array<std::string, 9>& cells) {
    std::string s;
    for (int c = 0; c < 9; ++c) s += Pad(cells[c], widths[c] + (c < 8 ? 2 : 0));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    out << s << "\n";
  };
  line(view.gridHeaders);
  for (const auto& row : view.grid) line(row);

  for (const auto& section : view.sections) {
    out << "\n" << section.caption << "\n";
    size_t w = 0;
    for (const auto& f : section.fields) w = std::max(w, DisplayWidth(f.caption));
    for (const auto& f : section.fields) {
      // Texts of the radio may hold control characters: shown escaped.
      std::string l = "  " + Pad(f.caption, w + 2) + kv3::EscapeControls(f.value);
      while (!l.empty() && l.back() == ' ') l.pop_back();
      out << l << "\n";
    }
  }
}

nlohmann::ordered_json ToJson(const kv3::CodeplugView& view, kv3::Language lang) {
  nlohmann::ordered_json j;
  j["language"] = lang == kv3::Language::English       ? "en"
                  : lang == kv3::Language::Traditional ? "zh-Hant"
                                                       : "zh-Hans";
  auto headers = nlohmann::ordered_json::object();
  for (int c = 0; c < 9; ++c) headers[kv3::GridColumnKey(c)] = view.gridHeaders[c];
  j["gridHeaders"] = headers;
  auto channels = nlohmann::ordered_json::array();
  for (const auto& row : view.grid) {
    nlohmann::ordered_json ch;
    for (int c = 0; c < 9; ++c) ch[kv3::GridColumnKey(c)] = row[c];
    channels.push_back(ch);
  }
  j["channels"] = channels;
  for (const auto& section : view.sections) {
    nlohmann::ordered_json s;
    s["caption"] = section.caption;
    auto fields = nlohmann::ordered_json::object();
    for (const auto& f : section.fields)
      fields[f.key] = nlohmann::ordered_json{{"caption", f.caption}, {"value", f.value}};
    s["fields"] = fields;
    j[section.key] = s;
  }
  return j;
}

}  // namespace

int RunShow(const Arguments& argv) {
  Args args(argv, {"--lang"}, {"--json"});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1) return Usage("show needs one FILE");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  kv3::EditorState state;
  if (!LoadState(args.positionals()[0], lang, state)) return kExitFile;
  kv3::CodeplugView view = kv3::MakeView(state, lang);
  if (args.Has("--json"))
    std::cout << ToJson(view, lang).dump(2) << "\n";
  else
    PrintText(view, std::cout);
  return kExitOk;
}

int RunNew(const Arguments& argv) {
  Args args(argv, {"-o", "--lang"}, {"--demo", "--force"});
  if (!args.ok()) return Usage(args.error());
  if (!args.Has("-o") || !args.positionals().empty()) return Usage("new needs -o FILE");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  if (!MayReplaceWithCodeplug(args.Value("-o"), args.Has("--force"))) return kExitFile;
  kv3::EditorState state = args.Has("--demo") ? kv3::DemoState() : kv3::StartupState();
  return SaveState(args.Value("-o"), lang, state) ? kExitOk : kExitFile;
}

}  // namespace kv3ctl
