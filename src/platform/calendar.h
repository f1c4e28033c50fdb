// Calendar time and the moment it names, in UTC and in the local time zone,
// on every system alike (the C library's thread-safe forms differ).
#pragma once

#include <ctime>

namespace kv3 {

// The moment of a UTC calendar time (timegm); the fields are normalised.
std::time_t UtcMoment(std::tm& utc);
// The UTC and the local calendar time of a moment; false when the system
// cannot tell (the fields are then left as they were).
bool UtcCalendar(std::time_t moment, std::tm& utc);
bool LocalCalendar(std::time_t moment, std::tm& local);

}  // namespace kv3
