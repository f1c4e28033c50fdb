#include "app/parameter_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/user_dirs.h"

namespace kv3 {

std::string ParameterFilePath() {
  namespace fs = std::filesystem;
  const std::string dir = ProgramConfigDir();
  return ((dir.empty() ? fs::temp_directory_path() / "KV-3" : fs::path(dir)) / "parameter")
      .string();
}

Parameters ReadParameterFile(const std::string& path) {
  namespace fs = std::filesystem;
  Parameters parameters;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream created(path, std::ios::binary | std::ios::app);
    return parameters;
  }
  char bytes[3] = {0, 0, 0};
  in.read(bytes, 3);
  const auto got = in.gcount();
  if (got > 0) parameters.lock = static_cast<uint8_t>(bytes[0]);
  if (got > 1) parameters.port = static_cast<uint8_t>(bytes[1]);
  if (got > 2) parameters.language = static_cast<uint8_t>(bytes[2]);
  return parameters;
}

bool WriteParameterFile(const std::string& path, const Parameters& parameters) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  const std::string bytes{static_cast<char>(parameters.lock), static_cast<char>(parameters.port),
                          static_cast<char>(parameters.language)};
  return WriteFileAtomically(path, bytes).ok();
}

}  // namespace kv3
