// What the problems list says of a value, Simplified and English
// (Traditional is made from the Simplified text, Localize).
#pragma once

#include "i18n/language.h"

namespace kv3 {

namespace msg {
inline constexpr Text2 kProblemOffRaster{"不在 5 kHz 或 6.25 kHz 信道步进上",
                                         "Not on the 5 kHz or 6.25 kHz channel raster"};
inline constexpr Text2 kProblemNotDecimal{"频率含有非十进制数字",
                                          "The frequency holds digits that are not decimal"};
inline constexpr Text2 kProblemToneOutOfRange{"亚音频不在 67.0 至 254.1 Hz 之间",
                                              "The tone is outside 67.0 to 254.1 Hz"};
inline constexpr Text2 kProblemToneNotInList{"亚音频不在亚音频列表中",
                                             "The tone is not in the tone list"};
inline constexpr Text2 kProblemDcsNotOctal{"DCS 码不是三位八进制数字（含有 8 或 9）",
                                           "The DCS code is not three octal digits (8 or 9)"};
inline constexpr Text2 kProblemPriorityEmpty{"优先信道是空信道", "The priority channel is empty"};
inline constexpr Text2 kProblemDuplicate{"接收频率和亚音频与此信道相同：",
                                         "Same receive frequency and tones as channel "};
inline constexpr Text2 kProblemTestFrequencyRange{"测试频率不在 100 至 1000 MHz 之间",
                                                  "The test frequency is outside 100 to 1000 MHz"};
}  // namespace msg

}  // namespace kv3
