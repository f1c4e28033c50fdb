// The session engine against the simulated radio.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/demo.h"
#include "i18n/messages.h"
#include "session_harness.h"

namespace kv3 {
namespace {

using test::SessionHarness;

const std::vector<uint8_t> kEndByte = {'E'};

std::vector<int> ExpectedWriteBlocks(bool tuning) {
  std::vector<int> blocks;
  for (int a = 0x0010; a < 0x0360; a += 16) {
    bool skipped =
        (a >= 0x0190 && a < 0x01B0) || (a >= 0x01C0 && a < 0x0200) || (a == 0x0180 && !tuning);
    if (!skipped) blocks.push_back(a);
  }
  return blocks;
}

TEST(SessionRead, ReadsSixteenBlocksInOrderAndDecodesTheImage) {
  SessionHarness h;
  ASSERT_TRUE(h.session.StartRead());
  EXPECT_FALSE(h.controlsEnabled);
  EXPECT_EQ(h.sent.front(), (std::vector<uint8_t>{'Z', 'R', '-', 'P', 'R', 'O', 'G'}));
  EXPECT_EQ(h.statusTexts.back(), "Is communication, please later……");
  EXPECT_EQ(h.RunToEnd(), 0);

  ASSERT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
  std::vector<int> expected;
  for (int a = 0x0010; a < 0x0410; a += 64) expected.push_back(a);
  EXPECT_EQ(h.radio.readAddresses(), expected);
  ASSERT_EQ(h.decoded.size(), 1u);
  EXPECT_EQ(h.decoded[0], h.radio.Image());
  EXPECT_EQ(h.decoded[0], EncodeImage(DemoState()));
  ASSERT_EQ(h.session.ReadMemory().size(), 1024u);
  EXPECT_TRUE(std::equal(h.session.ReadMemory().begin(), h.session.ReadMemory().end(),
                         h.radio.memory().begin() + 0x10));
  EXPECT_EQ(h.progress, 425);
  EXPECT_FALSE(h.progressVisible);
  EXPECT_EQ(h.statusTexts.back(), "Read frequency success!");
  EXPECT_EQ(h.LastSent(), kEndByte);
  EXPECT_EQ(h.radio.endBytes(), 1);
  EXPECT_FALSE(h.timeoutRunning);
  EXPECT_TRUE(h.messages.empty());

  // The controls come back on the sixth blink tick.
  h.Blink(5);
  EXPECT_FALSE(h.controlsEnabled);
  h.Blink(1);
  EXPECT_TRUE(h.controlsEnabled);
  EXPECT_FALSE(h.blinkRunning);
}

TEST(SessionRead, StartWithClosedPortOnlyShowsTheMessage) {
  SessionHarness h;
  h.port.Close();
  h.session.SetLanguage(Language::Simplified);
  EXPECT_FALSE(h.session.StartRead());
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].first, Localize(msg::kPortNotOpen, Language::Simplified));
  EXPECT_EQ(h.messages[0].second, kButtonsInformation);
  EXPECT_TRUE(h.sent.empty());
  EXPECT_TRUE(h.controlsEnabled);
}

TEST(SessionRead, IdleInputIsBoundedAndClearedAndAStartWhileRunningIsIgnored) {
  SessionHarness h;
  std::vector<uint8_t> chatter(1 << 20, 0x06);  // idle: kept, bounded, cleared by the start
  h.session.OnReceive(chatter);
  h.session.OnReceive(chatter);
  ASSERT_TRUE(h.session.StartRead());
  EXPECT_FALSE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
}

