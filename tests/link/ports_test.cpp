// The start-up port scan and the names of ports on Linux.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>

#include "link/port_names.h"
#include "link/port_numbers.h"
#include "link/serial_port.h"
#include "link/simulated_radio.h"

namespace kv3 {
namespace {

// A machine with some ports present; remembers what was done to it.
class FakePort : public SerialPort {
 public:
  explicit FakePort(std::set<int> present) : present_(std::move(present)) {}
  void Close() override { open_ = false; }
  void SetPortNumber(int number) override { number_ = number; }
  bool Open() override {
    open_ = present_.count(number_) > 0;
    if (open_) ++opens_[number_];
    return open_;
  }
  bool IsOpen() const override { return open_; }
  bool Write(std::span<const uint8_t>) override { return open_; }
  std::string OpenError() const override { return open_ ? "" : "no such device"; }

  int number() const { return number_; }
  int opens(int n) const { return opens_.count(n) ? opens_.at(n) : 0; }

 private:
  std::set<int> present_;
  bool open_ = false;
  int number_ = 0;
  std::map<int, int> opens_;
};

TEST(PortScan, FirstStartWithOnePortChoosesItWithoutSelectingIt) {
  FakePort port({4});
  int ComPortNumber = 0;
  PortScanResult r = ScanPorts(port, ComPortNumber);
  EXPECT_EQ(r.found, 1);
  EXPECT_TRUE(r.available[3]);
  EXPECT_EQ(r.selectedOption, -1);
  EXPECT_EQ(ComPortNumber, 4);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.number(), 4);
}

TEST(PortScan, TwoPortsAndNoSavedOneLeaveThePortClosed) {
  FakePort port({2, 9});
  int ComPortNumber = 0;
  PortScanResult r = ScanPorts(port, ComPortNumber);
  EXPECT_EQ(r.found, 2);
  EXPECT_EQ(r.selectedOption, -1);
  EXPECT_EQ(ComPortNumber, 0);
  EXPECT_FALSE(port.IsOpen());

  ComPortNumber = 5;  // saved, but gone
  ScanPorts(port, ComPortNumber);
  EXPECT_EQ(ComPortNumber, 5);
  EXPECT_FALSE(port.IsOpen());
}

TEST(PortScan, SavedPortIsReopenedAndSelected) {
  FakePort port({2, 9, 20});
  int ComPortNumber = 9;
  PortScanResult r = ScanPorts(port, ComPortNumber);
  EXPECT_EQ(r.selectedOption, 8);
  EXPECT_EQ(ComPortNumber, 9);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.number(), 9);
  EXPECT_EQ(port.opens(9), 2);  // once by the scan, once by OpenCom
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(r.available[n - 1], n == 2 || n == 9 || n == 20);
}

TEST(PortScan, TheSimulatedRadioIsTheOnlyPortCom1) {
  SimulatedRadio radio;
  SimulatedPort port(radio);
  int ComPortNumber = 0;
  PortScanResult r = ScanPorts(port, ComPortNumber);
  EXPECT_EQ(r.found, 1);
  EXPECT_EQ(ComPortNumber, kSimulatedComPort);
  EXPECT_TRUE(port.IsOpen());
  OpenCom(port, 0);  // no port chosen
  EXPECT_FALSE(port.IsOpen());
}

TEST(PortNames, ComNumbers) {
  EXPECT_EQ(ParseComPortName("COM1"), 1);
  EXPECT_EQ(ParseComPortName("com20"), 20);
  EXPECT_EQ(ParseComPortName("Com7"), 7);
  for (const char* bad : {"COM0", "COM21", "COM", "COM01", "COM1x", "/dev/ttyS0", "sim", "COM100"})
    EXPECT_EQ(ParseComPortName(bad), 0) << bad;
}

TEST(PortNames, MapFirstThenTheDeviceOrder) {
  std::map<int, std::string> map{{3, "/dev/pts/7"}};
  std::vector<std::string> devices{"/dev/serial/by-id/usb-X", "/dev/ttyS0"};
  EXPECT_EQ(ComPortDevice(1, map, devices), "/dev/serial/by-id/usb-X");
  EXPECT_EQ(ComPortDevice(2, map, devices), "/dev/ttyS0");
  EXPECT_EQ(ComPortDevice(3, map, devices), "/dev/pts/7");
  EXPECT_EQ(ComPortDevice(4, map, devices), "");
  EXPECT_EQ(ComPortDevice(0, map, devices), "");
  EXPECT_EQ(ComPortDevice(21, {{21, "/dev/x"}}, devices), "");
}

TEST(PortNames, PortMapFileKeepsGoodLinesAndReportsBadOnes) {
  auto path = std::filesystem::temp_directory_path() / "kv3_port_map_test";
  {
    std::ofstream out(path);
    out << "# pinned ports\n"
           "COM2 /dev/ttyUSB3   # the blue cable\n"
           "\n"
           "com11\t/dev/pts/4\n"
           "COM21 /dev/ttyS1\n"
           "COM3\n"
           "COM4 /dev/a /dev/b\n";
  }
  std::vector<std::string> errors;
  auto map = LoadPortMap(path.string(), &errors);
  std::filesystem::remove(path);
  EXPECT_EQ(map, (std::map<int, std::string>{{2, "/dev/ttyUSB3"}, {11, "/dev/pts/4"}}));
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_NE(errors[0].find(":5:"), std::string::npos) << errors[0];
  EXPECT_TRUE(LoadPortMap("/nonexistent/kv3/ports", &errors).empty());
}

