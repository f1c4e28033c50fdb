// kv3ctl's help, manual page and bash completion, all made from the one
// description of its commands; the options of kv3-radio-sim in its manual
// page; the version of the programs.
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <unistd.h>

#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "e2e_support.h"
#include "i18n/traditional.h"
#include "kv3_version.h"

namespace kv3::e2e {
namespace {

using json = nlohmann::json;
using HelpE2e = E2eTest;

json Description() {
  Result r = Kv3ctl("help --format=json");
  EXPECT_EQ(r.code, 0) << r.err;
  return json::parse(r.out);
}

// The option names that kv3ctl's sources spell as whole string literals: what
// the commands give their option parser, and what the description names.
std::set<std::string> OptionLiterals() {
  std::set<std::string> found;
  const std::regex literal(R"re("(-[a-z]|--[a-z][a-z0-9-]*)")re");
  for (const auto& entry : fs::directory_iterator(KV3_SOURCE_DIR "/tools/kv3ctl")) {
    const std::string text = ReadFile(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it)
      found.insert((*it)[1]);
  }
  return found;
}

// Columns on a terminal: East Asian wide characters take two.
size_t Columns(const std::string& line) {
  size_t width = 0;
  for (size_t i = 0; i < line.size();) {
    auto c = static_cast<unsigned char>(line[i]);
    size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    uint32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
    for (size_t k = 1; k < len && i + k < line.size(); ++k)
      cp = cp << 6 | (static_cast<unsigned char>(line[i + k]) & 0x3F);
    width += (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xFF00 && cp <= 0xFF60) ? 2 : 1;
    i += len;
  }
  return width;
}

TEST_F(HelpE2e, EveryOptionACommandAcceptsIsDescribedAndEveryDescribedOneIsAccepted) {
  const json description = Description();
  std::set<std::string> candidates = OptionLiterals();
  ASSERT_TRUE(candidates.count("--lang") && candidates.count("-o")) << "the scan found nothing";
  std::set<std::string> commands;
  for (const auto& c : description["commands"]) {
    commands.insert(c["name"]);
    for (const auto& o : c["options"]) candidates.insert(o["name"]);
  }
  // Every command kv3ctl runs is described (main.cpp lists them).
  const std::string main = ReadFile(KV3_SOURCE_DIR "/tools/kv3ctl/main.cpp");
  const std::regex dispatched(R"re(\{"([a-z]+)", kv3ctl::Run)re");
  std::set<std::string> run;
  for (std::sregex_iterator it(main.begin(), main.end(), dispatched), end; it != end; ++it)
    run.insert((*it)[1]);
  EXPECT_EQ(run, commands);

  for (const auto& c : description["commands"]) {
    const std::string command = c["name"];
    std::map<std::string, bool> described;  // option -> takes a value
    for (const auto& o : c["options"]) described[o["name"]] = !o["value"].is_null();
    for (const auto& o : description["commonOptions"]) {
      described[o["name"]] = false;
      if (o.contains("alias")) described[o["alias"]] = false;
    }
    for (const std::string& option : candidates) {
      std::vector<std::string> args{command, option};
      if (described.count(option) && described[option]) args.push_back(Path("value.DAT"));
      const Result r = Kv3ctl(args);
      const bool refused = r.err.find("unknown option") != std::string::npos;
      EXPECT_EQ(refused, !described.count(option))
          << "kv3ctl " << command << " " << option << ": " << r.err;
    }
  }
}

TEST_F(HelpE2e, EachCommandsHelpIsTheSameByEveryRouteAndNamesItsOptionsAndExitCodes) {
  const json description = Description();
  const Result overview = Kv3ctl("--help");
  ASSERT_EQ(overview.code, 0) << overview.err;
  EXPECT_EQ(Kv3ctl("help").out, overview.out);
  for (const auto& c : description["commands"]) {
    const std::string command = c["name"];
    SCOPED_TRACE(command);
    EXPECT_NE(overview.out.find("\n  " + command + " "), std::string::npos) << overview.out;
    const Result help = Kv3ctl({"help", command});
    ASSERT_EQ(help.code, 0) << help.err;
    EXPECT_EQ(Kv3ctl({command, "--help"}).out, help.out);
    EXPECT_EQ(Kv3ctl({command, "-h"}).out, help.out);
    for (const auto& o : c["options"])
      EXPECT_NE(help.out.find(o["name"].get<std::string>()), std::string::npos) << o["name"];
    for (const auto& e : c["exitCodes"])
      EXPECT_NE(help.out.find("\n  " + std::to_string(e["code"].get<int>()) + " "),
                std::string::npos)
          << help.out;
  }
  EXPECT_EQ(Kv3ctl("help nosuch").code, 2);
  EXPECT_EQ(Kv3ctl("help --format=pdf").code, 2);
  EXPECT_EQ(Kv3ctl("help show diff").code, 2);
}

TEST_F(HelpE2e, HelpInEveryLanguageFitsATerminalAndTraditionalIsConvertedFromSimplified) {
  const json description = Description();
  std::vector<std::vector<std::string>> requests{{"help"}};
  for (const auto& c : description["commands"]) requests.push_back({"help", c["name"]});
  for (auto request : requests) {
    std::map<std::string, std::string> out;
    for (const char* lang : {"en", "zh-Hans", "zh-Hant"}) {
      auto args = request;
      args.insert(args.end(), {"--lang", lang});
      const Result r = Kv3ctl(args);
      ASSERT_EQ(r.code, 0) << r.err;
      std::istringstream lines(r.out);
      for (std::string line; std::getline(lines, line);)
        EXPECT_LE(Columns(line), 79u) << lang << " " << request.back() << ": " << line;
      out[lang] = r.out;
    }
    EXPECT_NE(out["zh-Hans"], out["en"]);
    // The texts are converted before they are broken into lines (a phrase cut
    // by a line end converts otherwise), so compare them without the breaks.
    auto unbroken = [](std::string text) {
      std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
      return text;
    };
    EXPECT_EQ(unbroken(out["zh-Hant"]), ToTraditional(unbroken(out["zh-Hans"]))) << request.back();
  }
}

// The rendered manual page (groff's warnings on stderr).
Result Man(const std::string& page, const std::string& dir) {
  const std::string out = dir + "/man.out", err = dir + "/man.err";
  pid_t pid = Spawn({"/usr/bin/man", "--warnings", "-l", page}, out, -1, err,
                    {"MANWIDTH=80", "LC_ALL=C.UTF-8", "MANPAGER=cat", "PAGER=cat"});
  return {WaitFor(pid, 60s), ReadFile(out), ReadFile(err)};
}

TEST_F(HelpE2e, ManualPageShowsEveryCommandAndOptionWithoutWarnings) {
  if (!fs::exists("/usr/bin/man")) GTEST_SKIP() << "man is not installed";
  const json description = Description();
  const Result page = Kv3ctl("help --format=man");
  ASSERT_EQ(page.code, 0) << page.err;
  WriteFile(Path("kv3ctl.1"), page.out);
  const Result man = Man(Path("kv3ctl.1"), dir_.string());
  ASSERT_EQ(man.code, 0) << man.err;
  EXPECT_EQ(man.err, "");
  // Options read as typed (hyphen-minus, not a typographic dash).
  for (const auto& c : description["commands"]) {
    EXPECT_NE(man.out.find("kv3ctl " + c["name"].get<std::string>()), std::string::npos);
    for (const auto& o : c["options"])
      EXPECT_NE(man.out.find(o["name"].get<std::string>()), std::string::npos) << o["name"];
  }
  for (const char* section : {"SYNOPSIS", "EXIT STATUS", "PORTS", "FILES", "SEE ALSO"})
    EXPECT_NE(man.out.find("\n" + std::string(section) + "\n"), std::string::npos) << section;
}

TEST_F(HelpE2e, RadioSimulatorsManualPageNamesEveryOptionOfItsHelp) {
  if (!fs::exists("/usr/bin/man")) GTEST_SKIP() << "man is not installed";
  const std::string out = Path("help.out");
  pid_t pid = Spawn({kRadioSim, "--help"}, out, -1, Path("help.err"));
  ASSERT_EQ(WaitFor(pid, 30s), 0);
  const std::string help = ReadFile(out);
  const Result man = Man(KV3_SOURCE_DIR "/dist/man/kv3-radio-sim.1.in", dir_.string());
  EXPECT_EQ(man.err, "");
  const std::regex option("--[a-z][a-z-]*");
  int count = 0;
  for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it, ++count)
    EXPECT_NE(man.out.find(it->str()), std::string::npos) << it->str();
  EXPECT_GT(count, 15);
}

TEST_F(HelpE2e, ProgramsPrintTheProjectVersion) {
  EXPECT_EQ(Kv3ctl("--version").out, "kv3ctl " + std::string(kProgramVersion) + "\n");
  const std::string out = Path("version.out");
  pid_t pid = Spawn({kRadioSim, "--version"}, out, -1, Path("version.err"));
  EXPECT_EQ(WaitFor(pid, 30s), 0);
  EXPECT_EQ(ReadFile(out), "kv3-radio-sim " + std::string(kProgramVersion) + "\n");
}

// An interactive bash on a pseudo-terminal, as a user's terminal runs it.
class Terminal {
 public:
  Terminal() {
    pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      setenv("TERM", "dumb", 1);
      setenv("INPUTRC", "/dev/null", 1);
      execl("/bin/bash", "bash", "--norc", "--noprofile", "-i", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    kill(pid_, SIGKILL);
    WaitFor(pid_, 10s);
    close(fd_);
  }
  void Type(const std::string& keys) {
    EXPECT_EQ(write(fd_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  // Waits until `text` appears on the screen after what was awaited before.
  bool Await(const std::string& text, std::chrono::milliseconds limit = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      if (auto at = screen_.find(text, mark_); at != std::string::npos) {
        mark_ = at + text.size();
        return true;
      }
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buf[4096];
      ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) return false;
      screen_.append(buf, static_cast<size_t>(n));
    }
  }
  // What appeared since the last mark (for failure messages).
  std::string Rest() const { return screen_.substr(mark_); }
  size_t mark() const { return mark_; }
  std::string Since(size_t mark) const { return screen_.substr(mark, mark_ - mark); }

 private:
  int fd_ = -1;
  pid_t pid_ = -1;
  std::string screen_;
  size_t mark_ = 0;
};

TEST_F(HelpE2e, TabCompletesCommandsOptionsPortsLanguagesAndFilesByExtension) {
  if (!fs::exists("/usr/share/bash-completion/bash_completion"))
    GTEST_SKIP() << "bash-completion is not installed";
  const Result script = Kv3ctl("help --format=bash");
  ASSERT_EQ(script.code, 0) << script.err;
  WriteFile(Path("kv3ctl.bash"), script.out);
  for (const char* file : {"radio.DAT", "radio.csv", "other.json"}) WriteFile(Path(file), "");
  fs::create_directory(Path("radios"));

  Terminal t;
  t.Type(
      "bind 'set show-all-if-ambiguous on'; bind 'set enable-bracketed-paste off'\n"
      "source /usr/share/bash-completion/bash_completion; source " +
      Path("kv3ctl.bash") + "; cd " + dir_.string() + "; PS1='rdy''> '\n");
  ASSERT_TRUE(t.Await("rdy> ")) << t.Rest();
  struct Case {
    const char* typed;
    std::vector<std::string> shown;  // what the terminal shows after the tab, in order
    const char* absent = nullptr;    // and what it must not offer
  };
  const Case cases[] = {
      {"kv3ctl sh\t", {"kv3ctl show "}},
      {"kv3ctl --ver\t", {"--version "}},
      {"kv3ctl clone --ver\t", {"--verify "}},
      {"kv3ctl help cl\t", {"clone "}},
      // A list: the codeplug and the folder, then the line again.
      {"kv3ctl show ra\t", {"radio.DAT", "radios/", "rdy> kv3ctl show radio"}, "radio.csv"},
      {"kv3ctl export radio.DAT -o radio.\t", {"radio.csv "}},
      {"kv3ctl import o\t", {"other.json "}},
      {"kv3ctl read --port=s\t", {"--port=sim "}},
      {"kv3ctl write --port \t", {"COM1", "COM20", "sim", "rdy> kv3ctl write --port "}, "radio"},
      {"kv3ctl show --lang e\t", {"en "}},
      {"kv3ctl set radio.DAT --power \t", {"high", "low", "rdy> "}, "radio.csv"},
  };
  for (const Case& c : cases) {
    const size_t start = t.mark();
    t.Type(c.typed);
    for (const auto& text : c.shown) EXPECT_TRUE(t.Await(text)) << c.typed << ": " << t.Rest();
    if (c.absent) {
      EXPECT_EQ(t.Since(start).find(c.absent, std::string(c.typed).size()), std::string::npos)
          << c.typed << ": " << t.Since(start);
    }
    t.Type("\x15");  // Ctrl+U: an empty line again
  }
}

}  // namespace
}  // namespace kv3::e2e
