#include "editor/band.h"

namespace kv3 {

namespace {
int Number(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}
}  // namespace

int BandIndexOfCode(uint8_t code) {
  for (int i = 0; i < kBandCount; ++i)
    if (kBands[i].code == code) return i;
  return -1;
}

int BandLowLimitOf(int index) {
  if (index < 0 || index >= kBandCount) index = 0;
  return Number(kBands[index].text.substr(0, 3));
}

int BandHighLimitOf(int index) {
  if (index < 0 || index >= kBandCount) index = 0;
  return Number(kBands[index].text.substr(4, 3));
}

}  // namespace kv3
