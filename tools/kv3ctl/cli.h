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
// An option given twice is an error unless it is repeatable (clone's --port):
// the last one never silently wins.
class Args {
 public:
  Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
       const std::vector<std::string>& flags, const std::vector<std::string>& repeatable = {});
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

// Prints what differs from a to b as kv3ctl diff does (--json: as JSON);
// kExitOk when nothing differs, else kExitFailure.
int PrintDifferences(const kv3::EditorState& a, const kv3::EditorState& b, kv3::Language lang,
                     bool json);
// kv3ctl diff --port PORT FILE: reads the radio (kept as a backup, like every
// read) and prints what differs from the radio to FILE.
int DiffWithRadio(const Args& args, kv3::Language lang);

// Parses --lang (default English); false with a message on stderr when unknown.
bool LanguageOption(const Args& args, kv3::Language& lang);

// What the program says of an image whose band code is none of the band
// list's, with the code and the band the editor shows instead.
std::string UnknownBandText(const kv3::MemoryImage& image, const kv3::EditorState& shown,
                            kv3::Language lang);

// Loads a codeplug file into a start-up editor state. Prints the message and
// returns false on failure. A band code that is none of the band list's is
// said on stderr (unknownBand, when given, tells it); imageRead, when given,
// gets the image as the file holds it.
bool LoadState(const std::string& path, kv3::Language lang, kv3::EditorState& state,
               bool* unknownBand = nullptr, kv3::MemoryImage* imageRead = nullptr);
// Saves atomically; prints the message and returns false on failure.
bool SaveState(const std::string& path, kv3::Language lang, const kv3::EditorState& state);
// The same for an image (read's output).
bool SaveImage(const std::string& path, kv3::Language lang, const kv3::MemoryImage& image);
// Prints what a save that succeeded wants the user to know (other hard links).
void PrintSaveWarning(const std::string& path, const std::string& warning);

// The two paths name one file (also through links: the same device and
// inode). False when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// Before a codeplug is written to path: an existing file that holds
// something else than a codeplug (a channel list, a document) is refused,
// unless force. Prints why; an empty file or none is fine.
bool MayReplaceWithCodeplug(const std::string& path, bool force);

// The --port values: each names a port (an empty one is a usage error).
bool PortOptionsGiven(const Args& args, std::string& error);

int Usage(const std::string& message);

// Standard output: a closed one is made to fail every write (rather than
// let the next opened file take its number), and what could not be written
// turns the exit code into a failure with a message on stderr.
void GuardStandardOutput();
int CheckStandardOutput(int code);

}  // namespace kv3ctl
