#include "link/qt/qt_link.h"

#include <QMetaObject>
#include <QSerialPort>
#include <cerrno>

#include "link/port_names.h"
#include "link/port_numbers.h"
#include "link/port_texts.h"
#include "platform/serial_devices.h"

namespace kv3 {

namespace {
constexpr int kFlushTimeoutMs = 500;
}  // namespace

// ---- QtSerialPort

QtSerialPort::QtSerialPort(QObject* parent) : QtPort(parent), port_(new QSerialPort(this)) {
  connect(port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
  connect(port_, &QSerialPort::errorOccurred, this,
          [this](QSerialPort::SerialPortError e) { OnError(static_cast<int>(e)); });
}

QtSerialPort::~QtSerialPort() {
  Close();
}

void QtSerialPort::Close() {
  if (!port_->isOpen()) return;
  // The end byte of a session is often the last thing written before the
  // port closes (kv3ctl exits right after it): let it leave first.
  if (port_->bytesToWrite() > 0) port_->waitForBytesWritten(kFlushTimeoutMs);
  port_->close();
}

void QtSerialPort::SetPortNumber(int number, const std::map<int, std::string>& pins) {
  device_.clear();
  error_ = {PortProblem::NoDevice, number, {}};
  if (number < kFirstComPort || number > kLastComPort) return;
#ifdef Q_OS_WIN
  auto pin = pins.find(number);
  device_ = pin != pins.end() ? pin->second : "COM" + std::to_string(number);
#else
  const ComPort port = CurrentPortAssignment(pins)[number];
  device_ = port.device;
  if (port.kind == ComPort::Kind::Absent) error_ = {PortProblem::NotPluggedIn, number, port.id};
#endif
  if (!device_.empty()) error_ = {};
}

void QtSerialPort::SetDevicePath(const std::string& path) {
  device_ = path;
  error_ = {};
}

std::string QtSerialPort::OpenError() const {
  return PortErrorText(error_, Language::English);
}

bool QtSerialPort::Open() {
  if (port_->isOpen()) return true;
  if (device_.empty()) {
    if (error_.problem == PortProblem::None) error_ = {PortProblem::NotChosen, 0, {}};
    return false;
  }
  // A FIFO or a file is no serial device; nothing waits on it.
  if (std::string why = NotASerialDevice(device_); !why.empty()) {
    error_ = {PortProblem::Other, 0, why};
    return false;
  }
  port_->setPortName(QString::fromStdString(device_));
  if (!port_->open(QIODevice::ReadWrite)) {
    switch (port_->error()) {
      case QSerialPort::PermissionError:
        // Qt says "permission" also for a device that another program holds.
        if (std::string held = DeviceHeldBy(device_); !held.empty()) {
          error_ = {PortProblem::Busy, 0, held};
        } else {
          error_ = PortErrorOfErrno(EACCES);
        }
        break;
      case QSerialPort::DeviceNotFoundError:
        error_ = PortErrorOfErrno(ENOENT);
        break;
      default:
        error_ = {PortProblem::Other, 0, port_->errorString().toStdString()};
    }
    return false;
  }
  bool set = port_->setBaudRate(QSerialPort::Baud9600) && port_->setDataBits(QSerialPort::Data8) &&
             port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
             port_->setFlowControl(QSerialPort::NoFlowControl);
  if (!set) {
    error_ = {PortProblem::LineSettings, 0, port_->errorString().toStdString()};
    port_->close();
    return false;
  }
  port_->clear();
  error_ = {};
  return true;
}

bool QtSerialPort::IsOpen() const {
  return port_->isOpen();
}

bool QtSerialPort::Write(std::span<const uint8_t> bytes) {
  if (!port_->isOpen()) return false;
  auto size = static_cast<qint64>(bytes.size());
  return port_->write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

void QtSerialPort::OnReadyRead() {
  QByteArray bytes = port_->readAll();
  if (!bytes.isEmpty()) emit bytesReceived(bytes);
}

void QtSerialPort::OnError(int error) {
  // A device that disappears reports a resource error; a hung-up line (the
  // other end of a pseudo-terminal closed) a read error on every poll. Either
  // way the port is of no further use.
  bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
  if (lost && port_->isOpen()) {
    error_ = {PortProblem::Gone, 0, {}};
    port_->clearError();
    port_->close();
    emit portLost();
  }
}

// ---- QtSimulatedPort

QtSimulatedPort::QtSimulatedPort(QObject* parent) : QtPort(parent), port_(radio_) {}

QtSimulatedPort::QtSimulatedPort(const MemoryImage& image, QObject* parent)
    : QtPort(parent), radio_(image), port_(radio_) {}

bool QtSimulatedPort::Write(std::span<const uint8_t> bytes) {
  if (!port_.Write(bytes)) return false;
  QueueDelivery();
  return true;
}

void QtSimulatedPort::ReleaseHeld() {
  port_.ReleaseHeld();
  QueueDelivery();
}

void QtSimulatedPort::QueueDelivery() {
  if (port_.HasEvents() && !deliveryQueued_) {
    deliveryQueued_ = true;
    QMetaObject::invokeMethod(this, &QtSimulatedPort::Deliver, Qt::QueuedConnection);
  }
}

void QtSimulatedPort::Deliver() {
  deliveryQueued_ = false;
  for (const auto& event : port_.TakeEvents()) {
    if (!port_.IsOpen()) return;
    if (event.kind == RadioEvent::Kind::Break)
      emit breakReceived();
    else
      emit bytesReceived(QByteArray(reinterpret_cast<const char*>(event.bytes.data()),
                                    static_cast<qsizetype>(event.bytes.size())));
  }
}

// ---- QtSession

QtSession::QtSession(QtPort& port, SessionEnvironment& environment, Language language,
                     QObject* parent)
    : QObject(parent),
      port_(port),
      session_(
          new ProgrammingSession(environment, static_cast<SessionListener&>(*this), language)) {
  timeoutTimer_.setInterval(kTimeoutTickMs);
  blinkTimer_.setInterval(kBlinkTickMs);
  connect(&timeoutTimer_, &QTimer::timeout, this, [this] { session_->OnTimeoutTick(); });
  connect(&blinkTimer_, &QTimer::timeout, this, [this] { session_->OnBlinkTick(); });
  connect(&port_, &QtPort::bytesReceived, this, [this](const QByteArray& bytes) {
    session_->OnReceive(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                  static_cast<size_t>(bytes.size())));
  });
  connect(&port_, &QtPort::breakReceived, this, [this] { session_->OnBreak(); });
  connect(&port_, &QtPort::portLost, this, [this] { session_->OnPortLost(); });
}

QtSession::~QtSession() = default;

void QtSession::SendBytes(std::span<const uint8_t> bytes) {
  port_.Write(bytes);
}

void QtSession::SetStatusText(const std::string& text) {
  emit statusTextChanged(QString::fromStdString(text));
}

void QtSession::SetStatusVisible(bool visible) {
  emit statusVisibleChanged(visible);
}

void QtSession::SetProgress(int value, int maximum, bool visible) {
  emit progressChanged(value, maximum, visible);
}

void QtSession::SetControlsEnabled(bool enabled) {
  emit controlsEnabledChanged(enabled);
}

void QtSession::FocusBandList() {
  emit focusBandList();
}

void QtSession::ShowMessage(const std::string& text, int buttons) {
  Defer([this, text = QString::fromStdString(text), buttons] {
    emit messageRequested(text, buttons);
  });
}

void QtSession::AskBandQuestion(const std::string& text) {
  emit bandQuestionAsked(QString::fromStdString(text));
}

void QtSession::DecodeImage(const MemoryImage& image) {
  emit imageRead(QByteArray(reinterpret_cast<const char*>(image.data()),
                            static_cast<qsizetype>(image.size())));
}

void QtSession::SetTimeoutWatchRunning(bool running) {
  if (running)
    timeoutTimer_.start();
  else
    timeoutTimer_.stop();
}

void QtSession::SetBlinkTimerRunning(bool running) {
  if (running)
    blinkTimer_.start();
  else
    blinkTimer_.stop();
}

void QtSession::SessionEnded(SessionOutcome outcome) {
  Defer([this, outcome] { emit sessionEnded(static_cast<int>(outcome)); });
}

void QtSession::Defer(std::function<void()> signal) {
  deferred_.push_back(std::move(signal));
  // One queued call emits them all, in order; one that is emitting (its box
  // open) emits those that come meanwhile when the box has closed.
  if (deferred_.size() == 1 && !emitting_)
    QMetaObject::invokeMethod(this, &QtSession::EmitDeferred, Qt::QueuedConnection);
}

void QtSession::EmitDeferred() {
  emitting_ = true;
  while (!deferred_.empty()) {
    std::function<void()> signal = std::move(deferred_.front());
    deferred_.pop_front();
    signal();
  }
  emitting_ = false;
}

}  // namespace kv3
