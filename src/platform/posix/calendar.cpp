#include "platform/calendar.h"

namespace kv3 {

std::time_t UtcMoment(std::tm& utc) {
  return ::timegm(&utc);
}

bool UtcCalendar(std::time_t moment, std::tm& utc) {
  return ::gmtime_r(&moment, &utc) != nullptr;
}

bool LocalCalendar(std::time_t moment, std::tm& local) {
  return ::localtime_r(&moment, &local) != nullptr;
}

}  // namespace kv3
