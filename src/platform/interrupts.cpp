#include "platform/interrupts.h"

namespace kv3 {

std::string InterruptName(int number) {
  switch (number) {
    case kInterruptSignal:
      return "SIGINT";
    case kTerminateSignal:
      return "SIGTERM";
    case kHangUpSignal:
      return "SIGHUP";
    default:
      return "signal " + std::to_string(number);
  }
}

}  // namespace kv3
