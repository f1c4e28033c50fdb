#include "in_process.h"

#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>

namespace kv3ctl::testing {

Ran RunCommand(int (*run)(const Arguments&), const Arguments& args) {
  std::ostringstream out, err;
  std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
  std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
  Ran r;
  r.code = run(args);
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  r.out = out.str();
  r.err = err.str();
  return r;
}

TempFolder::TempFolder() {
  // In memory where the machine has it: every save is flushed to its disk.
  std::error_code ec;
  std::filesystem::path base =
      std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
          ? std::filesystem::path("/dev/shm")
          : std::filesystem::temp_directory_path();
  std::string pattern = (base / "kv3ctl-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace kv3ctl::testing
