#include "platform/serial_devices.h"

#include <cctype>
#include <cstdlib>

namespace kv3 {

bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (da && db) {
      size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      unsigned long long va = std::strtoull(a.substr(i, ie - i).c_str(), nullptr, 10);
      unsigned long long vb = std::strtoull(b.substr(j, je - j).c_str(), nullptr, 10);
      if (va != vb) return va < vb;
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::string LockFileName(const std::string& path) {
  std::string name = path.rfind("/dev/", 0) == 0 ? path.substr(5) : path;
  for (char& c : name)
    if (c == '/') c = '_';
  return "LCK.." + name;
}

}  // namespace kv3
