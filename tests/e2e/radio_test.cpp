// kv3ctl read and write against kv3-radio-sim over a real pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

using RadioE2e = E2eTest;

TEST_F(RadioE2e, ReadAndWriteOverAPseudoTerminalByteForByte) {
  // A codeplug that differs from the radio's in written and unwritten places.
  EditorState edited = DemoState();
  edited.grid.channels[5].rx = edited.grid.channels[5].tx = Freq4FromUnits(43512500);
  edited.shared.TxPowerHighLevel = 17;  // the power block, written only with --tuning
  MemoryImage image = EncodeImage(edited);
  image[At(0x0195)] ^= 0xFF;  // never written
  ASSERT_TRUE(SaveCodeplug(Path("edited.DAT"), image).ok());
  const MemoryImage demo = LoadImage(kDemo);

  for (bool tuning : {false, true}) {
    SCOPED_TRACE(tuning);
    std::string saved = Path(tuning ? "saved_t.DAT" : "saved.DAT");
    RadioSim sim({"--fast", "--verbose", "--image", kDemo, "--save", saved}, Path("sim.err"));
    ASSERT_FALSE(sim.device().empty());

    Result read = Kv3ctl("read --port " + sim.device() + " -o " + Path("read.DAT"));
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_EQ(ReadFile(Path("read.DAT")), ReadFile(kDemo));
    EXPECT_NE(read.err.find("Read frequency success!"), std::string::npos) << read.err;

    Result write = Kv3ctl("write --port " + sim.device() + " " + Path("edited.DAT") +
                          (tuning ? " --tuning" : ""));
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_NE(write.err.find("Write frequency success!"), std::string::npos) << write.err;
    ASSERT_EQ(sim.Stop(), 0);
    // Both sessions ended with the end byte, which kv3ctl must not lose on exit.
    EXPECT_EQ(sim.endByteLines(),
              "kv3-radio-sim: end byte after 16 read requests and 0 write blocks\n"
              "kv3-radio-sim: end byte after 0 read requests and " +
                  std::string(tuning ? "47" : "46") + " write blocks\n");

    const MemoryImage radio = LoadImage(saved);
    for (int a = kImageFirstAddress; a <= kImageLastAddress; ++a)
      ASSERT_EQ(radio[At(a)], Written(a, tuning) ? image[At(a)] : demo[At(a)]) << "address " << a;
  }
}

TEST_F(RadioE2e, ReadAtLineRateInChinese) {
  RadioSim sim({"--image", kDemo});
  Result read = Kv3ctl("read --lang zh-Hans --port " + sim.device() + " -o " + Path("r.DAT"));
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_NE(read.err.find("读频成功！"), std::string::npos) << read.err;
  EXPECT_EQ(ReadFile(Path("r.DAT")), ReadFile(kDemo));
}

TEST_F(RadioE2e, BandQuestionWithoutATerminalDeclinesUnlessYes) {
  EditorState other = DemoState();
  SelectBandSilently(other.band, 2);
  ASSERT_TRUE(SaveCodeplug(Path("band2.DAT"), EncodeImage(other)).ok());
  RadioSim sim({"--fast", "--image", kDemo, "--save", Path("saved.DAT")});

  Result declined = Kv3ctl("write --port " + sim.device() + " " + Path("band2.DAT"));
  EXPECT_EQ(declined.code, 1);
  EXPECT_NE(declined.err.find("Frequency band with discrepancies, do you wish to continue?"),
            std::string::npos)
      << declined.err;
  Result yes = Kv3ctl("write --yes --port " + sim.device() + " " + Path("band2.DAT"));
  EXPECT_EQ(yes.code, 0) << yes.err;
  sim.Stop();
  EXPECT_EQ(LoadImage(Path("saved.DAT"))[At(addr::kBandCode)],
            EncodeImage(other)[At(addr::kBandCode)]);
}

TEST_F(RadioE2e, ARadioThatGoesAwayEndsTheReadAtOnce) {
  // At line rate the read takes over a second; the radio vanishes in it.
  RadioSim sim({"--verbose", "--image", kDemo}, Path("sim.err"));
  Kv3ctlProcess read({"read", "--port", sim.device(), "-o", Path("r.DAT")}, "/dev/null",
                     Path("err"));
  // Pulled once the session has begun, however long kv3ctl took to start.
  ASSERT_TRUE(sim.WaitForSessionStart()) << read.err();
  sim.Kill();
  EXPECT_EQ(read.Wait(), 1);
  EXPECT_NE(read.err().find("the device went away during the session"), std::string::npos)
      << read.err();
  EXPECT_NE(read.err().find("Communication error"), std::string::npos) << read.err();
  EXPECT_FALSE(fs::exists(Path("r.DAT")));
}

