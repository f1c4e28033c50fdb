// A pseudo-terminal that stands for a serial device, for a program that
// plays the far end of a serial line. POSIX systems only: on Windows Open
// fails (a serial line there needs a pair of virtual COM ports).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv3 {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens one in raw mode at 9600 baud. The device side stays open too, so
  // that programs may open and close the device between their sessions.
  // False, with the system's reason in error, when none can be opened.
  bool Open(std::string& error);
  // The device path programs open ("/dev/pts/3").
  const std::string& path() const { return path_; }

  // Waits up to timeoutMs (-1: without end) for bytes that a program wrote
  // to the device and reads them into buffer: their count; 0 when none came
  // (the time was up, a signal came, or no program has the device open);
  // -1 when the pseudo-terminal failed.
  long Read(uint8_t* buffer, size_t size, int timeoutMs);
  // Writes all the bytes to the program; false when that failed.
  bool Write(const std::vector<uint8_t>& bytes);
  // Closes both sides: programs that have the device open see it hang up.
  void Close();

 private:
  int master_ = -1;
  int device_ = -1;
  std::string path_;
};

// From now on SIGINT and SIGTERM ask the program to stop (StopRequested)
// instead of ending it, and a write to a closed line is an error, not the
// end of the program.
void CatchStopRequests();
bool StopRequested();

}  // namespace kv3
