// kv3ctl at the edges, as a user meets them: signals in the middle of a
// session, paths that are links, FIFOs and the input itself, output that
// cannot be written, radios with odd memory, and the messages of refusals.
#include <signal.h>
#include <sys/stat.h>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

class EdgesE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(SaveCodeplug(Path("demo.DAT"), EncodeImage(DemoState())).ok());
  }
  // The files of the test folder, by name.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Ctrl+C (or SIGTERM, SIGHUP) while a session runs: the session ends as a
// failure does, the radio gets its end byte, nothing is saved, and the exit
// code tells the signal.
TEST_F(EdgesE2e, ASignalEndsTheSessionWithTheEndByteAndSavesNothing) {
  struct Case {
    const char* command;
    int signal;
    int code;
  };
  for (const Case& c : {Case{"read", SIGINT, 130}, Case{"write", SIGTERM, 143},
                        Case{"clone", SIGHUP, 129}, Case{"read", SIGHUP, 129}}) {
    SCOPED_TRACE(std::string(c.command) + " " + strsignal(c.signal));
    // At line rate a session takes over a second.
    RadioSim sim({"--verbose", "--image", kDemo}, Path("sim.err"));
    std::vector<std::string> args = {c.command, "--port", sim.device()};
    if (std::string(c.command) == "read")
      args.insert(args.end(), {"-o", Path("read.DAT")});
    else
      args.push_back(Path("demo.DAT"));
    Kv3ctlProcess run(args, Path("run.out"), Path("run.err"));
    ASSERT_TRUE(sim.WaitForSessionStart());
    kill(run.pid(), c.signal);
    EXPECT_EQ(run.Wait(), c.code) << run.err();
    EXPECT_TRUE(WaitUntil([&] { return sim.endBytes() == 1; })) << sim.err();
    EXPECT_NE(run.err().find("interrupted by"), std::string::npos) << run.err();
    // No output and no temporary file: besides the logs, the folder holds
    // what it held.
    std::vector<std::string> after = Files();
    std::erase_if(after,
                  [](const std::string& n) { return n.ends_with(".out") || n.ends_with(".err"); });
    EXPECT_EQ(after, std::vector<std::string>{"demo.DAT"});
  }
}

// Typed on the terminal, Ctrl+C leaves the progress bar's line ended.
TEST_F(EdgesE2e, CtrlCOnTheTerminalEndsTheProgressLine) {
  RadioSim sim({"--verbose", "--image", kDemo}, Path("sim.err"));
  Result r =
      Kv3ctlOnTerminal({"read", "--port", sim.device(), "-o", Path("r.DAT")}, "/460", "\x03");
  EXPECT_EQ(r.code, 130) << r.out;
  size_t message = r.out.find("kv3ctl: interrupted by SIGINT");
  ASSERT_NE(message, std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(message - 2, 2), "\r\n") << r.out;
  EXPECT_TRUE(WaitUntil([&] { return sim.endBytes() == 1; }));
  EXPECT_FALSE(fs::exists(Path("r.DAT")));
}

TEST_F(EdgesE2e, OutputThatCannotBeWrittenIsAFailure) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"show", Path("demo.DAT"), "--json"}, {"backups"}, {"--help"}}) {
    SCOPED_TRACE(args[0]);
    Kv3ctlProcess full(args, "/dev/full", Path("full.err"), {"XDG_DATA_HOME=" + Path("data")});
    EXPECT_EQ(full.Wait(), 3);
    EXPECT_NE(full.err().find("the output could not be written: No space left on device"),
              std::string::npos)
        << full.err();
  }
  pid_t closed = Spawn({kKv3ctl, "show", Path("demo.DAT")}, "", kClosedStdout, Path("closed.err"));
  EXPECT_EQ(WaitFor(closed, 30s), 3);
  EXPECT_NE(ReadFile(Path("closed.err")).find("the output could not be written"),
            std::string::npos);
}

