#include "platform/interrupts.h"

#include <windows.h>

#include <atomic>

namespace kv3 {

namespace {

// The console runs the handler on a thread of its own: the first event's
// number, and an event the loop waits on.
std::atomic<int> caughtSignal{0};
HANDLE caughtEvent = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD type) {
  int number = kTerminateSignal;
  if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) number = kInterruptSignal;
  if (type == CTRL_CLOSE_EVENT) number = kHangUpSignal;
  int none = 0;
  caughtSignal.compare_exchange_strong(none, number);
  ::SetEvent(caughtEvent);
  return TRUE;
}

}  // namespace

bool CatchInterrupts() {
  if (caughtEvent) return true;
  caughtEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!caughtEvent) return false;
  return ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
}

int CaughtInterrupt() {
  return caughtSignal.load();
}

std::intptr_t InterruptNotifier() {
  return caughtEvent ? reinterpret_cast<std::intptr_t>(caughtEvent) : -1;
}

void QuietInterruptNotifier() {
  if (caughtEvent) ::ResetEvent(caughtEvent);
}

std::optional<std::string> ReadInputLine() {
  // Ctrl+C ends a console's pending read; the handler has noted it by then.
  HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  for (;;) {
    if (caughtSignal.load()) return std::nullopt;
    char c = 0;
    DWORD n = 0;
    if (!::ReadFile(input, &c, 1, &n, nullptr) || n == 0) {
      // The read may end before the handler's thread has run.
      DWORD mode = 0;
      if (caughtEvent && ::GetConsoleMode(input, &mode)) ::WaitForSingleObject(caughtEvent, 500);
      if (caughtSignal.load()) return std::nullopt;
      return line.empty() ? std::nullopt : std::optional<std::string>(line);
    }
    if (c == '\r') continue;
    if (c == '\n') return line;
    line.push_back(c);
  }
}

}  // namespace kv3
