// Messages of the feature dialogs that refuse an entry.
#pragma once

#include "i18n/language.h"

namespace kv3::msg {

inline constexpr Text2 kScanDelayInvalid{"须为 0 至 300 之间的整数（秒），未保存任何设置。",
                                         "must be a whole number of seconds from 0 to 300; "
                                         "nothing was stored."};
inline constexpr Text2 kTestFrequencyInvalid{
    "测试频率须为 100 至 999.99999 之间的数字（MHz），该格保持原值。",
    "A test frequency must be a number from 100 to 999.99999 (MHz); the cell keeps its value."};

inline constexpr Text2 kHelpMissing{"找不到帮助文件 help/index.html。",
                                    "The help file help/index.html was not found."};

}  // namespace kv3::msg
