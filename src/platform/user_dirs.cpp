#include "platform/user_dirs.h"

namespace kv3 {

namespace {

constexpr char kProgramFolder[] = "KV-3";

std::string Inside(const std::string& base) {
  return base.empty() ? base : base + "/" + kProgramFolder;
}

}  // namespace

std::string ProgramConfigDir() {
  return Inside(UserConfigDir());
}

std::string ProgramDataDir() {
  return Inside(UserDataDir());
}

}  // namespace kv3