// The file written is never the one read, nor something else than a
// codeplug unless told; nothing waits for ever on a FIFO.
TEST_F(EdgesE2e, PathsThatAreTheInputAFifoOrAnotherKindOfFile) {
  const std::string list = "Location,Name,Frequency\n1,Home,438.125\n";
  WriteFile(Path("list.csv"), list);
  fs::create_symlink(Path("list.csv"), Path("alias.DAT"));
  EXPECT_EQ(Kv3ctl({"import", Path("list.csv"), "-o", Path("list.csv")}).code, 2);
  Result alias = Kv3ctl({"import", Path("list.csv"), "-o", Path("alias.DAT")});
  EXPECT_EQ(alias.code, 2);
  EXPECT_NE(alias.err.find("is the input"), std::string::npos) << alias.err;

  WriteFile(Path("notes.DAT"), "my notes\n");
  Result over = Kv3ctl({"import", Path("list.csv"), "-o", Path("notes.DAT")});
  EXPECT_EQ(over.code, 3);
  EXPECT_NE(over.err.find("--force"), std::string::npos) << over.err;
  EXPECT_EQ(Kv3ctl({"new", "-o", Path("notes.DAT")}).code, 3);
  EXPECT_EQ(ReadFile(Path("notes.DAT")), "my notes\n");
  EXPECT_EQ(ReadFile(Path("list.csv")), list);
  EXPECT_EQ(Kv3ctl({"import", Path("list.csv"), "-o", Path("notes.DAT"), "--force"}).code, 0);
  EXPECT_EQ(LoadImage(Path("notes.DAT"))[At(addr::kChannels)], 0x00);  // 438.12500 in channel 1

  // A FIFO without a writer: refused as a codeplug's place, read as empty.
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  Result save = Kv3ctl({"new", "-o", Path("fifo")});
  EXPECT_EQ(save.code, 3);
  EXPECT_NE(save.err.find("a FIFO, not a file"), std::string::npos) << save.err;
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_EQ(Kv3ctl({"show", Path("fifo")}).code, 3);
  fs::rename(Path("fifo"), Path("fifo.csv"));
  EXPECT_EQ(Kv3ctl({"import", Path("fifo.csv"), "-o", Path("x.DAT")}).code, 3);

  // A port map that names a FIFO as COM5: refused as no serial device.
  fs::create_directories(Path("config/KV-3"));
  WriteFile(Path("config/KV-3/ports"), "COM5 " + Path("fifo.csv") + "\n");
  Result port = Kv3ctl({"read", "--port", "COM5", "-o", Path("r.DAT")},
                       {"XDG_CONFIG_HOME=" + Path("config")});
  EXPECT_EQ(port.code, 1);
  EXPECT_NE(port.err.find("not a serial device: a FIFO"), std::string::npos) << port.err;
  // The port map itself a FIFO: read as no map.
  fs::remove(Path("config/KV-3/ports"));
  ASSERT_EQ(mkfifo(Path("config/KV-3/ports").c_str(), 0600), 0);
  EXPECT_EQ(Kv3ctl(std::vector<std::string>{"ports"}, {"XDG_CONFIG_HOME=" + Path("config")}).code,
            0);
}

// A radio with a band code the list does not know, and with its retrace
// times empty: a read then a write of what was read changes nothing in it.
TEST_F(EdgesE2e, AReadAndAWriteBackLeaveTheRadioAsItWas) {
  MemoryImage radio = EncodeImage(DemoState());
  radio[At(addr::kBandCode)] = radio[At(addr::kBandCodeAgain)] = 0x99;
  radio[At(addr::kRetraceA)] = radio[At(addr::kRetraceB)] = 0xFF;
  ASSERT_TRUE(SaveCodeplug(Path("radio.DAT"), radio).ok());
  RadioSim sim({"--fast", "--image", Path("radio.DAT"), "--save", Path("saved.DAT")});

  Result read = Kv3ctl({"read", "--port", sim.device(), "-o", Path("read.DAT")});
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_NE(read.err.find("Unknown band code"), std::string::npos) << read.err;
  EXPECT_NE(read.err.find("0x99"), std::string::npos) << read.err;
  Result show = Kv3ctl({"show", Path("read.DAT")});
  EXPECT_EQ(show.code, 0);
  EXPECT_NE(show.err.find("Unknown band code"), std::string::npos) << show.err;

  // Without --yes the band question is declined, and said to be.
  Result write = Kv3ctl({"write", "--port", sim.device(), Path("read.DAT")});
  EXPECT_EQ(write.code, 1);
  EXPECT_NE(write.err.find("declined"), std::string::npos) << write.err;
  EXPECT_NE(write.err.find("--yes"), std::string::npos) << write.err;
  sim.Stop();
  const MemoryImage kept = LoadImage(Path("saved.DAT"));
  EXPECT_EQ(kept[At(addr::kBandCode)], 0x99);

  // A radio with a known band, its retrace times empty: read and written back.
  radio[At(addr::kBandCode)] = radio[At(addr::kBandCodeAgain)] = 0x33;
  ASSERT_TRUE(SaveCodeplug(Path("radio.DAT"), radio).ok());
  RadioSim known({"--fast", "--image", Path("radio.DAT"), "--save", Path("saved.DAT")});
  ASSERT_EQ(Kv3ctl({"read", "--port", known.device(), "-o", Path("read.DAT")}).code, 0);
  ASSERT_EQ(Kv3ctl({"write", "--port", known.device(), Path("read.DAT")}).code, 0);
  known.Stop();
  EXPECT_EQ(LoadImage(Path("saved.DAT")), radio);
}