// A machine's devices over time; the numbers kept from one plug-in to the
// next, as the file keeps them.
struct Machine {
  std::map<int, std::string> kept;
  std::map<int, std::string> pinned;
  // Plugs in `devices` (in SerialDevices order) and starts the program.
  PortAssignment Start(const std::vector<std::string>& devices) {
    PortAssignment a = AssignPortNumbers(kept, pinned, devices);
    kept = a.numbers;
    return a;
  }
};

const std::string kA = "/dev/serial/by-id/usb-FTDI_A-if00-port0";
const std::string kB = "/dev/serial/by-id/usb-Prolific_B-if00-port0";
const std::string kC = "/dev/ttyACM0";

TEST(PortNumbers, TwoAdaptersKeepTheirNumbersInWhateverOrderTheyComeBack) {
  for (bool aFirst : {true, false}) {
    SCOPED_TRACE(aFirst);
    Machine m;
    const std::string first = aFirst ? kA : kB, second = aFirst ? kB : kA;
    EXPECT_EQ(m.Start({first})[1].device, first);
    PortAssignment both = m.Start({kA, kB});  // listed by name, whichever came first
    EXPECT_EQ(both[1].device, first);
    EXPECT_EQ(both[2].device, second);
    EXPECT_FALSE(m.Start({kB, kA}).changed);
    PortAssignment swapped = m.Start({kB, kA});
    EXPECT_EQ(swapped[1].device, first);
    EXPECT_EQ(swapped[2].device, second);
  }
}

TEST(PortNumbers, AnUnpluggedDeviceKeepsItsNumberAndANewOneGetsTheLowestFree) {
  Machine m;
  m.Start({kA, kB});
  PortAssignment onlyB = m.Start({kB});
  EXPECT_EQ(onlyB[1].kind, ComPort::Kind::Absent);  // kept for A: opens nothing
  EXPECT_EQ(onlyB[1].device, "");
  EXPECT_EQ(onlyB[1].id, kA);
  EXPECT_EQ(onlyB[2].device, kB);
  PortAssignment withC = m.Start({kB, kC});
  EXPECT_EQ(withC[3].device, kC);
  EXPECT_TRUE(withC.changed);
  EXPECT_EQ(m.kept, (std::map<int, std::string>{{1, kA}, {2, kB}, {3, kC}}));
  EXPECT_EQ(m.Start({kA, kB, kC})[1].device, kA);
}

TEST(PortNumbers, ThePortMapComesFirst) {
  Machine m;
  m.pinned = {{1, "/dev/pts/4"}};
  PortAssignment a = m.Start({kA, "/dev/pts/4"});
  EXPECT_EQ(a[1].kind, ComPort::Kind::PortMap);
  EXPECT_EQ(a[1].device, "/dev/pts/4");
  EXPECT_EQ(a[2].device, kA);  // the lowest number the map leaves
  EXPECT_EQ(m.kept, (std::map<int, std::string>{{2, kA}}));

  // A pin over a kept number moves its device for that run only.
  m.pinned = {{2, "/dev/pts/5"}};
  PortAssignment pinned = m.Start({kA});
  EXPECT_EQ(pinned[2].device, "/dev/pts/5");
  EXPECT_EQ(pinned[1].kind, ComPort::Kind::Temporary);
  EXPECT_EQ(pinned[1].device, kA);
  m.pinned.clear();
  EXPECT_EQ(m.Start({kA})[2].device, kA);
}

TEST(PortNumbers, TwentyNumbersAtMost) {
  std::vector<std::string> devices;
  for (int i = 0; i < 22; ++i) devices.push_back("/dev/ttyUSB" + std::to_string(i));
  PortAssignment a = AssignPortNumbers({}, {}, devices);
  EXPECT_EQ(a[20].device, "/dev/ttyUSB19");
  EXPECT_EQ(a.unnumbered, (std::vector<std::string>{"/dev/ttyUSB20", "/dev/ttyUSB21"}));
}

TEST(PortNumbers, TheFileKeepsTheNumbersAndReportsBadLines) {
  const auto path = std::filesystem::temp_directory_path() / "kv3_port_numbers_test";
  std::string error;
  ASSERT_TRUE(SavePortNumbers(path.string(), {{3, kA}, {12, kC}}, &error)) << error;
  EXPECT_EQ(LoadPortNumbers(path.string(), nullptr),
            (std::map<int, std::string>{{3, kA}, {12, kC}}));
  {
    std::ofstream out(path, std::ios::app);
    out << "COM4 " << kA << "\nCOM3 " << kB << "\nCOM21 /dev/x\nrubbish\n";
  }
  std::vector<std::string> errors;
  EXPECT_EQ(LoadPortNumbers(path.string(), &errors),
            (std::map<int, std::string>{{3, kA}, {12, kC}}));
  EXPECT_EQ(errors.size(), 4u);
  std::filesystem::remove(path);
  EXPECT_TRUE(LoadPortNumbers(path.string(), nullptr).empty());
}

TEST(PortNames, PermissionProblemsSayWhatToDo) {
  EXPECT_EQ(OpenFailureReason(EACCES), "permission denied: add your user to the dialout group");
  EXPECT_EQ(OpenFailureReason(EBUSY), "in use by another program");
}

}  // namespace
}  // namespace kv3
