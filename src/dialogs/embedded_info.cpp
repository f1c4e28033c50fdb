#include "dialogs/embedded_info.h"

#include "image/image.h"

namespace kv3 {

bool EmbeddedInfoBytes(std::string_view utf8, std::string& bytes) {
  std::string out;
  if (!Utf8ToLatin1(utf8, out)) return false;
  for (char c : out)
    if (!FitsEmbeddedInfoByte(static_cast<unsigned char>(c))) return false;
  bytes = std::move(out);
  return true;
}

}  // namespace kv3
