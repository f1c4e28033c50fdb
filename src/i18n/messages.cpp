#include "i18n/messages.h"

namespace kv3 {

const char* ButtonLabel(MessageButton button, Language lang) {
  struct Row {
    const char* zh;
    const char* en;
    const char* tw;
  };
  static constexpr Row kRows[] = {
      {"确定", "OK", "確定"},    {"取消", "Cancel", "取消"}, {"放弃", "Abort", "放棄"},
      {"重试", "Retry", "重試"}, {"忽略", "Ignore", "忽略"}, {"是", "Yes", "是"},
      {"否", "No", "否"},
  };
  int i = static_cast<int>(button) - 1;
  if (i < 0 || i >= 7) i = 0;
  switch (lang) {
    case Language::English:
      return kRows[i].en;
    case Language::Traditional:
      return kRows[i].tw;
    default:
      return kRows[i].zh;
  }
}

}  // namespace kv3
