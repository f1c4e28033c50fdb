#include "platform/calendar.h"

namespace kv3 {

std::time_t UtcMoment(std::tm& utc) {
  return ::_mkgmtime(&utc);
}

bool UtcCalendar(std::time_t moment, std::tm& utc) {
  return ::gmtime_s(&utc, &moment) == 0;
}

bool LocalCalendar(std::time_t moment, std::tm& local) {
  return ::localtime_s(&local, &moment) == 0;
}

}  // namespace kv3