TEST(SessionWrite, WritesTheBlocksInAddressOrderWithTheirData) {
  for (bool tuning : {false, true}) {
    SCOPED_TRACE(tuning);
    SessionHarness h;
    h.tuning = tuning;
    auto before = h.radio.memory();
    ASSERT_TRUE(h.session.StartWrite());
    h.RunToEnd();
    ASSERT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::WriteComplete});
    auto expected = ExpectedWriteBlocks(tuning);
    EXPECT_EQ(expected.size(), tuning ? 47u : 46u);
    EXPECT_EQ(h.BlocksSent(), expected);
    EXPECT_EQ(h.session.WrittenBlocks(), expected);
    for (int a = 0; a < kRadioMemorySize; ++a) {
      bool written = std::find(expected.begin(), expected.end(), a & ~15) != expected.end();
      uint8_t want = written ? h.writeImage[At(a)] : before[static_cast<size_t>(a)];
      ASSERT_EQ(h.radio.memory()[static_cast<size_t>(a)], want) << "address " << a;
    }
    EXPECT_EQ(h.progress, 450);
    EXPECT_EQ(h.statusTexts.back(), "Write frequency success!");
    EXPECT_EQ(h.LastSent(), kEndByte);
    EXPECT_TRUE(h.questions.empty());
  }
}

TEST(SessionWrite, ImageIsTakenWhenTheRadioHasIdentifiedItself) {
  SessionHarness h;
  ASSERT_TRUE(h.session.StartWrite());
  h.writeImage.fill(0xA5);  // the editor changes before the identification
  h.RunToEnd();
  EXPECT_EQ(h.radio.memory()[0x10], 0xA5);
}

// Faults of the radio that no rule accepts: the session ends on the sixth
// time-out tick after its last accepted step, with the error and the end byte.
struct FaultCase {
  const char* name;
  bool write;
  RadioFaults faults;
};

// Names the case in test output (gtest would print the struct's raw bytes).
void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class SessionFault : public testing::TestWithParam<FaultCase> {};

TEST_P(SessionFault, EndsWithTheCommunicationErrorAfterSixTicks) {
  SessionHarness h;
  h.radio.faults() = GetParam().faults;
  ASSERT_TRUE(GetParam().write ? h.session.StartWrite() : h.session.StartRead());
  EXPECT_EQ(h.RunToEnd(), 6);
  ASSERT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::TimedOut});
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].first, Localize(msg::kCommError, Language::English));
  EXPECT_EQ(h.messages[0].second, kButtonsStop);
  EXPECT_EQ(h.LastSent(), kEndByte);
  EXPECT_TRUE(h.controlsEnabled);
  EXPECT_FALSE(h.progressVisible);
  EXPECT_FALSE(h.timeoutRunning);
  EXPECT_FALSE(h.blinkRunning);
  EXPECT_TRUE(h.decoded.empty());
  // Ticks after the end change nothing.
  h.session.OnTimeoutTick();
  EXPECT_EQ(h.ended.size(), 1u);
}

