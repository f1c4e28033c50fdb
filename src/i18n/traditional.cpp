#include "i18n/traditional.h"

#include <opencc/opencc.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

namespace kv3 {

namespace {

class Converter {
 public:
  static Converter& Instance() {
    static Converter c;
    return c;
  }

  std::string Convert(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string key(text);
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    std::string result = key;
    if (Open()) {
      char* out = opencc_convert_utf8(handle_, key.data(), key.size());
      if (out) {
        result = out;
        opencc_convert_utf8_free(out);
      }
    }
    cache_.emplace(std::move(key), result);
    return result;
  }

 private:
  ~Converter() {
    if (handle_ != reinterpret_cast<opencc_t>(-1) && handle_) opencc_close(handle_);
  }

  bool Open() {
    if (tried_) return handle_ != reinterpret_cast<opencc_t>(-1);
    tried_ = true;
    handle_ = opencc_open(OPENCC_DEFAULT_CONFIG_SIMP_TO_TRAD);
    if (handle_ == reinterpret_cast<opencc_t>(-1))
      handle_ = opencc_open("/usr/share/opencc/s2t.json");
    return handle_ != reinterpret_cast<opencc_t>(-1);
  }

  std::mutex mutex_;
  bool tried_ = false;
  opencc_t handle_ = reinterpret_cast<opencc_t>(-1);
  std::map<std::string, std::string, std::less<>> cache_;
};

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string ToTraditional(std::string_view text) {
  // Texts without Chinese characters are unchanged; no need for the tables.
  if (IsAscii(text)) return std::string(text);
  return Converter::Instance().Convert(text);
}

}  // namespace kv3