// The radio's side of the test harness: the faults of the first sessions end
// with their end byte, also when the next session's "ZR-PROG" arrives in the
// same delivery (as it does when kv3ctl runs back to back on a loaded machine).
TEST_F(RadioE2e, FaultsOfTheFirstSessionEndWithItsEndByte) {
  RadioSim sim({"--fast", "--verbose", "--silent-from", "0", "--fault-sessions", "1"},
               Path("sim.err"));
  int fd = open(sim.device().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios raw{};
  ASSERT_EQ(tcgetattr(fd, &raw), 0);
  cfmakeraw(&raw);
  ASSERT_EQ(tcsetattr(fd, TCSANOW, &raw), 0);
  ASSERT_EQ(write(fd, "ZR-PROG", 7), 7);
  ASSERT_TRUE(sim.WaitForSessionStart(1));
  // The first session's end and the second's start, in one write.
  ASSERT_EQ(write(fd, "EZR-PROG", 8), 8);
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 30000), 1) << sim.err();
  uint8_t reply = 0;
  EXPECT_EQ(read(fd, &reply, 1), 1);
  EXPECT_EQ(reply, 0x06);
  close(fd);
}

TEST_F(RadioE2e, PortsShowsThePortMapAndTheNumbersKeptForDevices) {
  RadioSim sim({"--fast"});
  fs::create_directories(dir_ / "config" / "KV-3");
  WriteFile(dir_ / "config" / "KV-3" / "ports", "# test\nCOM7 " + sim.device() + "\n");
  // COM3 was given to an adapter that is not plugged in now.
  const std::string gone = "/dev/serial/by-id/usb-KV3_Gone_Cable-if00-port0";
  WriteFile(dir_ / "config" / "KV-3" / "port-numbers", "COM3 " + gone + "\n");
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + Path("config")};
  Result ports = Kv3ctl("ports", env);
  ASSERT_EQ(ports.code, 0) << ports.err;
  EXPECT_NE(ports.out.find("COM7   " + sim.device() + " (port map)  opens"), std::string::npos)
      << ports.out;
  EXPECT_NE(ports.out.find("COM3   kept for " + gone + ", which is not plugged in\n"),
            std::string::npos)
      << ports.out;
  EXPECT_NE(ports.out.find("Port numbers: " + Path("config/KV-3/port-numbers")), std::string::npos)
      << ports.out;
  Result chinese = Kv3ctl("ports --lang zh-Hans", env);
  EXPECT_NE(chinese.out.find("COM7   " + sim.device() + "（端口映射）  可以打开"),
            std::string::npos)
      << chinese.out;
  EXPECT_NE(chinese.out.find("COM3   保留给未插入的设备 " + gone), std::string::npos)
      << chinese.out;

  Result read = Kv3ctl("read --port com7 -o " + Path("r.DAT"), env);
  EXPECT_EQ(read.code, 0) << read.err;
  Result kept = Kv3ctl("read --port com3 -o " + Path("r.DAT"), env);
  EXPECT_EQ(kept.code, 1);
  EXPECT_NE(kept.err.find("COM3 is kept for " + gone + ", which is not plugged in"),
            std::string::npos)
      << kept.err;
}

TEST_F(RadioE2e, ExitCodesOfBadPortsUsageAndFiles) {
  Result missing = Kv3ctl("read --port " + Path("no-such-device") + " -o " + Path("r.DAT"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("no such device"), std::string::npos) << missing.err;
  EXPECT_EQ(Kv3ctl("read -o " + Path("r.DAT")).code, 2);
  EXPECT_EQ(Kv3ctl("write --port sim").code, 2);
  EXPECT_EQ(Kv3ctl("read --port sim -o " + Path("r.DAT") + " --lang xx").code, 2);
  EXPECT_EQ(Kv3ctl("write --port sim " + Path("none.DAT")).code, 3);
  EXPECT_EQ(Kv3ctl("read --port sim -o " + Path("no/such/dir/r.DAT")).code, 3);
  EXPECT_FALSE(fs::exists(Path("r.DAT")));
}

TEST_F(RadioE2e, BuiltInSimulatedRadio) {
  Result read = Kv3ctl("read --port sim -o " + Path("x.DAT"));
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_EQ(ReadFile(Path("x.DAT")), ReadFile(kDemo));
  EXPECT_EQ(Kv3ctl("write --port sim " + Path("x.DAT")).code, 0);
}

}  // namespace
}  // namespace kv3::e2e
