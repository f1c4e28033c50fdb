#include "link/ui/form_com.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "link/port_texts.h"

namespace kv3 {
namespace {

int Twips(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

// Passes every call on to the real port and keeps the reason each port
// number failed to open.
class RecordingPort : public SerialPort {
 public:
  RecordingPort(SerialPort& port, std::array<PortError, kLastComPort>& failures)
      : port_(port), failures_(failures) {}

  void Close() override { port_.Close(); }
  void SetPortNumber(int number) override {
    number_ = number;
    port_.SetPortNumber(number);
  }
  bool Open() override {
    const bool opened = port_.Open();
    if (number_ >= kFirstComPort && number_ <= kLastComPort) {
      PortError reason = opened ? PortError{} : port_.OpenFailure();
      if (!opened && reason.problem == PortProblem::None) reason.problem = PortProblem::Other;
      if (reason.number == 0 && reason.problem != PortProblem::None) reason.number = number_;
      failures_[number_ - 1] = std::move(reason);
    }
    return opened;
  }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const uint8_t> bytes) override { return port_.Write(bytes); }
  std::string OpenError() const override { return port_.OpenError(); }
  PortError OpenFailure() const override { return port_.OpenFailure(); }

 private:
  SerialPort& port_;
  std::array<PortError, kLastComPort>& failures_;
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
  }
  ShowTips();
}

std::string FormCOM::failure(int number) const {
  return PortErrorText(failures_[number - 1], language_);
}

void FormCOM::DescribePorts(const PortDescriber& describe) {
  for (int i = 0; i < kLastComPort; ++i) devices_[i] = describe ? describe(i + 1) : ComPort{};
  ShowTips();
}

void FormCOM::SetLanguage(Language lang) {
  language_ = lang;
  ShowTips();
}

// The device of the number, where it has one to open, then why it did not
// open.
void FormCOM::ShowTips() {
  for (int i = 0; i < kLastComPort; ++i) {
    const ComPort& device = devices_[i];
    const bool opens = device.kind != ComPort::Kind::None && device.kind != ComPort::Kind::Absent;
    std::string tip = opens ? ComPortText(device, language_) : std::string();
    if (!scan_.available[i]) {
      const std::string why = PortErrorText(failures_[i], language_);
      tip += (tip.empty() || why.empty() ? "" : "\n") + why;
    }
    options_[i]->setToolTip(QString::fromStdString(tip));
  }
}

void FormCOM::Choose(int index) {
  for (int i = 0; i < kLastComPort; ++i) options_[i]->setChecked(i == index);
  ComPortNumber_ = index + 1;
  OpenCom(port_, ComPortNumber_);
  emit portChosen(ComPortNumber_);
}

}  // namespace kv3