RadioFaults Silent(int from) {
  return {.silentFrom = from};
}
RadioFaults Stray(int at) {
  return {.strayByteAt = at};
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SessionFault,
    testing::Values(FaultCase{"SilentRadio", false, Silent(0)},
                    FaultCase{"SilentAfterAck", false, Silent(1)},
                    FaultCase{"SilentBeforeReady", false, Silent(2)},
                    FaultCase{"SilentMidRead", false, Silent(20)},
                    FaultCase{"SilentMidWrite", true, Silent(30)},
                    FaultCase{"WrongIdentification", false, {.wrongIdentification = true}},
                    FaultCase{"NineByteIdentification", false, Stray(1)},
                    FaultCase{"AckWithStrayByte", false, Stray(0)},
                    FaultCase{"ReadReplyWithStrayByte", false, Stray(5)},
                    FaultCase{"WriteAckWithStrayByte", true, Stray(10)},
                    FaultCase{"ReadReplyOfAnotherBlock", false, {.wrongAddressAt = 7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SessionPieces, RepliesSplitIntoPiecesAreAccepted) {
  for (size_t piece : {1u, 3u, 4u, 67u}) {
    SCOPED_TRACE(piece);
    SessionHarness h;
    h.radio.faults().pieceSize = piece;  // 4: the identification in two halves
    ASSERT_TRUE(h.session.StartRead());
    h.RunToEnd();
    EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
    EXPECT_EQ(h.decoded.at(0), h.radio.Image());
  }
}

// Driven by hand: the session alone, its replies typed in.
struct HandDriven : SessionHarness {
  HandDriven() { radio.faults().silentFrom = 0; }
  void Give(std::vector<uint8_t> bytes) { session.OnReceive(bytes); }
  void Identify() {
    Give({0x06});
    Give({'R', 'T', '7', '2', '0', 0, 0, 0});
  }
};

TEST(SessionReceive, AckFollowedByMoreBytesInOneDeliveryIsNoAck) {
  HandDriven h;
  ASSERT_TRUE(h.session.StartRead());
  h.Give({0x06, 0x06});
  EXPECT_EQ(h.sent.size(), 1u);  // only "ZR-PROG"
  EXPECT_EQ(h.RunToEnd(), 6);
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::TimedOut});
}

TEST(SessionReceive, ZeroAndAckAfterABreakIsAnAck) {
  HandDriven h;
  ASSERT_TRUE(h.session.StartRead());
  h.session.OnBreak();
  h.Give({0x00, 0x06});
  EXPECT_EQ(h.LastSent(), std::vector<uint8_t>{0x02});
}

TEST(SessionReceive, ABreakBeforeEveryKindOfReplyIsHarmless) {
  for (int reply : {0, 1, 2, 3, 4, 40}) {
    SCOPED_TRACE(reply);
    SessionHarness h;
    h.radio.faults().breakBefore = reply;
    ASSERT_TRUE(h.session.StartRead());
    h.RunToEnd();
    EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
  }
}

TEST(SessionReceive, ModelTextMayStraddleAByteBoundary) {
  HandDriven h;
  ASSERT_TRUE(h.session.StartRead());
  h.Give({0x06});
  // Hex text "0525437323 0F..." holds 5254373230 from its second digit.
  h.Give({0x05, 0x25, 0x43, 0x73, 0x23, 0x0F, 0xFF, 0xFF});
  EXPECT_EQ(h.LastSent(), std::vector<uint8_t>{0x06});
  EXPECT_TRUE(h.progressVisible);
}

TEST(SessionReceive, ReadReplyOrAckOutOfTurnIsNotTaken) {
  HandDriven h;
  ASSERT_TRUE(h.session.StartRead());
  h.Identify();
  h.Give({0x06});  // ready: the first request goes out
  ASSERT_EQ(h.LastSent(), (std::vector<uint8_t>{'R', 0x00, 0x10, 0x40}));
  size_t sentBefore = h.sent.size();
  h.Give({0x06});  // an acknowledge instead of the block would skip it
  EXPECT_EQ(h.sent.size(), sentBefore);
  EXPECT_EQ(h.RunToEnd(), 6);
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::TimedOut});
}

TEST(SessionBand, QuestionBeforeTheFirstBlockOnceAndYesGoesOn) {
  SessionHarness h;
  h.band = 3;
  h.modalAnswer = true;
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::WriteComplete});
  ASSERT_EQ(h.questions.size(), 1u);
  EXPECT_EQ(h.questions[0], "Frequency band with discrepancies, do you wish to continue?");
  EXPECT_EQ(h.BlocksSent(), ExpectedWriteBlocks(false));
  EXPECT_EQ(h.session.LastBand(), 3);

  // The same band again: no question.
  h.Blink(6);
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_EQ(h.questions.size(), 1u);
}

TEST(SessionBand, NoEndsTheSessionWithTheQuestionInTheStatus) {
  SessionHarness h;
  h.band = 1;
  h.modalAnswer = false;
  h.session.SetLanguage(Language::Simplified);
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::Declined});
  EXPECT_EQ(h.statusTexts.back(), "频段不符，是否继续？");
  EXPECT_TRUE(h.BlocksSent().empty());
  EXPECT_EQ(h.LastSent(), kEndByte);
  EXPECT_TRUE(h.messages.empty());
  EXPECT_FALSE(h.controlsEnabled);
  h.Blink(6);
  EXPECT_TRUE(h.controlsEnabled);
}

