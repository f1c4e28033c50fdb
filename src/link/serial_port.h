// The serial port the sessions talk through, as the link needs it. Received
// bytes and break signals are not part of this interface: whoever owns the
// port delivers them to the session (ProgrammingSession::OnReceive, OnBreak,
// OnPortLost).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kv3 {

// The port numbers the program offers: COM1..COM20.
inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 20;

// Why a port did not open, as a value: its text in the user's language is
// PortErrorText (link/port_texts.h).
enum class PortProblem {
  None,
  NotChosen,         // no port number was chosen
  NoDevice,          // no serial device is COMn
  NotPluggedIn,      // COMn is kept for a device that is not plugged in (detail: its id)
  NotFound,          // the device does not exist
  PermissionDenied,  // not allowed to open it
  Busy,              // in use by another program
  LineSettings,      // 9600 8N1 was refused (detail: the system's reason)
  Gone,              // the device went away while open
  Other,             // detail: the system's reason
};
struct PortError {
  PortProblem problem = PortProblem::None;
  int number = 0;  // COMn, where the problem is about a number
  std::string detail;
  friend bool operator==(const PortError&, const PortError&) = default;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  virtual void Close() = 0;
  // Chooses COMn (1..20) for the next Open. Any other number makes Open fail.
  virtual void SetPortNumber(int number) = 0;
  // Opens the chosen port at 9600 baud, 8N1, no flow control. False when it
  // cannot be opened; OpenError() then says why.
  virtual bool Open() = 0;
  virtual bool IsOpen() const = 0;
  // Writes the bytes in order. False when the port is not open or the write
  // failed.
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  // Why the last Open failed, in English (for example "permission denied: add
  // your user to the dialout group"); empty after a successful Open.
  virtual std::string OpenError() const = 0;
  // The same as a value, for a text in the user's language.
  virtual PortError OpenFailure() const {
    const std::string text = OpenError();
    return text.empty() ? PortError{} : PortError{PortProblem::Other, 0, text};
  }
};

// OpenCom: close the port, choose ComPortNumber, open it. Failures of any step
// are not reported; the port is then simply not open.
void OpenCom(SerialPort& port, int ComPortNumber);

// The start-up scan of COM1..COM20.
struct PortScanResult {
  // available[n - 1]: COMn could be opened (the port dialog enables option n - 1).
  bool available[kLastComPort] = {};
  int found = 0;  // how many ports opened
  // The option shown selected in the port dialog (0..19), -1 for none.
  int selectedOption = -1;
};

// Tries COM1..COM20, then reopens the saved port (ComPortNumber) when it was
// found; otherwise takes the only port found (ComPortNumber is set to it, no
// option selected); otherwise leaves the port closed and ComPortNumber as it was.
PortScanResult ScanPorts(SerialPort& port, int& ComPortNumber);

}  // namespace kv3
