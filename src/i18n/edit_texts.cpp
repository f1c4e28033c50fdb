#include "i18n/edit_texts.h"

#include <array>

namespace kv3 {

namespace {

constexpr std::array<Text2, kEditStepCount> kStepNames{{
    {"接收频率", "RX Frequency"},
    {"接收亚音频", "RX QT/DQT"},
    {"发射频率", "TX Frequency"},
    {"发射亚音频", "TX QT/DQT"},
    {"功率", "Power"},
    {"禁发", "Forbid"},
    {"宽\\窄带", "Band Width"},
    {"扫描添加", "Scan"},
    {"频段", "Channel Band"},
    {"功能设置", "Function Set"},
    {"测试频率", "Debug frequency"},
    {"功率调试", "Power Tuning"},
    {"可选功能", "Optional Function"},
    {"键设定", "Keys Set"},
    {"嵌入信息", "Embedded Information"},
    {"新建", "New"},
    {"打开", "Open"},
    {"读频", "Read Frequency"},
    {"导入", "Import"},
    {"剪切", "Cut"},
    {"粘贴", "Paste"},
    {"清除信道", "Clear Channels"},
    {"插入信道", "Insert Channel"},
    {"删除信道", "Remove Channel"},
    {"上移", "Move Up"},
    {"下移", "Move Down"},
    {"按接收频率排序", "Sort by RX Frequency"},
    {"恢复编辑", "Restore Edits"},
    {"打开备份", "Open Backup"},
}};

}  // namespace

Text2 EditStepName(EditStep step) {
  int i = static_cast<int>(step);
  if (i < 0 || i >= kEditStepCount) i = 0;
  return kStepNames[static_cast<size_t>(i)];
}

std::string UndoText(EditStep step, bool redo, Language lang) {
  return Localize(redo ? kRedoVerb : kUndoVerb, lang) + " " + Localize(EditStepName(step), lang);
}

}  // namespace kv3
