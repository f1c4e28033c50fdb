// The session while a window is open: a modal box runs a nested event loop,
// in which the port keeps delivering bytes and the timers keep ticking. The
// harness calls back into the session from inside the message, the decode
// and the band question, as that loop would.
#include <gtest/gtest.h>

#include "session_harness.h"

namespace kv3 {
namespace {

using test::SessionHarness;

// What a nested loop may deliver: the slow radio's late replies and whatever
// the session's answers to them bring, time-out and blink ticks, a late
// answer to the band question, a pulled cable.
void NestedLoop(SessionHarness& h) {
  h.port.ReleaseHeld();
  h.Pump();
  for (int i = 0; i < 3 * kTimeoutTicks; ++i) {
    h.session.OnTimeoutTick();
    h.session.OnBlinkTick();
    h.Pump();
  }
  h.session.AnswerBandQuestion(true);
  h.Pump();
  h.session.OnPortLost();
}

// The session as the box found it when it opened.
struct Seen {
  bool running = true;
  bool timeoutRunning = true;
  bool controlsEnabled = false;
  int endBytes = -1;
  size_t requests = 0;  // read requests and write blocks the radio had seen
};

Seen Look(const SessionHarness& h) {
  return {h.session.Running(), h.timeoutRunning, h.controlsEnabled, h.radio.endBytes(),
          h.radio.readAddresses().size() + h.radio.writeAddresses().size()};
}

TEST(SessionBehindABox, ATimedOutSessionStaysEndedWhileItsMessageIsOpen) {
  // The radio's reply `late` comes only after the time-out, while the
  // communication error is shown.
  struct Case {
    const char* name;
    bool write;
    int late;
  };
  for (const Case& c : {Case{"identification", false, 1}, Case{"read reply", false, 12},
                        Case{"write acknowledge", true, 10}}) {
    SCOPED_TRACE(c.name);
    SessionHarness h;
    h.radio.faults().heldFrom = c.late;
    Seen seen;
    h.whileMessageShown = [&] {
      seen = Look(h);
      NestedLoop(h);
    };
    ASSERT_TRUE(c.write ? h.session.StartWrite() : h.session.StartRead());
    EXPECT_EQ(h.RunToEnd(), kTimeoutTicks);

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].second, kButtonsStop);
    // Everything is settled before the box opens: the end byte is out at
    // the time-out, not when the box is closed.
    EXPECT_FALSE(seen.running);
    EXPECT_FALSE(seen.timeoutRunning);
    EXPECT_TRUE(seen.controlsEnabled);
    EXPECT_EQ(seen.endBytes, 1);
    // The late reply moved nothing: no request, no block, no decode, no
    // second end byte, one ending.
    EXPECT_EQ(h.radio.readAddresses().size() + h.radio.writeAddresses().size(), seen.requests);
    EXPECT_EQ(h.radio.endBytes(), 1);
    EXPECT_TRUE(h.decoded.empty());
    EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::TimedOut});
    EXPECT_EQ(h.session.outcome(), SessionOutcome::TimedOut);
    EXPECT_TRUE(h.controlsEnabled);
  }
}

TEST(SessionBehindABox, ACompleteReadIsNotUndoneByABoxOpenedWhileDecoding) {
  // The decode opens a box (a check of a dialog) and the time-out watch
  // would tick while it is open.
  SessionHarness h;
  Seen seen;
  h.whileDecoding = [&] {
    seen = Look(h);
    h.session.OnReceive(std::vector<uint8_t>{0x06});
    NestedLoop(h);
  };
  ASSERT_TRUE(h.session.StartRead());
  h.RunToEnd();
  EXPECT_FALSE(seen.running);
  EXPECT_FALSE(seen.timeoutRunning);
  EXPECT_EQ(seen.endBytes, 1);
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::ReadComplete});
  EXPECT_EQ(h.decoded.size(), 1u);
  EXPECT_TRUE(h.messages.empty());
  EXPECT_EQ(h.radio.endBytes(), 1);
  EXPECT_EQ(h.radio.readAddresses().size(), size_t{kReadBlockCount});
  EXPECT_EQ(h.statusTexts.back(), "Read frequency success!");
}

TEST(SessionBehindABox, TheBandQuestionHoldsTheSessionWhateverArrives) {
  SessionHarness h;
  h.band = 2;
  h.modalAnswer = true;
  size_t sentWhileOpen = 0;
  bool runningWhileOpen = false;
  h.whileQuestionOpen = [&] {
    const size_t before = h.sent.size();
    for (int i = 0; i < 3 * kTimeoutTicks; ++i) {
      h.session.OnTimeoutTick();
      h.session.OnBlinkTick();
    }
    h.Pump();
    sentWhileOpen = h.sent.size() - before;
    runningWhileOpen = h.session.Running() && h.session.QuestionOpen();
  };
  ASSERT_TRUE(h.session.StartWrite());
  h.RunToEnd();
  EXPECT_TRUE(runningWhileOpen);
  EXPECT_EQ(sentWhileOpen, 0u);
  EXPECT_EQ(h.ended, std::vector<SessionOutcome>{SessionOutcome::WriteComplete});
  EXPECT_EQ(h.radio.endBytes(), 1);

  // A byte that arrives while the question is open sends no block.
  SessionHarness stray;
  stray.band = 2;
  stray.whileQuestionOpen = [&] { stray.session.OnReceive(std::vector<uint8_t>{0x06}); };
  ASSERT_TRUE(stray.session.StartWrite());
  stray.Pump();
  EXPECT_TRUE(stray.session.QuestionOpen());
  EXPECT_TRUE(stray.BlocksSent().empty());
}

}  // namespace
}  // namespace kv3
