// The radio link on Qt's event loop (QtCore and Qt Serial Port, no widgets):
// ports that deliver what they receive as signals, and QtSession, which runs
// a ProgrammingSession on a port with the 500 ms and 200 ms QTimers and turns
// every effect into a signal. kv3ctl and the main window use the same classes.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "link/serial_port.h"
#include "link/session.h"
#include "link/simulated_radio.h"

class QSerialPort;

namespace kv3 {

// A serial port on the event loop. Its owner connects the signals to a
// session (QtSession does).
class QtPort : public QObject, public SerialPort {
  Q_OBJECT
 public:
  using QObject::QObject;

 signals:
  // All bytes waiting, at every arrival.
  void bytesReceived(const QByteArray& bytes);
  void breakReceived();
  // The device went away while open (unplugged adapter).
  void portLost();
};

// A real serial port: 9600 baud, 8N1, no flow control. SetPortNumber
// resolves COMn (the port map, then the numbers kept for the devices,
// link/port_numbers.h, on Linux; COMn itself on Windows); SetDevicePath
// names a device directly.
class QtSerialPort : public QtPort {
  Q_OBJECT
 public:
  explicit QtSerialPort(QObject* parent = nullptr);
  ~QtSerialPort() override;

  void Close() override;
  void SetPortNumber(int number) override { SetPortNumber(number, {}); }
  // COMn with these pins over the port map file (--port-map).
  void SetPortNumber(int number, const std::map<int, std::string>& pins);
  void SetDevicePath(const std::string& path);
  bool Open() override;
  bool IsOpen() const override;
  bool Write(std::span<const uint8_t> bytes) override;
  std::string OpenError() const override;
  PortError OpenFailure() const override { return error_; }
  const std::string& devicePath() const { return device_; }

 private:
  void OnReadyRead();
  void OnError(int error);

  QSerialPort* port_;
  std::string device_;
  PortError error_;
};

// The built-in port "sim": a SimulatedRadio whose answers arrive through the
// event loop (queued), as a real port's would.
class QtSimulatedPort : public QtPort {
  Q_OBJECT
 public:
  explicit QtSimulatedPort(QObject* parent = nullptr);
  explicit QtSimulatedPort(const MemoryImage& image, QObject* parent = nullptr);

  void Close() override { port_.Close(); }
  void SetPortNumber(int number) override { port_.SetPortNumber(number); }
  bool Open() override { return port_.Open(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const uint8_t> bytes) override;
  std::string OpenError() const override { return port_.OpenError(); }

  SimulatedRadio& radio() { return radio_; }
  // A slow radio's held replies (RadioFaults::heldFrom) arrive now.
  void ReleaseHeld();

 private:
  void Deliver();
  void QueueDelivery();

  SimulatedRadio radio_;
  SimulatedPort port_;
  bool deliveryQueued_ = false;
};

// A ProgrammingSession on a QtPort, with its two timers. The environment
// (port open, band index, image to write, TuningUnlocked) is given by the
// owner, EditorSessionEnvironment for an editor state.
class QtSession : public QObject, private SessionListener {
  Q_OBJECT
 public:
  QtSession(QtPort& port, SessionEnvironment& environment, Language language,
            QObject* parent = nullptr);
  ~QtSession() override;

  ProgrammingSession& session() { return *session_; }
  QtPort& port() { return port_; }
  void SetLanguage(Language language) { session_->SetLanguage(language); }

 public slots:
  bool startRead() { return session_->StartRead(); }
  bool startWrite() { return session_->StartWrite(); }
  // The answer to bandQuestionAsked: true for Yes.
  void answerBandQuestion(bool yes) { session_->AnswerBandQuestion(yes); }

 signals:
  void statusTextChanged(const QString& text);
  void statusVisibleChanged(bool visible);
  void progressChanged(int value, int maximum, bool visible);
  void controlsEnabledChanged(bool enabled);
  void focusBandList();
  // buttons: kButtonsInformation or kButtonsStop; the title is the
  // application title. Emitted after the event handler that ended the
  // session has returned (queued), so a modal box's nested event loop never
  // runs inside the session's handling of a byte or a tick.
  void messageRequested(const QString& text, int buttons);
  // Answer with answerBandQuestion (at once from a modal box, or later).
  void bandQuestionAsked(const QString& text);
  // A complete read: the 848-byte memory image to run DecodeImage on. Connect
  // it directly (not queued): the session takes LastBand from the band list
  // right after this signal returns.
  void imageRead(const QByteArray& image);
  // The conversation is over; outcome is a SessionOutcome. Queued like
  // messageRequested, and after the session's message.
  void sessionEnded(int outcome);

 private:
  void SendBytes(std::span<const uint8_t> bytes) override;
  void SetStatusText(const std::string& text) override;
  void SetStatusVisible(bool visible) override;
  void SetProgress(int value, int maximum, bool visible) override;
  void SetControlsEnabled(bool enabled) override;
  void FocusBandList() override;
  void ShowMessage(const std::string& text, int buttons) override;
  void AskBandQuestion(const std::string& text) override;
  void DecodeImage(const MemoryImage& image) override;
  void SetTimeoutWatchRunning(bool running) override;
  void SetBlinkTimerRunning(bool running) override;
  void SessionEnded(SessionOutcome outcome) override;
  // Emits `signal` once the current event has been handled, after the
  // signals deferred before it.
  void Defer(std::function<void()> signal);
  void EmitDeferred();

  QtPort& port_;
  std::unique_ptr<ProgrammingSession> session_;
  QTimer timeoutTimer_;  // Timer1, 500 ms
  QTimer blinkTimer_;    // Timer2, 200 ms
  std::deque<std::function<void()>> deferred_;
  bool emitting_ = false;
};

}  // namespace kv3
