// The main window's serial port: COMn is the simulated radio (COM1 with
// --simulate), a device pinned on the command line (--port-map), or the
// real port the platform names COMn. Whichever is chosen, its bytes, breaks
// and loss arrive through this one port.
#pragma once

#include <map>
#include <string>

#include "link/port_numbers.h"
#include "link/qt/qt_link.h"

namespace kv3 {

class RoutedPort : public QtPort {
  Q_OBJECT

 public:
  // portMap: COMn -> device path, taking precedence over the platform's
  // naming. simulate: COM1 is the built-in simulated radio.
  RoutedPort(bool simulate, std::map<int, std::string> portMap, QObject* parent = nullptr);

  void Close() override;
  void SetPortNumber(int number) override { number_ = number; }
  bool Open() override;
  bool IsOpen() const override;
  bool Write(std::span<const uint8_t> bytes) override;
  std::string OpenError() const override;
  PortError OpenFailure() const override;

  // What stands behind COMn now (for the port dialog).
  ComPort Describe(int number) const;

  int number() const { return number_; }
  bool simulated() const { return active_ == &simulated_; }
  QtSimulatedPort& simulatedPort() { return simulated_; }

 private:
  void Forward(QtPort& from);
  std::map<int, std::string> Pins() const;

  bool simulate_;
  std::map<int, std::string> portMap_;
  QtSimulatedPort simulated_;
  QtSerialPort serial_;
  QtPort* active_ = nullptr;
  int number_ = 0;
};

}  // namespace kv3
