// kv3-radio-sim: the simulated radio on a pseudo-terminal, for programs that
// open a serial device. Prints the device path as the first line, answers as
// the radio (at the 9600-baud line rate unless --fast) until SIGINT or
// SIGTERM, then saves its memory when --save is given.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "image/codeplug_file.h"
#include "kv3_version.h"
#include "link/simulated_radio.h"
#include "platform/pseudo_terminal.h"

namespace {

using Clock = std::chrono::steady_clock;

// One byte on the line: a start bit, 8 data bits, a stop bit at 9600 baud.
constexpr auto kByteTime = std::chrono::microseconds(10 * 1000000 / 9600);

struct Options {
  std::string image, save;
  bool fast = false;
  bool verbose = false;
  kv3::RadioFaults faults;
  // Faults of the line, the radio's timing and its memory. Replies are
  // counted as the radio's faults count them (reply 0 answers "ZR-PROG");
  // -1 is off.
  int faultSessions = -1;  // every fault hits only the first N sessions
  int garbageAt = -1;      // a burst of noise follows this reply
  int garbageLength = 32;
  int delayMs = 0;        // replies go out this much later ...
  int delayAt = -1;       // ... only this one (all when -1)
  int exitAt = -1;        // instead of this reply the radio goes away
  int corruptWrite = -1;  // the block written at this address is stored damaged
};

constexpr char kUsage[] =
    "Usage: kv3-radio-sim [--image FILE.DAT] [--save FILE.DAT] [--fast] [--verbose]\n"
    "       [--silent-from N] [--wrong-id] [--stray-at N] [--wrong-address-at N]\n"
    "       [--split N] [--fault-sessions N] [--garbage-at N [--garbage-length N]]\n"
    "       [--delay MS [--delay-at N]] [--exit-at N] [--corrupt-write ADDRESS]\n";

constexpr char kHelp[] =
    "\n"
    "The KV-3(T2) radio on a pseudo-terminal. Prints the device path as its first\n"
    "line, then answers as the radio until SIGINT or SIGTERM.\n"
    "\n"
    "  --image FILE.DAT        start with this codeplug (default: the demo codeplug)\n"
    "  --save FILE.DAT         save the radio's memory to FILE.DAT when stopped\n"
    "  --fast                  answer at once instead of at the 9600-baud line rate\n"
    "  --verbose               report every end byte on stderr, with the blocks read\n"
    "                          and written in that session\n"
    "\n"
    "Faults (replies are counted from 0, the answer to \"ZR-PROG\"):\n"
    "  --silent-from N         no answer from reply N on\n"
    "  --wrong-id              answer as another model\n"
    "  --stray-at N            a stray byte after reply N\n"
    "  --wrong-address-at N    reply N names a wrong address\n"
    "  --split N               send the replies in pieces of N bytes\n"
    "  --garbage-at N          a burst of noise after reply N ...\n"
    "  --garbage-length N      ... of N bytes (default 32)\n"
    "  --delay MS              send the replies MS milliseconds late ...\n"
    "  --delay-at N            ... only reply N\n"
    "  --exit-at N             go away instead of sending reply N\n"
    "  --corrupt-write ADDRESS store the block written at ADDRESS damaged\n"
    "  --fault-sessions N      the faults hit only the first N sessions\n"
    "\n"
    "  --version               print the program's name and version\n"
    "  -h, --help              show this help\n"
    "\n"
    "Exit codes: 0 stopped (by a signal, or gone with --exit-at), 1 no\n"
    "pseudo-terminal, 2 usage error, 3 a file error (--image cannot be loaded,\n"
    "--save cannot be written).\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "kv3-radio-sim: %s\n%s", message.c_str(), kUsage);
  return 2;
}

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (!*text || *end || v < 0 || v > 1000000) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) return nullptr;
      (void)name;
      return argv[++i];
    };
    int n = 0;
    if (a == "--image" || a == "--save") {
      const char* v = value(a.c_str());
      if (!v) return UsageError(a + " needs a file");
      (a == "--image" ? o.image : o.save) = v;
    } else if (a == "--fast") {
      o.fast = true;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--wrong-id") {
      o.faults.wrongIdentification = true;
    } else if (a == "--silent-from" || a == "--stray-at" || a == "--wrong-address-at" ||
               a == "--split" || a == "--fault-sessions" || a == "--garbage-at" ||
               a == "--garbage-length" || a == "--delay" || a == "--delay-at" || a == "--exit-at" ||
               a == "--corrupt-write") {
      const char* v = value(a.c_str());
      if (!v || !ParseInt(v, n)) return UsageError(a + " needs a number");
      if (a == "--fault-sessions") o.faultSessions = n;
      if (a == "--garbage-at") o.garbageAt = n;
      if (a == "--garbage-length") o.garbageLength = n;
      if (a == "--delay") o.delayMs = n;
      if (a == "--delay-at") o.delayAt = n;
      if (a == "--exit-at") o.exitAt = n;
      if (a == "--corrupt-write") o.corruptWrite = n;
      if (a == "--silent-from") o.faults.silentFrom = n;
      if (a == "--stray-at") o.faults.strayByteAt = n;
      if (a == "--wrong-address-at") o.faults.wrongAddressAt = n;
      if (a == "--split") o.faults.pieceSize = static_cast<size_t>(n);
    } else if (a == "--help" || a == "-h") {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    } else if (a == "--version") {
      std::printf("kv3-radio-sim %s\n", kv3::kProgramVersion);
      return 0;
    } else {
      return UsageError("unknown option " + a);
    }
  }

  kv3::SimulatedRadio radio;
  if (!o.image.empty()) {
    kv3::MemoryImage image;
    kv3::FileResult r = kv3::LoadCodeplug(o.image, image);
    if (!r.ok()) {
      std::fprintf(stderr, "kv3-radio-sim: %s: %s\n", o.image.c_str(),
                   r.error == kv3::FileError::WrongType ? "not a codeplug file" : r.detail.c_str());
      return 3;
    }
    radio.LoadImage(image);
  }
  radio.faults() = o.faults;

  kv3::PseudoTerminal line;
  if (std::string error; !line.Open(error)) {
    std::fprintf(stderr, "kv3-radio-sim: cannot open a pseudo-terminal: %s\n", error.c_str());
    return 1;
  }
  kv3::CatchStopRequests();

  std::printf("%s\n", line.path().c_str());
  std::fflush(stdout);

  // Replies wait until the line would have carried them: a request is in
  // once its last byte has arrived, and a reply is out once its last byte
  // has been sent.
  struct Pending {
    Clock::time_point due;
    std::vector<uint8_t> bytes;
    int lateMs = 0;  // held back by --delay
  };
  std::deque<Pending> outbox;
  Clock::time_point rxDone = Clock::now(), txFree = Clock::now();
  std::vector<kv3::RadioEvent> events;
  uint8_t buffer[4096];
  int sessions = 0;  // sessions started, for --fault-sessions
  int replies = 0;   // replies of the current session
  uint32_t noise = 0x2545F491;

  while (!kv3::StopRequested()) {
    auto now = Clock::now();
    while (!outbox.empty() && outbox.front().due <= now) {
      line.Write(outbox.front().bytes);
      if (o.verbose && outbox.front().lateMs > 0)
        std::fprintf(stderr, "kv3-radio-sim: a reply went out %d ms late\n", outbox.front().lateMs);
      outbox.pop_front();
    }
    int timeout = -1;
    if (!outbox.empty()) {
      auto wait = std::chrono::duration_cast<std::chrono::microseconds>(outbox.front().due - now);
      timeout = static_cast<int>((wait.count() + 999) / 1000);
    }
    const long n = line.Read(buffer, sizeof buffer, timeout);
    if (n < 0) break;
    if (n == 0) continue;  // no bytes (yet), a signal, or no client at the moment
    now = Clock::now();
    if (!o.fast) rxDone = std::max(rxDone, now) + n * kByteTime;
    // One byte at a time, so that a session's end and the next session's
    // start that arrive together are told apart (the faults of the first
    // sessions end exactly at the end byte, and replies are counted per
    // session).
    bool gone = false;
    for (long i = 0; i < n && !gone; ++i) {
      // The faulty sessions are over: from now on the radio is sound.
      if (o.faultSessions >= 0 && sessions >= o.faultSessions && !radio.InSession()) {
        radio.faults() = {};
        o.garbageAt = o.delayAt = o.exitAt = o.corruptWrite = -1;
        o.delayMs = 0;
      }
      int endBytes = radio.endBytes();
      int started = radio.sessionsStarted();
      size_t written = radio.writeAddresses().size();
      events.clear();
      radio.Receive(std::span<const uint8_t>(buffer + i, 1), events);
      if (radio.sessionsStarted() != started) {
        ++sessions;
        replies = 0;
        if (o.verbose) std::fprintf(stderr, "kv3-radio-sim: session %d started\n", sessions);
      }
      for (size_t k = written; k < radio.writeAddresses().size(); ++k) {
        int address = radio.writeAddresses()[k];
        if (address != o.corruptWrite || address < kv3::kImageFirstAddress ||
            address > kv3::kImageLastAddress)
          continue;
        kv3::MemoryImage image = radio.Image();
        image[kv3::At(address)] ^= 0xFF;
        radio.LoadImage(image);
      }
      if (o.verbose && radio.endBytes() != endBytes) {
        std::fprintf(stderr,
                     "kv3-radio-sim: end byte after %zu read requests and %zu write blocks\n",
                     radio.readAddresses().size(), radio.writeAddresses().size());
        radio.ClearCounters();
      }
      for (auto& e : events) {
        if (e.kind != kv3::RadioEvent::Kind::Bytes) continue;  // a pty carries no break
        int reply = replies++;
        if (reply == o.exitAt) {
          gone = true;  // the cable is pulled: the pseudo-terminal goes away
          break;
        }
        if (reply == o.garbageAt)
          for (int k = 0; k < o.garbageLength; ++k) {
            noise = noise * 1103515245 + 12345;
            e.bytes.push_back(static_cast<uint8_t>(noise >> 16));
          }
        auto late = std::chrono::milliseconds(o.delayAt < 0 || reply == o.delayAt ? o.delayMs : 0);
        if (o.fast && late.count() == 0 && outbox.empty()) {
          line.Write(e.bytes);
          continue;
        }
        Clock::time_point start = std::max({rxDone, txFree, now}) + late;
        txFree = start + (o.fast ? 0 : static_cast<long>(e.bytes.size())) * kByteTime;
        outbox.push_back({txFree, std::move(e.bytes), static_cast<int>(late.count())});
      }
    }
    if (gone) break;
  }

  line.Close();
  if (!o.save.empty()) {
    kv3::FileResult r = kv3::SaveCodeplug(o.save, radio.Image());
    if (!r.ok()) {
      std::fprintf(stderr, "kv3-radio-sim: %s: %s\n", o.save.c_str(), r.detail.c_str());
      return 3;
    }
  }
  return 0;
}
