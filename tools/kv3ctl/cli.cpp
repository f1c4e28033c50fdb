#include "cli.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "codeplug/codec.h"
#include "editor/band.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"
#include "platform/file_identity.h"
#include "platform/terminal.h"

namespace kv3ctl {

Args::Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
           const std::vector<std::string>& flags, const std::vector<std::string>& repeatable) {
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
    if ((contains(valueOptions, name) || contains(flags, name)) && Has(name) &&
        !contains(repeatable, name)) {
      error_ = "option " + name + " is given twice";
      return;
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

std::string UnknownBandText(const kv3::MemoryImage& image, const kv3::EditorState& shown,
                            kv3::Language lang) {
  int band = shown.band.index >= 0 && shown.band.index < kv3::kBandCount ? shown.band.index : 0;
  return kv3::Localize(kv3::msg::kUnknownBandCode, lang) + " (" + kv3::BandCodeText(image) + ", " +
         std::string(kv3::kBands[band].text) + ")";
}

bool LoadState(const std::string& path, kv3::Language lang, kv3::EditorState& state,
               bool* unknownBand, kv3::MemoryImage* imageRead) {
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
  if (!kv3::DecodeImage(std::span<const uint8_t>(image), state)) return false;
  bool unknown = kv3::HasUnknownBandCode(image);
  if (unknown)
    std::cerr << "kv3ctl: " << path << ": " << UnknownBandText(image, state, lang) << "\n";
  if (unknownBand) *unknownBand = unknown;
  if (imageRead) *imageRead = image;
  return true;
}

void PrintSaveWarning(const std::string& path, const std::string& warning) {
  if (!warning.empty()) std::cerr << "kv3ctl: " << path << ": saved, but " << warning << "\n";
}

bool SaveImage(const std::string& path, kv3::Language lang, const kv3::MemoryImage& image) {
  kv3::FileResult r = kv3::SaveCodeplug(path, image);
  if (!r.ok()) {
    std::cerr << path << ": " << kv3::Localize(kv3::msg::kSaveFailed, lang) << r.detail << "\n";
    return false;
  }
  PrintSaveWarning(path, r.warning);
  return true;
}

bool SaveState(const std::string& path, kv3::Language lang, const kv3::EditorState& state) {
  return SaveImage(path, lang, kv3::EncodeImage(state));
}

bool SameFile(const std::string& a, const std::string& b) {
  return kv3::SameFile(a, b);
}

bool MayReplaceWithCodeplug(const std::string& path, bool force) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  // Nothing there, or no regular file (the save refuses those itself), or
  // nothing in it: nothing to lose.
  if (force || ec || !fs::is_regular_file(st) || fs::file_size(path, ec) == 0 || ec) return true;
  kv3::MemoryImage image;
  kv3::FileResult r = kv3::LoadCodeplug(path, image);
  if (r.ok()) return true;
  std::cerr << "kv3ctl: " << path
            << (r.error == kv3::FileError::WrongType
                    ? ": exists and is no codeplug file; not replaced (--force replaces it)\n"
                    : ": exists and cannot be read (" + r.detail +
                          "); not replaced (--force replaces it)\n");
  return false;
}

bool PortOptionsGiven(const Args& args, std::string& error) {
  for (const std::string& p : args.Values("--port"))
    if (p.empty()) {
      error = "--port needs a port: a device path, COM1..COM20 or sim";
      return false;
    }
  return true;
}

void GuardStandardOutput() {
  // All of a command's output leaves at its end, in one write whose error
  // (a full disk) can be told: no command prints more than this buffer.
  static char buffer[1 << 20];
  if (!kv3::IsTerminal(kv3::kStandardOutput)) std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  kv3::KeepClosedStandardOutputClosed();
}

int CheckStandardOutput(int code) {
  errno = 0;
  std::cout.flush();
  bool flushed = std::fflush(stdout) == 0;
  int err = errno;
  if (flushed && !std::ferror(stdout) && std::cout.good()) return code;
  std::cerr << "kv3ctl: the output could not be written"
            << (err ? std::string(": ") + std::strerror(err) : std::string()) << "\n";
  return code >= kExitUsage ? code : kExitFile;
}

int Usage(const std::string& message) {
  std::cerr << "kv3ctl: " << message << "\nTry 'kv3ctl --help'.\n";
  return kExitUsage;
}

}  // namespace kv3ctl
