// A save killed at a random moment leaves the old file or the new one, byte
// for byte, never a mix, a short file or nothing where there was a file: a
// forked saver that writes two codeplugs in turn, and kv3ctl set itself, are
// killed (SIGKILL) at random points over many runs.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <random>
#include <thread>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string FileBytes(const MemoryImage& image) {
  return std::string(kIdentWord, 5) + std::string(image.begin(), image.end());
}

class InterruptedSave : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    rng_.seed(static_cast<unsigned>(getpid()));
  }

  // Files in the folder other than the codeplug: what an interrupted save
  // leaves behind. They must be its temporary files ("NAME.XXXXXX"), which
  // are removed here so that every run starts clean.
  int RemoveLeftovers(const fs::path& file) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir_)) {
      if (e.path() == file) continue;
      std::string name = e.path().filename().string();
      EXPECT_EQ(name.rfind(file.filename().string() + ".", 0), 0u) << "unexpected file " << name;
      fs::remove(e.path());
      ++n;
    }
    return n;
  }

  std::mt19937 rng_;
};

TEST_F(InterruptedSave, SaverKilledAtRandomMomentsLeavesOneWholeFile) {
  EditorState b = DemoState();
  b.grid.channels[0].rx = Freq4FromUnits(43600000);
  b.shared.EmbeddedInfoText[0] = "SECOND";
  const MemoryImage imageA = EncodeImage(DemoState());
  const MemoryImage imageB = EncodeImage(b);
  const std::string fileA = FileBytes(imageA), fileB = FileBytes(imageB);
  ASSERT_NE(fileA, fileB);
  const fs::path file = dir_ / "codeplug.DAT";

  // How long a save takes here, so that the kills fall inside saves.
  auto start = Clock::now();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(SaveCodeplug(file.string(), imageA).ok());
  auto perSave = std::max<int64_t>(
      20, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count() / 20);

  constexpr int kRuns = 300;
  int wasA = 0, wasB = 0, missing = 0, leftovers = 0;
  for (int run = 0; run < kRuns; ++run) {
    // Every tenth run starts without a file: then no file is also right.
    bool fresh = run % 10 == 9;
    if (fresh)
      fs::remove(file);
    else
      ASSERT_TRUE(SaveCodeplug(file.string(), imageA).ok());
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Saves B, A, B, ... until killed.
      for (int i = 0;; ++i) (void)SaveCodeplug(file.string(), i % 2 == 0 ? imageB : imageA);
    }
    std::uniform_int_distribution<int64_t> wait(0, 6 * perSave);
    std::this_thread::sleep_for(std::chrono::microseconds(wait(rng_)));
    kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);

    if (!fs::exists(file)) {
      EXPECT_TRUE(fresh) << "run " << run << ": the file is gone";
      ++missing;
    } else {
      std::string now = ReadFile(file);
      if (now == fileA)
        ++wasA;
      else if (now == fileB)
        ++wasB;
      else
        ADD_FAILURE() << "run " << run << ": a mixed or short file of " << now.size() << " bytes";
    }
    leftovers += RemoveLeftovers(file);
  }
  std::cout << "[interrupted save] " << kRuns << " saver runs killed: " << wasA << " old/first, "
            << wasB << " new, " << missing << " not yet created, " << kRuns - wasA - wasB - missing
            << " damaged; " << leftovers << " temporary files left behind\n";
  // The kills must have fallen inside saves, or the test proves nothing.
  EXPECT_GT(wasB, 0);
  EXPECT_GT(wasA, kRuns / 10);
}

TEST_F(InterruptedSave, KilledKv3ctlSetLeavesTheOldOrTheNewFile) {
  const fs::path file = dir_ / "c.DAT";
  const MemoryImage demo = EncodeImage(DemoState());
  // The two contents the runs toggle between, made by uninterrupted runs.
  auto set = [&](const std::string& rx) {
    return std::vector<std::string>{kKv3ctl, "set", file.string(), "--channel", "3", "--rx", rx};
  };
  auto run = [&](const std::vector<std::string>& argv, int killAfterUs) {
    pid_t pid = Spawn(argv, "/dev/null", -1, "/dev/null");
    if (killAfterUs >= 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(killAfterUs));
      kill(pid, SIGKILL);
    }
    return WaitFor(pid, 30s);
  };
  ASSERT_TRUE(SaveCodeplug(file.string(), demo).ok());
  ASSERT_EQ(run(set("435.12500"), -1), 0);
  const std::string first = ReadFile(file);
  auto start = Clock::now();
  ASSERT_EQ(run(set("436.00000"), -1), 0);
  auto duration = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
  const std::string second = ReadFile(file);
  ASSERT_NE(first, second);

  // Kills spread over most of a run; the file is saved near its end.
  constexpr int kRuns = 40;
  int old = 0, changed = 0, leftovers = 0;
  std::uniform_int_distribution<int64_t> at(duration.count() * 3 / 10, duration.count() * 19 / 20);
  for (int i = 0; i < kRuns; ++i) {
    bool atFirst = ReadFile(file) == first;
    const std::string& before = atFirst ? first : second;
    const std::string& after = atFirst ? second : first;
    run(set(atFirst ? "436.00000" : "435.12500"), static_cast<int>(at(rng_)));
    std::string now = ReadFile(file);
    if (now == before)
      ++old;
    else if (now == after)
      ++changed;
    else
      ADD_FAILURE() << "run " << i << ": the file is neither the old nor the new one ("
                    << now.size() << " bytes)";
    leftovers += RemoveLeftovers(file);
  }
  std::cout << "[interrupted save] " << kRuns << " kv3ctl set runs killed: " << old << " old, "
            << changed << " new, " << kRuns - old - changed << " damaged; " << leftovers
            << " temporary files left behind\n";
}

}  // namespace
}  // namespace kv3::e2e
