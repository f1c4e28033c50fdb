#include "link/ui/form_com.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace kv3 {
namespace {

int Twips(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

// Passes every call on to the real port and keeps the reason each port
// number failed to open.
class RecordingPort : public SerialPort {
 public:
  RecordingPort(SerialPort& port, std::array<std::string, kLastComPort>& failures)
      : port_(port), failures_(failures) {}

  void Close() override { port_.Close(); }
  void SetPortNumber(int number) override {
    number_ = number;
    port_.SetPortNumber(number);
  }
  bool Open() override {
    const bool opened = port_.Open();
    if (number_ >= kFirstComPort && number_ <= kLastComPort) {
      std::string reason = opened ? std::string() : port_.OpenError();
      if (!opened && reason.empty()) reason = "the port could not be opened";
      failures_[number_ - 1] = std::move(reason);
    }
    return opened;
  }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const uint8_t> bytes) override { return port_.Write(bytes); }
  std::string OpenError() const override { return port_.OpenError(); }

 private:
  SerialPort& port_;
  std::array<std::string, kLastComPort>& failures_;
  int number_ = 0;
};

constexpr int kColumnTwips[5] = {120, 1080, 2040, 3000, 3960};  // 960 apart
constexpr int kRowTwips[4] = {240, 720, 1200, 1680};

}  // namespace

FormCOM::FormCOM(SerialPort& port, int& ComPortNumber, QWidget* parent)
    : QDialog(parent), port_(port), ComPortNumber_(ComPortNumber) {
  setObjectName("FormCOM");
  setWindowTitle("Com");
  setModal(false);
  const int dpiX = logicalDpiX();
  const int dpiY = logicalDpiY();
  auto* group = new QButtonGroup(this);
  group->setExclusive(false);  // no option is shown selected until one is chosen
  int width = Twips(895, dpiX);
  for (int i = 0; i < kLastComPort; ++i) {
    auto* option = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
    option->setObjectName(QStringLiteral("OptionCOM%1").arg(i));
    option->setProperty("Index", i);
    option->setAutoExclusive(false);
    group->addButton(option, i);
    options_[i] = option;
    width = std::max(width, option->sizeHint().width());
  }
  // The buttons stand where the twips put them, moved apart only as far as
  // "COM20" needs in the system's font.
  const int step = std::max(Twips(960, dpiX), width + Twips(60, dpiX));
  for (int i = 0; i < kLastComPort; ++i) {
    options_[i]->setGeometry(Twips(kColumnTwips[0], dpiX) + (i % 5) * step,
                             Twips(kRowTwips[i / 5], dpiY), width, Twips(375, dpiY));
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { Choose(id); });
  // The client area of a 5145 x 3000 twips window, or wider for wide buttons.
  setFixedSize(
      std::max(Twips(5145 - 120, dpiX), 2 * Twips(kColumnTwips[0], dpiX) + 4 * step + width),
      Twips(3000 - 480, dpiY));

  RecordingPort recorder(port_, failures_);
  scan_ = ScanPorts(recorder, ComPortNumber_);
  for (int i = 0; i < kLastComPort; ++i) {
    options_[i]->setEnabled(scan_.available[i]);
    options_[i]->setChecked(i == scan_.selectedOption);
    options_[i]->setToolTip(scan_.available[i] ? QString() : QString::fromStdString(failures_[i]));
  }
}

void FormCOM::Choose(int index) {
  for (int i = 0; i < kLastComPort; ++i) options_[i]->setChecked(i == index);
  ComPortNumber_ = index + 1;
  OpenCom(port_, ComPortNumber_);
  emit portChosen(ComPortNumber_);
}

}  // namespace kv3
