// The start-up port scan and the names of ports on Linux.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "link/port_names.h"
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

TEST(PortNames, PortMapPathHonoursXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(PortMapPath(), "/tmp/xdg/KV-3/ports");
  unsetenv("XDG_CONFIG_HOME");
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(PortMapPath(), std::string(home) + "/.config/KV-3/ports");
  }
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(PortNames, PermissionProblemsSayWhatToDo) {
  EXPECT_EQ(OpenFailureReason(EACCES), "permission denied: add your user to the dialout group");
  EXPECT_EQ(OpenFailureReason(EBUSY), "in use by another program");
}

}  // namespace
}  // namespace kv3
