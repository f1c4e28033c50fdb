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
// Followed by the help file's path on a line of its own.
inline constexpr Text2 kHelpViewerMissing{
    "没有找到可以显示帮助的程序。请安装网页浏览器，或用浏览器打开这个文件：",
    "No program was found to show the help. Install a web browser, or open this file in one:"};

}  // namespace kv3::msg
