// The port dialog FormCOM ("Com"): twenty option buttons COM1..COM20 in four
// rows of five. Creating it scans the ports once; each button is enabled
// when its port opened during that scan, and a disabled button's tooltip
// says why it did not. Choosing a button reopens the port as that number.
// Closing the dialog only hides it.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "link/serial_port.h"

class QRadioButton;

namespace kv3 {

class FormCOM : public QDialog {
  Q_OBJECT

 public:
  // Scans COM1..COM20 on `port` and opens the saved port; ComPortNumber is
  // read and updated (it must outlive the dialog).
  FormCOM(SerialPort& port, int& ComPortNumber, QWidget* parent = nullptr);

  QRadioButton* option(int index) const { return options_[index]; }
  const PortScanResult& scan() const { return scan_; }
  // Why COMn (1..20) did not open during the scan; "" when it did.
  const std::string& failure(int number) const { return failures_[number - 1]; }

 signals:
  // The user chose a port (it was closed and opened again as that number).
  void portChosen(int number);

 private:
  void Choose(int index);

  SerialPort& port_;
  int& ComPortNumber_;
  std::array<QRadioButton*, kLastComPort> options_{};
  std::array<std::string, kLastComPort> failures_;
  PortScanResult scan_;
};

}  // namespace kv3
