// Shared pieces of the kv3ctl commands.
#pragma once

#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3ctl {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // communication failure, or a difference
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;
inline constexpr int kExitRefused = 4;  // an edit the editor's rules refuse

struct UsageError {
  std::string message;
};

// A small option parser: "--name value", "--name=value", flags, positionals.
class Args {
 public:
  Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
       const std::vector<std::string>& flags);
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  bool Has(const std::string& name) const;
  std::string Value(const std::string& name, const std::string& fallback = {}) const;
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& positionals() const { return positionals_; }
  // The order in which options were given (name, value).
  const std::vector<std::pair<std::string, std::string>>& options() const { return options_; }

 private:
  std::vector<std::pair<std::string, std::string>> options_;
  std::vector<std::string> positionals_;
  std::string error_;
};

// Parses --lang (default English); false with a message on stderr when unknown.
bool LanguageOption(const Args& args, kv3::Language& lang);

// Loads a codeplug file into a start-up editor state. Prints the message and
// returns false on failure.
bool LoadState(const std::string& path, kv3::Language lang, kv3::EditorState& state);
// Saves atomically; prints the message and returns false on failure.
bool SaveState(const std::string& path, kv3::Language lang, const kv3::EditorState& state);

int Usage(const std::string& message);

}  // namespace kv3ctl
