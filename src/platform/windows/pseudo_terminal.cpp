#include "platform/pseudo_terminal.h"

namespace kv3 {

PseudoTerminal::~PseudoTerminal() = default;

void PseudoTerminal::Close() {}

bool PseudoTerminal::Open(std::string& error) {
  error = "Windows has no pseudo-terminals";
  return false;
}

long PseudoTerminal::Read(uint8_t*, size_t, int) {
  return -1;
}

bool PseudoTerminal::Write(const std::vector<uint8_t>&) {
  return false;
}

void CatchStopRequests() {}

bool StopRequested() {
  return false;
}

}  // namespace kv3
