// The whole codeplug as JSON: every decoded value survives export and
// import, down to the byte of the image, and refused values name their path.
#include "interchange/codeplug_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "editor/demo.h"
#include "image/codec.h"

namespace kv3 {
namespace {

MemoryImage RandomImage(std::mt19937& rng) {
  MemoryImage img;
  std::uniform_int_distribution<int> byte(0, 255), pick(0, 3);
  for (auto& b : img) {
    // Mostly plausible bytes, with FF fillers and arbitrary values mixed in.
    int kind = pick(rng);
    b = static_cast<uint8_t>(kind == 0 ? 0xFF : kind == 1 ? byte(rng) % 10 : byte(rng));
  }
  return img;
}

TEST(CodeplugJson, RandomImagesComeBackByteForByte) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 300; ++round) {
    MemoryImage img = RandomImage(rng);
    EditorState decoded = StartupState();
    ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(img), decoded));
    std::string json = CodeplugToJson(decoded);

    EditorState imported = StartupState();
    JsonImportReport r = CodeplugFromJson(json, imported);
    ASSERT_TRUE(r.ok()) << "round " << round << ": " << r.problems.front() << "\n" << json;
    ASSERT_EQ(EncodeImage(imported), EncodeImage(decoded)) << "round " << round << "\n" << json;
    // Exporting again gives the same text.
    ASSERT_EQ(CodeplugToJson(imported), json);
  }
}

TEST(CodeplugJson, AHandWrittenFileFillsTheRestFromTheBase) {
  EditorState state = DemoState();
  JsonImportReport r = CodeplugFromJson(
      R"({"version": 1, "band": "136-174MHz",
          "channels": [{"channel": 2, "rxFrequency": "145.50000", "txTone": "D023N"}],
          "functionSettings": {"squelch": 3}})",
      state);
  ASSERT_TRUE(r.ok()) << r.problems.front();
  EXPECT_EQ(state.band.index, 5);
  EXPECT_EQ(state.band.BandLowLimit, 136);
  EXPECT_TRUE(state.grid.channels[0].empty());  // a channel list replaces the channels
  const Channel& ch = state.grid.channels[1];
  EXPECT_EQ(FrequencyText(ch.rx), "145.50000");
  EXPECT_EQ(ch.tx, ch.rx);
  EXPECT_EQ(ch.rxTone, Tone::Off());
  EXPECT_EQ(ch.txTone, Tone::Dcs(023, false));
  EXPECT_EQ(ch.power, 1);
  EXPECT_EQ(state.settings.squelch, 3);
  EXPECT_EQ(state.shared.EmbeddedInfoText[0], "KV-3(T2) DEMO");  // kept from the base
}

TEST(CodeplugJson, RefusedValuesAreNamedAndChangeNothing) {
  const EditorState base = DemoState();
  auto problems = [&](const std::string& text) {
    EditorState state = base;
    JsonImportReport r = CodeplugFromJson(text, state);
    EXPECT_EQ(state, base);
    return r.problems;
  };
  EXPECT_EQ(problems("{\"version\": 2}").size(), 1u);
  EXPECT_EQ(problems("{\"channels\": []}"), std::vector<std::string>{"version: missing"});
  EXPECT_FALSE(problems("[1,2").empty());

  std::vector<std::string> p = problems(R"({"version": 1,
      "channels": [{"channel": 1, "rxFrequency": "438.125", "rxTone": "D823N"},
                   {"channel": 1, "rxFrequency": "438.12500"}],
      "functionSettings": {"squelch": 10, "txTimeoutSeconds": 20},
      "dtmf": {"memoryCodes": ["1"]},
      "embeddedInfo": ["this text is far too long for its thirty-two bytes", ""],
      "carried": {"optionText16": "31FF"},
      "sqelch": 3})");
  std::vector<std::string> paths;
  for (const auto& s : p) paths.push_back(s.substr(0, s.find(':')));
  EXPECT_EQ(paths, (std::vector<std::string>{
                       "channels[0].rxFrequency", "channels[0].rxTone", "channels[1].channel",
                       "functionSettings.txTimeoutSeconds", "functionSettings.squelch",
                       "dtmf.memoryCodes", "embeddedInfo[0]", "carried.optionText16", "sqelch"}));
}

TEST(CodeplugJson, CarriedBytesAndVersionAreWritten) {
  EditorState state = StartupState();
  state.shared.OptionText[15] = std::string("\x01\xFF\x7F", 3);
  auto j = nlohmann::json::parse(CodeplugToJson(state));
  EXPECT_EQ(j["version"], kCodeplugJsonVersion);
  EXPECT_EQ(j["carried"]["optionText15"], "01FF7F");
  EXPECT_EQ(j["testFrequencies"].size(), 16u);
}

}  // namespace
}  // namespace kv3
