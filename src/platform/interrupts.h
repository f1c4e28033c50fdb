// Ctrl+C, a request to end and a hang-up, caught instead of ending the
// program at once, so that a command can end what it is doing as a failure
// ends it. On POSIX systems these are SIGINT, SIGTERM and SIGHUP; on Windows
// the console's events (Ctrl+C and Ctrl+Break as SIGINT, the console window
// closed as SIGHUP, log-off and shutdown as SIGTERM), told by the same
// numbers so that the exit codes (128 + the number) are the same everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kv3 {

inline constexpr int kHangUpSignal = 1;      // SIGHUP
inline constexpr int kInterruptSignal = 2;   // SIGINT
inline constexpr int kTerminateSignal = 15;  // SIGTERM

// From now on the three are caught. False when they could not be; calling
// it again does nothing.
bool CatchInterrupts();
// The first one caught, by its number; 0 while none was.
int CaughtInterrupt();
// "SIGINT", "SIGTERM", "SIGHUP"; "signal N" for any other number.
std::string InterruptName(int number);

// What an event loop watches to hear of a caught interrupt: on POSIX systems
// a file descriptor that becomes readable, on Windows an event handle that
// becomes signalled. -1 until CatchInterrupts succeeded.
std::intptr_t InterruptNotifier();
// Takes the notifier back to quiet once the loop has heard it.
void QuietInterruptNotifier();

// A line of standard input, without its line end; nullopt at the end of the
// input, after an error, or when an interrupt is caught while waiting.
std::optional<std::string> ReadInputLine();

}  // namespace kv3
