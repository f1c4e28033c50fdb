#include "editor/tones.h"

#include <cstdio>

namespace kv3 {

const std::array<uint16_t, kCtcssCount> kCtcssTones = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1999, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

const std::array<uint16_t, kDcsCount> kDcsCodes = {
    023,  025,  026,  031,  032,  036,  043,  047,  051,  053,  054,  065,  071,  072,  073,
    074,  0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156, 0162,
    0165, 0172, 0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0255,
    0261, 0263, 0265, 0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332, 0343, 0346, 0351,
    0356, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432, 0445, 0446, 0452, 0454, 0455,
    0462, 0464, 0465, 0466, 0503, 0506, 0516, 0523, 0526, 0532, 0546, 0565, 0606, 0612, 0624,
    0627, 0631, 0632, 0645, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

Tone ToneAt(int position) {
  if (position <= 0 || position >= kToneListSize) return Tone::Off();
  if (position <= kCtcssCount) return Tone::Ctcss(kCtcssTones[position - 1]);
  int k = position - kCtcssCount - 1;
  if (k < kDcsCount) return Tone::Dcs(kDcsCodes[k], false);
  return Tone::Dcs(kDcsCodes[k - kDcsCount], true);
}

int TonePosition(const Tone& tone) {
  switch (tone.kind) {
    case ToneKind::Off:
      return 0;
    case ToneKind::Ctcss:
      for (int i = 0; i < kCtcssCount; ++i)
        if (kCtcssTones[i] == tone.value) return i + 1;
      return -1;
    case ToneKind::Dcs:
      for (int i = 0; i < kDcsCount; ++i)
        if (kDcsCodes[i] == tone.value)
          return kCtcssCount + 1 + i + (tone.inverted ? kDcsCount : 0);
      return -1;
    case ToneKind::Blank:
      break;
  }
  return -1;
}

std::string SetToneText(const Tone& tone) {
  char buf[16];
  if (tone.kind == ToneKind::Ctcss) {
    std::snprintf(buf, sizeof buf, "%u.%u", tone.value / 10u, tone.value % 10u);
    return buf;
  }
  if (tone.kind == ToneKind::Dcs) {
    std::snprintf(buf, sizeof buf, "D%03o%c", tone.value & 0x1FFu, tone.inverted ? 'I' : 'N');
    return buf;
  }
  return {};
}

uint16_t ToneWord(const Tone& tone) {
  switch (tone.kind) {
    case ToneKind::Ctcss:
      return tone.value;
    case ToneKind::Dcs:
      return static_cast<uint16_t>((tone.inverted ? 0xA800 : 0x2800) + (tone.value & 0x1FF));
    default:
      return 0xFFFF;
  }
}

Tone ToneFromWord(uint16_t word, bool blankWhenOff) {
  if (word == 0xFFFF) return blankWhenOff ? Tone::Blank() : Tone::Off();
  unsigned first = word >> 12;
  if (first == 0x2 || first == 0xA) return Tone::Dcs(word & 0x1FF, first == 0xA);
  return Tone::Ctcss(word);
}

}  // namespace kv3
