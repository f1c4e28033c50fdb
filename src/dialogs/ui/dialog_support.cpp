#include "dialogs/ui/dialog_support.h"

#include <QTime>

namespace kv3 {

double SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kv3
