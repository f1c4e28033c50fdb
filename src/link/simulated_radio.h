// A radio that answers as the real one does on the wire, with faults that
// can be switched on for tests. It holds the radio's memory, addresses
// 0x0000..0x040F (the programmable part is the 1024 bytes from 0x0010),
// and starts with the demo codeplug.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "image/image.h"
#include "link/serial_port.h"

namespace kv3 {

inline constexpr int kRadioMemorySize = 0x0410;

// Something the radio puts on the line: bytes, or a break signal.
struct RadioEvent {
  enum class Kind { Bytes, Break };
  Kind kind = Kind::Bytes;
  std::vector<uint8_t> bytes;
};

// Faults, counted by the radio's replies since its last "ZR-PROG": reply 0 is
// the 06 after "ZR-PROG", 1 the identification, 2 the ready 06, then the read
// replies, acknowledges and write acknowledges in order. -1 switches a fault
// off.
struct RadioFaults {
  int silentFrom = -1;               // this reply and every later one are not sent
  bool wrongIdentification = false;  // the identification lacks "RT720"
  int strayByteAt = -1;              // one extra byte follows this reply
  int wrongAddressAt = -1;           // this read reply echoes another address
  int breakBefore = -1;              // a break signal and a 00 byte precede this reply
  size_t pieceSize = 0;              // replies are split into pieces of this size (0: whole)
  int heldFrom = -1;                 // this reply and every later one wait for ReleaseHeld
};

class SimulatedRadio {
 public:
  // Starts with the demo codeplug at 0x0010..0x035F, 0xFF elsewhere.
  SimulatedRadio();
  explicit SimulatedRadio(const MemoryImage& image);

  RadioFaults& faults() { return faults_; }

  // Bytes from the PC, in any pieces. The radio's answers are appended to
  // out in the order they go on the line.
  void Receive(std::span<const uint8_t> bytes, std::vector<RadioEvent>& out);

  const std::array<uint8_t, kRadioMemorySize>& memory() const { return memory_; }
  // The memory image part, radio addresses 0x0010..0x035F.
  MemoryImage Image() const;
  void LoadImage(const MemoryImage& image);
  // A slow radio: the replies held back since faults().heldFrom go out now,
  // appended to out, and the radio answers at once again.
  void ReleaseHeld(std::vector<RadioEvent>& out);
  bool HasHeld() const { return !held_.empty(); }

  // Counters of the conversation, for tests.
  int sessionsStarted() const { return sessions_; }
  int endBytes() const { return endBytes_; }
  const std::vector<int>& readAddresses() const { return readAddresses_; }
  const std::vector<int>& writeAddresses() const { return writeAddresses_; }
  void ClearCounters();
  // Whether the radio is between "ZR-PROG" and "E".
  bool InSession() const { return state_ != State::Idle; }

 private:
  enum class State { Idle, WaitIdentify, WaitAck, Transfer };
  void Reply(std::vector<uint8_t> bytes, std::vector<RadioEvent>& out);
  size_t Step(std::span<const uint8_t> input, std::vector<RadioEvent>& out);

  std::array<uint8_t, kRadioMemorySize> memory_{};
  RadioFaults faults_;
  State state_ = State::Idle;
  std::vector<uint8_t> pending_;  // bytes from the PC not yet understood
  std::vector<RadioEvent> held_;  // replies of a slow radio, not yet sent
  int replyNumber_ = 0;
  bool silent_ = false;
  int sessions_ = 0;
  int endBytes_ = 0;
  std::vector<int> readAddresses_;
  std::vector<int> writeAddresses_;
};

// The number under which the simulated port answers a port scan.
inline constexpr int kSimulatedComPort = 1;

// The in-process port "sim": writes go to a simulated radio, whose answers
// wait in a queue until the owner takes them (TakeEvents) and hands them to
// the session. It is COM1 (kSimulatedComPort): a scan finds exactly it, and
// it opens without a SetPortNumber. Open also fails when told to (failOpen).
class SimulatedPort : public SerialPort {
 public:
  explicit SimulatedPort(SimulatedRadio& radio) : radio_(radio) {}

  void Close() override { open_ = false; }
  void SetPortNumber(int number) override { number_ = number; }
  bool Open() override;
  bool IsOpen() const override { return open_; }
  bool Write(std::span<const uint8_t> bytes) override;
  std::string OpenError() const override { return error_; }

  bool HasEvents() const { return !events_.empty(); }
  std::vector<RadioEvent> TakeEvents();
  // The radio's held replies arrive now (SimulatedRadio::ReleaseHeld).
  void ReleaseHeld() { radio_.ReleaseHeld(events_); }
  SimulatedRadio& radio() { return radio_; }
  // Open fails (for tests of the scan and of a closed port).
  bool failOpen = false;

 private:
  SimulatedRadio& radio_;
  bool open_ = false;
  int number_ = kSimulatedComPort;
  std::string error_;
  std::vector<RadioEvent> events_;
};

}  // namespace kv3
