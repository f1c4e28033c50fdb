// kv3ctl's commands run inside the test program: the same code as the
// program's, with standard output and standard error captured.
#pragma once

#include <filesystem>
#include <string>

#include "commands.h"

namespace kv3ctl::testing {

struct Ran {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs one command (RunShow, RunSet, ...) with its arguments.
Ran RunCommand(int (*run)(const Arguments&), const Arguments& args);

// A folder of its own for a test, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kv3ctl::testing