TEST(SessionBand, OpenQuestionSuspendsTheSessionAndTheTimeOutCountsAfresh) {
  SessionHarness h;
  h.band = 2;
  ASSERT_TRUE(h.session.StartWrite());
  h.Pump();
  ASSERT_TRUE(h.session.QuestionOpen());
  size_t sent = h.sent.size();
  for (int i = 0; i < 50; ++i) h.session.OnTimeoutTick();
  EXPECT_TRUE(h.session.Running());
  EXPECT_EQ(h.sent.size(), sent);

  h.radio.faults().silentFrom = 4;  // the first block's acknowledge never comes
  h.session.AnswerBandQuestion(true);
  EXPECT_EQ(h.BlocksSent(), std::vector<int>{0x0010});
  for (int i = 0; i < 5; ++i) h.session.OnTimeoutTick();
  EXPECT_TRUE(h.session.Running());
  h.session.OnTimeoutTick();
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::TimedOut});
  h.session.AnswerBandQuestion(true);  // a late answer changes nothing
  EXPECT_EQ(h.BlocksSent().size(), 1u);
}

TEST(SessionBand, CompleteReadTakesTheRadiosBand) {
  SessionHarness h;
  auto state = DemoState();
  SelectBandSilently(state.band, 4);
  h.radio.LoadImage(EncodeImage(state));
  ASSERT_TRUE(h.session.StartRead());
  h.RunToEnd();
  EXPECT_EQ(h.band, 4);
  EXPECT_EQ(h.session.LastBand(), 4);
  h.Blink(6);
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_TRUE(h.questions.empty());
}

TEST(SessionPort, LostPortEndsTheSessionAtOnceWithoutDecoding) {
  SessionHarness h;
  h.radio.faults().silentFrom = 10;
  ASSERT_TRUE(h.session.StartRead());
  h.Pump();
  h.port.Close();
  h.session.OnPortLost();
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::PortLost});
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].first, Localize(msg::kCommError, Language::English));
  EXPECT_TRUE(h.controlsEnabled);
  EXPECT_TRUE(h.decoded.empty());
  EXPECT_NE(h.LastSent(), kEndByte);
  EXPECT_FALSE(h.session.Running());
}

TEST(SessionPort, LostPortWhileTheQuestionIsOpenEndsTheSession) {
  SessionHarness h;
  h.band = 2;
  ASSERT_TRUE(h.session.StartWrite());
  h.Pump();
  ASSERT_TRUE(h.session.QuestionOpen());
  h.session.OnPortLost();
  EXPECT_FALSE(h.session.QuestionOpen());
  h.session.AnswerBandQuestion(true);
  EXPECT_TRUE(h.BlocksSent().empty());
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::PortLost});
}

// A radio whose band code the list does not know: the list keeps showing
// another band, so the next write asks before it changes the radio's band,
// whatever the list shows.
TEST(SessionBand, AReadOfAnUnknownBandCodeMakesTheNextWriteAsk) {
  SessionHarness h;
  MemoryImage radio = EncodeImage(StartupState());
  radio[At(addr::kBandCode)] = radio[At(addr::kBandCodeAgain)] = 0x99;
  h.radio.LoadImage(radio);
  ASSERT_TRUE(h.session.StartRead());
  h.RunToEnd();
  ASSERT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
  EXPECT_EQ(h.band, 0);
  EXPECT_EQ(h.session.LastBand(), kUnknownBand);

  h.Blink(6);
  h.modalAnswer = false;
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_EQ(h.questions.size(), 1u);
  EXPECT_EQ(h.ended.back(), SessionOutcome::Declined);
  EXPECT_TRUE(h.BlocksSent().empty());
  EXPECT_EQ(h.radio.Image()[At(addr::kBandCode)], 0x99);
}

}  // namespace
}  // namespace kv3
