#include "link/qt/routed_port.h"

namespace kv3 {

RoutedPort::RoutedPort(bool simulate, std::map<int, std::string> portMap, QObject* parent)
    : QtPort(parent), simulate_(simulate), portMap_(std::move(portMap)) {
  Forward(simulated_);
  Forward(serial_);
}

void RoutedPort::Forward(QtPort& from) {
  connect(&from, &QtPort::bytesReceived, this, [this, &from](const QByteArray& bytes) {
    if (active_ == &from) emit bytesReceived(bytes);
  });
  connect(&from, &QtPort::breakReceived, this, [this, &from] {
    if (active_ == &from) emit breakReceived();
  });
  connect(&from, &QtPort::portLost, this, [this, &from] {
    if (active_ == &from) emit portLost();
  });
}

void RoutedPort::Close() {
  if (active_) active_->Close();
}

bool RoutedPort::Open() {
  Close();
  if (simulate_ && number_ == 1) {
    active_ = &simulated_;
    simulated_.SetPortNumber(number_);
  } else {
    active_ = &serial_;
    serial_.SetPortNumber(number_, Pins());
  }
  return active_->Open();
}

ComPort RoutedPort::Describe(int number) const {
  if (simulate_ && number == kSimulatedComPort) return {ComPort::Kind::Simulated, "sim", {}, {}};
  if (number < kFirstComPort || number > kLastComPort) return {};
  return CurrentPortAssignment(Pins())[number];
}

// The command line's pins, and the simulated radio's COM1: a device whose
// number is 1 is then reached under another number for the run.
std::map<int, std::string> RoutedPort::Pins() const {
  std::map<int, std::string> pins = portMap_;
  if (simulate_) pins[kSimulatedComPort] = "sim";
  return pins;
}

bool RoutedPort::IsOpen() const {
  return active_ && active_->IsOpen();
}

bool RoutedPort::Write(std::span<const uint8_t> bytes) {
  return active_ && active_->Write(bytes);
}

std::string RoutedPort::OpenError() const {
  return active_ ? active_->OpenError() : std::string("no port chosen");
}

PortError RoutedPort::OpenFailure() const {
  return active_ ? active_->OpenFailure() : PortError{PortProblem::NotChosen, 0, {}};
}

}  // namespace kv3
