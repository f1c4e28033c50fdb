// SIGINT, SIGTERM and SIGHUP during a session with a radio. Caught instead of
// ending the program at once, so that the session ends as a failed one does
// (the radio gets its end byte and leaves programming mode), no file is left
// half written, and the command exits 128 + the signal's number.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kv3ctl {

// From now on the three signals are caught: each is noted and reported to
// the watchers on the event loop (which this makes sure exists).
void CatchInterrupts();
// The first signal caught, 0 while none was.
int InterruptSignal();
// 128 + InterruptSignal(): 130 for SIGINT, 143 for SIGTERM, 129 for SIGHUP.
int InterruptExitCode();
// "SIGINT", "SIGTERM", "SIGHUP".
std::string InterruptName();

// Calls fn on the event loop after a signal was caught. The id is for
// UnwatchInterrupts.
int WatchInterrupts(std::function<void()> fn);
void UnwatchInterrupts(int id);

// A line typed on the terminal (standard input), without its line end; nullopt
// at the end of the input or when a signal is caught while waiting.
std::optional<std::string> ReadAnswerLine();

}  // namespace kv3ctl
