#include "link/simulated_radio.h"

#include <algorithm>

#include "codeplug/codec.h"
#include "editor/demo.h"

namespace kv3 {

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kEnd = 'E';
constexpr uint8_t kRead = 'R';
constexpr uint8_t kWrite = 'W';
constexpr uint8_t kOpen[] = {'Z', 'R', '-', 'P', 'R', 'O', 'G'};
constexpr size_t kOpenSize = sizeof kOpen;
constexpr uint8_t kStray = 0x55;
const std::vector<uint8_t> kIdentification = {'R', 'T', '7', '2', '0', ' ', 'V', '1'};
const std::vector<uint8_t> kWrongIdentification = {'R', 'T', '7', '1', '0', ' ', 'V', '1'};

}  // namespace

SimulatedRadio::SimulatedRadio() : SimulatedRadio(EncodeImage(DemoState())) {}

SimulatedRadio::SimulatedRadio(const MemoryImage& image) {
  memory_.fill(0xFF);
  LoadImage(image);
}

MemoryImage SimulatedRadio::Image() const {
  MemoryImage image;
  std::copy_n(memory_.begin() + kImageFirstAddress, image.size(), image.begin());
  return image;
}

void SimulatedRadio::LoadImage(const MemoryImage& image) {
  std::copy(image.begin(), image.end(), memory_.begin() + kImageFirstAddress);
}

void SimulatedRadio::ClearCounters() {
  sessions_ = 0;
  endBytes_ = 0;
  readAddresses_.clear();
  writeAddresses_.clear();
}

void SimulatedRadio::Receive(std::span<const uint8_t> bytes, std::vector<RadioEvent>& out) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  size_t done = 0;
  while (done < pending_.size()) {
    size_t used = Step(std::span(pending_).subspan(done), out);
    if (used == 0) break;
    done += used;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
}

// Handles the start of the input; returns how many bytes it used, 0 when it
// needs more.
size_t SimulatedRadio::Step(std::span<const uint8_t> in, std::vector<RadioEvent>& out) {
  // "ZR-PROG" starts a session whatever the radio was doing.
  if (in[0] == kOpen[0]) {
    size_t n = std::min(in.size(), kOpenSize);
    if (std::equal(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(n), kOpen)) {
      if (n < kOpenSize) return 0;
      ++sessions_;
      replyNumber_ = 0;
      state_ = State::WaitIdentify;
      Reply({kAck}, out);
      return kOpenSize;
    }
  }
  if (in[0] == kEnd) {
    ++endBytes_;
    state_ = State::Idle;
    return 1;
  }
  switch (state_) {
    case State::Idle:
      return 1;
    case State::WaitIdentify:
      if (in[0] == kIdentify) {
        Reply(faults_.wrongIdentification ? kWrongIdentification : kIdentification, out);
        state_ = State::WaitAck;
      }
      return 1;
    case State::WaitAck:
      if (in[0] == kAck) {
        Reply({kAck}, out);  // ready
        state_ = State::Transfer;
      }
      return 1;
    case State::Transfer:
      break;
  }
  if (in[0] == kAck) {  // a read reply was acknowledged: ready for the next
    Reply({kAck}, out);
    return 1;
  }
  if (in[0] == kRead) {
    if (in.size() < 4) return 0;
    int address = in[1] << 8 | in[2];
    readAddresses_.push_back(address);
    std::vector<uint8_t> reply = {kWrite, in[1], in[2], 0x00};
    for (int a = address; a < address + in[3]; ++a)
      reply.push_back(a < kRadioMemorySize ? memory_[static_cast<size_t>(a)] : 0xFF);
    if (replyNumber_ == faults_.wrongAddressAt) reply[2] ^= 0x40;
    Reply(std::move(reply), out);
    return 4;
  }
  if (in[0] == kWrite) {
    if (in.size() < 4 || in.size() < 4u + in[3]) return 0;
    int address = in[1] << 8 | in[2];
    writeAddresses_.push_back(address);
    for (int k = 0; k < in[3]; ++k)
      if (address + k < kRadioMemorySize)
        memory_[static_cast<size_t>(address + k)] = in[4 + static_cast<size_t>(k)];
    Reply({kAck}, out);
    return 4u + in[3];
  }
  return 1;  // noise on the line
}

void SimulatedRadio::Reply(std::vector<uint8_t> bytes, std::vector<RadioEvent>& out) {
  int number = replyNumber_++;
  if (faults_.silentFrom >= 0 && number >= faults_.silentFrom) return;
  std::vector<RadioEvent>& to = faults_.heldFrom >= 0 && number >= faults_.heldFrom ? held_ : out;
  if (number == faults_.strayByteAt) bytes.push_back(kStray);
  if (number == faults_.breakBefore) {
    to.push_back({RadioEvent::Kind::Break, {}});
    bytes.insert(bytes.begin(), 0x00);
  }
  size_t piece = faults_.pieceSize == 0 ? bytes.size() : faults_.pieceSize;
  for (size_t i = 0; i < bytes.size(); i += piece) {
    size_t end = std::min(bytes.size(), i + piece);
    to.push_back({RadioEvent::Kind::Bytes,
                  std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                       bytes.begin() + static_cast<std::ptrdiff_t>(end))});
  }
}

void SimulatedRadio::ReleaseHeld(std::vector<RadioEvent>& out) {
  faults_.heldFrom = -1;
  out.insert(out.end(), held_.begin(), held_.end());
  held_.clear();
}

bool SimulatedPort::Open() {
  if (failOpen || number_ != kSimulatedComPort) {
    error_ = failOpen ? "the simulated port is switched off"
                      : "the simulated radio is COM" + std::to_string(kSimulatedComPort);
    open_ = false;
    return false;
  }
  error_.clear();
  open_ = true;
  return true;
}

bool SimulatedPort::Write(std::span<const uint8_t> bytes) {
  if (!open_) return false;
  radio_.Receive(bytes, events_);
  return true;
}

std::vector<RadioEvent> SimulatedPort::TakeEvents() {
  std::vector<RadioEvent> events;
  events.swap(events_);
  return events;
}

}  // namespace kv3
