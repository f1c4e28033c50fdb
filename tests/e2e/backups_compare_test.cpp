// Backups of writes and kv3ctl diff --port, against kv3-radio-sim over a real
// pseudo-terminal.
#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

class BackupsCompareE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    EditorState edited = DemoState();
    edited.grid.channels[2].rx = Freq4FromUnits(43912500);
    edited.settings.squelch = 3;
    ASSERT_TRUE(SaveCodeplug(Path("edited.DAT"), EncodeImage(edited)).ok());
  }
  Result Run(const std::string& arguments) {
    return Kv3ctl(arguments, {"XDG_DATA_HOME=" + Path("data")});
  }
  std::string Folder() const { return Path("data") + "/KV-3/backups"; }
};

TEST_F(BackupsCompareE2e, AWriteKeepsWhatItWroteAndTheListSaysWhichIsWhich) {
  RadioSim sim({"--fast", "--image", kDemo});
  ASSERT_EQ(Run("read --port " + sim.device() + " -o " + Path("r.DAT")).code, 0);
  Result write = Run("write --port " + sim.device() + " " + Path("edited.DAT"));
  ASSERT_EQ(write.code, 0) << write.err;

  Result list = Run("backups");
  ASSERT_EQ(list.code, 0) << list.err;
  const size_t read = list.out.find(" read   400-480MHz  6");
  const size_t written = list.out.find(" write  400-480MHz  6");
  ASSERT_NE(read, std::string::npos) << list.out;
  ASSERT_NE(written, std::string::npos) << list.out;
  EXPECT_LT(read, written) << "oldest first";
  EXPECT_EQ(Count(list.out, "\n"), 3) << list.out;

  Result json = Run("backups --json");
  EXPECT_NE(json.out.find("\"kind\": \"write\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"info\": \"KV-3(T2) DEMO\""), std::string::npos) << json.out;

  // The write's backup holds the image the write sent.
  std::vector<fs::path> writes;
  for (const auto& e : fs::directory_iterator(Folder()))
    if (e.path().filename().string().ends_with("-W.DAT")) writes.push_back(e.path());
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(LoadImage(writes[0]), LoadImage(Path("edited.DAT")));

  // A backup that cannot be written never fails the write.
  WriteFile(Path("plain-file"), "x");
  Result blocked = Kv3ctl("write --port " + sim.device() + " " + Path("edited.DAT"),
                          {"XDG_DATA_HOME=" + Path("plain-file")});
  EXPECT_EQ(blocked.code, 0) << blocked.err;
  EXPECT_NE(blocked.err.find("kv3ctl: no backup of this write: "), std::string::npos)
      << blocked.err;
}

TEST_F(BackupsCompareE2e, DiffWithTheRadioPrintsWhatAWriteWouldChange) {
  RadioSim sim({"--fast", "--verbose", "--image", kDemo}, Path("sim.err"));
  Result diff = Run("diff --port " + sim.device() + " " + Path("edited.DAT"));
  EXPECT_EQ(diff.code, 1) << diff.err;
  // The lines of kv3ctl diff from a file of the radio to the same file.
  Result files = Run("diff " + kDemo + " " + Path("edited.DAT"));
  EXPECT_EQ(diff.out, files.out);
  EXPECT_EQ(Count(diff.out, "\n"), 2) << diff.out;
  EXPECT_NE(diff.out.find("channel 3: RX frequency 439.00000 \u2192 439.12500"), std::string::npos)
      << diff.out;
  EXPECT_NE(diff.err.find("Read frequency success!"), std::string::npos) << diff.err;
  // The radio was only read, and the read is kept like every read.
  EXPECT_EQ(Count(sim.err(), "end byte after 16 read requests and 0 write blocks"), 1);
  Result list = Run("backups --json");
  EXPECT_EQ(Count(list.out, "\"kind\": \"read\""), 1) << list.out;

  Result same = Run("diff --port " + sim.device() + " --json " + kDemo);
  EXPECT_EQ(same.code, 0) << same.err;
  EXPECT_NE(same.out.find("\"equal\": true"), std::string::npos) << same.out;

  // A file that is no codeplug is refused before the radio is asked.
  WriteFile(Path("bad.DAT"), "nothing");
  EXPECT_EQ(Run("diff --port " + sim.device() + " " + Path("bad.DAT")).code, 3);
  EXPECT_EQ(Run("diff --port " + sim.device() + " " + kDemo + " " + Path("edited.DAT")).code, 2);
  sim.Stop();
  EXPECT_EQ(Count(sim.err(), "end byte after"), 2);
}

TEST_F(BackupsCompareE2e, DiffWithASilentRadioFailsAndPrintsNothing) {
  RadioSim sim({"--fast", "--silent-from", "3", "--image", kDemo});
  Result diff = Run("diff --port " + sim.device() + " " + Path("edited.DAT"));
  EXPECT_EQ(diff.code, 1);
  EXPECT_EQ(diff.out, "");
  EXPECT_NE(diff.err.find("Communication error"), std::string::npos) << diff.err;
  EXPECT_FALSE(fs::exists(Folder()));
}

}  // namespace
}  // namespace kv3::e2e
