// The whole codeplug as JSON: every decoded value survives export and
// import, down to the byte of the image, and refused values name their path.
#include "interchange/codeplug_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "interchange/entry_checks.h"

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

TEST(CodeplugJson, NumbersBeyondEveryFieldAreRefusedNotThrown) {
  for (const char* text : {R"({"version":1e400})", R"({"version":1,"keys":{"pf1":-1e999}})",
                           R"({"version":1,"powerLevels":{"high":18446744073709551616}})"}) {
    SCOPED_TRACE(text);
    EditorState state = DemoState();
    JsonImportReport r = CodeplugFromJson(text, state);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(state, DemoState());
  }
  EditorState state = DemoState();
  EXPECT_TRUE(CodeplugFromJson(R"({"version":1e400})", state).unreadable);
}

// JSON keeps every value exactly (a radio's memory may hold anything), and
// the editor's rules say which of them its windows would not take.
TEST(CodeplugJson, ValuesTheEditorRefusesAreKeptAndFound) {
  EXPECT_TRUE(CheckEditorRules(DemoState()).empty());
  EXPECT_TRUE(CheckEditorRules(StartupState()).empty());

  EditorState state = DemoState();
  JsonImportReport r = CodeplugFromJson(R"({"version": 1,
      "channels": [{"channel": 1, "rxFrequency": "999.00000"},
                   {"channel": 2, "rxFrequency": "438.12300", "txFrequency": "43A.12500"},
                   {"channel": 3, "rxFrequency": "438.12500", "rxTone": "6.7", "txTone": "300.0"}],
      "optionalFunctions": {"priority": 1, "priorityChannel": 16},
      "dtmf": {"firstDigitDelayMs": 110,
               "memoryCodes": ["1", "2X", "3", "4", "5", "6", "7", "8"]},
      "embeddedInfo": ["\u001b[31mred", "fine"]})",
                                        state);
  ASSERT_TRUE(r.ok()) << r.problems.front();
  EXPECT_EQ(FrequencyText(state.grid.channels[1].rx), "438.12300");  // kept exactly
  std::vector<std::string> fields;
  for (const RuleFinding& f : CheckEditorRules(state)) fields.push_back(f.field);
  EXPECT_EQ(fields, (std::vector<std::string>{
                        "channel 1 rxFrequency", "channel 1 txFrequency", "channel 2 rxFrequency",
                        "channel 2 txFrequency", "channel 3 rxTone", "channel 3 txTone",
                        "embeddedInfo[0]", "dtmf.memoryCodes[1]", "dtmf.firstDigitDelayMs",
                        "optionalFunctions.priorityChannel"}));
  // A control character is shown escaped, never raw.
  EXPECT_EQ(CheckEditorRules(state)[6].value, "\\x1B[31mred");
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
