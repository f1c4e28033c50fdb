// kv3ctl clone against several kv3-radio-sim radios on pseudo-terminals.
#include <sstream>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

using CloneE2e = E2eTest;

TEST_F(CloneE2e, ASilentRadioFailsTheOthersAreWritten) {
  EditorState state = DemoState();
  state.grid.channels[8].rx = state.grid.channels[8].tx = Freq4FromUnits(44412500);
  const MemoryImage image = EncodeImage(state);
  ASSERT_TRUE(SaveCodeplug(Path("fleet.DAT"), image).ok());

  RadioSim a({"--fast", "--save", Path("a.DAT")});
  RadioSim silent({"--fast", "--silent-from", "0"});
  RadioSim b({"--fast", "--save", Path("b.DAT")});
  ASSERT_FALSE(a.device().empty() || silent.device().empty() || b.device().empty());

  Result r = Kv3ctl("clone " + Path("fleet.DAT") + " --port " + a.device() + " --port " +
                    silent.device() + " --port " + b.device() + " --verify");
  EXPECT_EQ(r.code, 1) << r.out << r.err;

  // The summary: a header and one line per port in the order given.
  std::vector<std::string> lines;
  std::istringstream table(r.out);
  for (std::string line; std::getline(table, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  EXPECT_EQ(lines[0].rfind("port", 0), 0u);
  EXPECT_EQ(lines[1].rfind(a.device(), 0), 0u);
  EXPECT_NE(lines[1].find("written and verified"), std::string::npos);
  EXPECT_NE(lines[2].find("time-out"), std::string::npos);
  EXPECT_NE(lines[3].find("written and verified"), std::string::npos);
  // A progress line per radio; the failed one says why.
  for (const RadioSim* s : {&a, &silent, &b}) EXPECT_NE(r.err.find(s->device()), std::string::npos);
  EXPECT_NE(r.err.find("Communication error"), std::string::npos);

  a.Stop();
  b.Stop();
  for (const char* saved : {"a.DAT", "b.DAT"}) {
    const MemoryImage radio = LoadImage(Path(saved));
    // The channels and everything else a write sends arrived.
    for (int address = 0x10; address < 0x180; ++address)
      ASSERT_EQ(radio[At(address)], image[At(address)]) << saved << " " << address;
  }
}

TEST_F(CloneE2e, AllRadiosWrittenExitZeroAndThePowerBlockOnlyWithTuning) {
  EditorState state = DemoState();
  state.shared.TxPowerHighLevel = 33;
  ASSERT_TRUE(SaveCodeplug(Path("fleet.DAT"), EncodeImage(state)).ok());
  RadioSim a({"--fast", "--save", Path("a.DAT")});
  RadioSim b({"--fast", "--save", Path("b.DAT")});
  Result r =
      Kv3ctl("clone " + Path("fleet.DAT") + " --port " + a.device() + " --port " + b.device());
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  a.Stop();
  EXPECT_NE(LoadImage(Path("a.DAT"))[At(387)], 33);

  RadioSim c({"--fast", "--save", Path("c.DAT")});
  r = Kv3ctl("clone " + Path("fleet.DAT") + " --tuning --port " + c.device());
  EXPECT_EQ(r.code, 0) << r.err;
  c.Stop();
  EXPECT_EQ(LoadImage(Path("c.DAT"))[At(387)], 33);
}

TEST_F(CloneE2e, APortThatDoesNotOpenIsAFailedRadio) {
  ASSERT_TRUE(SaveCodeplug(Path("fleet.DAT"), EncodeImage(DemoState())).ok());
  RadioSim a({"--fast"});
  Result r =
      Kv3ctl("clone " + Path("fleet.DAT") + " --port " + a.device() + " --port " + Path("no-tty"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("written"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("port does not open"), std::string::npos) << r.out;
  EXPECT_EQ(Kv3ctl("clone " + Path("fleet.DAT") + " --port sim --port sim").code, 2);
}

}  // namespace
}  // namespace kv3::e2e