TEST_F(EdgesE2e, RefusalsSayWhatIsWrong) {
  const std::string demo = ReadFile(Path("demo.DAT"));
  // The same option twice is a usage error, never "the last one wins".
  for (const std::string& args : std::vector<std::string>{
           "set " + Path("demo.DAT") + " --channel 3 --channel 4 --rx 440",
           "set " + Path("demo.DAT") + " --channel 1 --rx 999 --rx 440",
           "show " + Path("demo.DAT") + " --json --json", "read --port sim --port sim -o x.DAT"}) {
    SCOPED_TRACE(args);
    Result r = Kv3ctl(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("given twice"), std::string::npos) << r.err;
  }
  Result tone = Kv3ctl("set " + Path("demo.DAT") + " --channel 1 --rx-tone 88.5.1");
  EXPECT_EQ(tone.code, 4);
  EXPECT_NE(tone.err.find("88.5.1"), std::string::npos) << tone.err;
  EXPECT_TRUE(ReadFile(Path("demo.DAT")) == demo);
  for (const char* command : {"read", "write", "clone"}) {
    std::vector<std::string> args = {command, "--port", ""};
    args.push_back(std::string(command) == "read" ? "-o" : Path("demo.DAT"));
    if (std::string(command) == "read") args.push_back(Path("x.DAT"));
    EXPECT_EQ(Kv3ctl(args).code, 2) << command;
  }

  // Control characters of the radio's texts are shown escaped.
  EditorState odd = DemoState();
  odd.shared.EmbeddedInfoText[0] = "\x1b[2J\x07gone";
  ASSERT_TRUE(SaveCodeplug(Path("odd.DAT"), EncodeImage(odd)).ok());
  Result show = Kv3ctl({"show", Path("odd.DAT")});
  Result diff = Kv3ctl({"diff", Path("demo.DAT"), Path("odd.DAT")});
  for (const Result* r : {&show, &diff}) {
    EXPECT_EQ(r->out.find('\x1b'), std::string::npos) << r->out;
    EXPECT_NE(r->out.find("\\x1B[2J\\x07gone"), std::string::npos) << r->out;
  }

  // clone: why a port failed, and another model as such.
  RadioSim other({"--fast", "--wrong-id"});
  Result clone =
      Kv3ctl({"clone", Path("demo.DAT"), "--port", other.device(), "--port", Path("no-tty")});
  EXPECT_EQ(clone.code, 1);
  EXPECT_NE(clone.out.find("wrong model"), std::string::npos) << clone.out;
  EXPECT_NE(clone.out.find("port does not open: no such device"), std::string::npos) << clone.out;
}

// A port that another program has open is busy, not a matter of the
// dialout group.
TEST_F(EdgesE2e, ABusyPortIsToldApartFromAForbiddenOne) {
  // The first read holds the port for the three seconds of its time-out.
  RadioSim silent({"--verbose", "--silent-from", "0"}, Path("sim.err"));
  Kv3ctlProcess first({"read", "--port", silent.device(), "-o", Path("a.DAT")}, Path("a.out"),
                      Path("a.err"));
  ASSERT_TRUE(silent.WaitForSessionStart());
  Result second = Kv3ctl({"read", "--port", silent.device(), "-o", Path("b.DAT")});
  EXPECT_EQ(second.code, 1);
  EXPECT_NE(second.err.find("in use by another program"), std::string::npos) << second.err;
  EXPECT_EQ(second.err.find("dialout"), std::string::npos) << second.err;
  EXPECT_EQ(first.Wait(), 1);
}

}  // namespace
}  // namespace kv3::e2e
