// The port dialog FormCOM ("Com"): twenty option buttons COM1..COM20 in four
// rows of five. Creating it scans the ports once; each button is enabled
// when its port opened during that scan. Each button's tooltip says which
// device the number is and, for a disabled one, why it did not open, in the
// program's language. Choosing a button reopens the port as that number.
// Closing the dialog only hides it.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "i18n/language.h"
#include "link/port_numbers.h"
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
  // Why COMn (1..20) did not open during the scan, in the dialog's language;
  // "" when it did. failureReason gives it as a value.
  std::string failure(int number) const;
  const PortError& failureReason(int number) const { return failures_[number - 1]; }

  // What stands behind each number, asked once, right after the scan.
  using PortDescriber = std::function<ComPort(int number)>;
  void DescribePorts(const PortDescriber& describe);
  // The tooltips' language.
  void SetLanguage(Language lang);

 signals:
  // The user chose a port (it was closed and opened again as that number).
  void portChosen(int number);

 private:
  void Choose(int index);
  void ShowTips();

  SerialPort& port_;
  int& ComPortNumber_;
  std::array<QRadioButton*, kLastComPort> options_{};
  std::array<PortError, kLastComPort> failures_;
  std::array<ComPort, kLastComPort> devices_{};
  PortScanResult scan_;
  Language language_ = Language::English;
};

}  // namespace kv3
