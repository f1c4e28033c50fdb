#include "cli.h"

#include <algorithm>
#include <iostream>

#include "i18n/messages.h"
#include "image/codec.h"
#include "image/codeplug_file.h"

namespace kv3ctl {

Args::Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
           const std::vector<std::string>& flags) {
  auto contains = [](const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
  };
  bool onlyPositionals = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (onlyPositionals || a.size() < 2 || a[0] != '-' || a == "-") {
      positionals_.push_back(a);
      continue;
    }
    if (a == "--") {
      onlyPositionals = true;
      continue;
    }
    std::string name = a, value;
    bool inlineValue = false;
    if (auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inlineValue = true;
    }
    if (contains(valueOptions, name)) {
      if (!inlineValue) {
        if (i + 1 >= args.size()) {
          error_ = "option " + name + " needs a value";
          return;
        }
        value = args[++i];
      }
      options_.emplace_back(name, value);
    } else if (contains(flags, name) && !inlineValue) {
      options_.emplace_back(name, "");
    } else {
      error_ = "unknown option " + a;
      return;
    }
  }
}

bool Args::Has(const std::string& name) const {
  return std::any_of(options_.begin(), options_.end(),
                     [&](const auto& o) { return o.first == name; });
}

std::string Args::Value(const std::string& name, const std::string& fallback) const {
  std::string v = fallback;
  for (const auto& o : options_)
    if (o.first == name) v = o.second;
  return v;
}

std::vector<std::string> Args::Values(const std::string& name) const {
  std::vector<std::string> v;
  for (const auto& o : options_)
    if (o.first == name) v.push_back(o.second);
  return v;
}

bool LanguageOption(const Args& args, kv3::Language& lang) {
  lang = kv3::Language::English;
  if (!args.Has("--lang")) return true;
  if (kv3::ParseLanguage(args.Value("--lang"), lang)) return true;
  std::cerr << "kv3ctl: unknown language '" << args.Value("--lang")
            << "' (use en, zh-Hans or zh-Hant)\n";
  return false;
}

bool LoadState(const std::string& path, kv3::Language lang, kv3::EditorState& state) {
  kv3::MemoryImage image;
  kv3::FileResult r = kv3::LoadCodeplug(path, image);
  if (!r.ok()) {
    if (r.error == kv3::FileError::WrongType)
      std::cerr << path << ": " << kv3::Localize(kv3::msg::kWrongFileType, lang) << "\n";
    else
      std::cerr << path << ": " << kv3::Localize(kv3::msg::kReadFailed, lang) << r.detail << "\n";
    return false;
  }
  state = kv3::StartupState();
  return kv3::DecodeImage(std::span<const uint8_t>(image), state);
}

bool SaveState(const std::string& path, kv3::Language lang, const kv3::EditorState& state) {
  kv3::FileResult r = kv3::SaveCodeplug(path, kv3::EncodeImage(state));
  if (!r.ok()) {
    std::cerr << path << ": " << kv3::Localize(kv3::msg::kSaveFailed, lang) << r.detail << "\n";
    return false;
  }
  return true;
}

int Usage(const std::string& message) {
  std::cerr << "kv3ctl: " << message << "\nTry 'kv3ctl --help'.\n";
  return kExitUsage;
}

}  // namespace kv3ctl
