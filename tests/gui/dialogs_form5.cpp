// The optional functions window, the hidden unlock and what it does to a
// write.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include "../link/session_harness.h"
#include "codeplug/codec.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form5.h"
#include "main_window_support.h"

using namespace kv3;
using namespace kv3test;

namespace {

// A write of the state to the simulated radio; the radio after it.
struct WrittenRadio {
  explicit WrittenRadio(const EditorState& state) {
    h.writeImage = EncodeImage(state);
    h.tuning = state.shared.TuningUnlocked != 0;
    h.band = state.band.index;
    if (h.session.StartWrite()) h.RunToEnd();
  }
  size_t blocks() const { return h.session.WrittenBlocks().size(); }
  test::SessionHarness h;
};

}  // namespace

class DialogsForm5Test : public QObject, DialogFixture {
  Q_OBJECT

 private:
  double now_ = 1000.0;

  QComboBox* Combo(QWidget* f, const char* name) { return Find<QComboBox>(f, name); }
  void Choose(QWidget* f, const char* name, int index) {
    QComboBox* c = Combo(f, name);
    c->setCurrentIndex(index);
    emit c->activated(index);
  }
  void ClickCaption(Form5& f, const char* name, double at) {
    now_ = at;
    QTest::mouseClick(Find<QLabel>(&f, name), Qt::LeftButton);
  }
  void Program(int channel) { state_.grid.channels[channel - 1].rx = Freq4FromUnits(43800000); }

 private slots:
  void init() { Reset(); }

  void testCancelKeepsTheSharedValuesOkStoresThem() {
    Form5 f(state_, lang_, *messages_);
    QCOMPARE(Combo(&f, "Combo13")->count(), 92);
    QCOMPARE(Combo(&f, "Combo13")->itemText(91), QStringLiteral("5.00 S"));
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("01"));
    QCOMPARE(Find<QLineEdit>(&f, "Text5")->text(), QStringLiteral("0"));

    const SharedValues before = state_.shared;
    Combo(&f, "Combo7")->setCurrentIndex(10);
    Find<QCheckBox>(&f, "Check4")->setChecked(false);
    Find<QLineEdit>(&f, "Text5")->setText("45");
    Click(&f, "Command2");
    QCOMPARE(state_.shared, before);
    QCOMPARE(Combo(&f, "Combo7")->currentIndex(), 10);

    Click(&f, "Command1");
    QCOMPARE(state_.shared.OptionText[6], std::string("10"));
    QCOMPARE(state_.shared.OptionText[23], std::string("0"));
    QCOMPARE(state_.shared.OptionText[18], std::string("45"));
    QCOMPARE(state_.shared.OptionIndex, before.OptionIndex);
    QCOMPARE(state_.shared.DtmfMemoryCodes, before.DtmfMemoryCodes);
  }

  void testABadScanDelayIsRefusedAndNothingStored() {
    Form5 f(state_, lang_, *messages_);
    f.show();
    const SharedValues before = state_.shared;
    Combo(&f, "Combo4")->setCurrentIndex(2);
    Find<QLineEdit>(&f, "Text6")->setText("301");
    Click(&f, "Command1");
    QCOMPARE(state_.shared, before);
    QVERIFY(f.isVisible());
    QCOMPARE(messages_->records.size(), 1);
    QVERIFY(messages_->records[0].prompt.startsWith(QStringLiteral("扫描发射恢复延时时间(秒)")));
  }

  void testSpinnersContinueFromTheBox() {
    Form5 f(state_, lang_, *messages_);
    auto* box = Find<QLineEdit>(&f, "Text5");
    auto* spin = Find<QScrollBar>(&f, "VScroll1");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "120");
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 2));  // upper arrow
    QCOMPARE(box->text(), QStringLiteral("121"));
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() - 2));
    QCOMPARE(box->text(), QStringLiteral("120"));
    box->selectAll();
    QTest::keyClicks(box, "300");
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 2));
    QCOMPARE(box->text(), QStringLiteral("300"));  // the upper end
  }

  void testPriorityChannelRules() {
    Program(3);
    Program(5);
    Form5 f(state_, lang_, *messages_);
    Choose(&f, "Combo11", 1);  // "固定"
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("03"));
    QCOMPARE(f.FixedPriorityChannel(), 3);
    Choose(&f, "Combo12", 4);
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("05"));
    Choose(&f, "Combo12", 6);  // channel 7 is empty
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("03"));
    QCOMPARE(messages_->records.size(), 1);
    QCOMPARE(messages_->records[0].prompt, QStringLiteral("不可选择空信道，请重新选择！"));
    QCOMPARE(messages_->records[0].title, QStringLiteral("KV-3(T2)"));

    Choose(&f, "Combo11", 2);  // "选定": any channel
    Choose(&f, "Combo12", 6);
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("07"));
    QCOMPARE(messages_->records.size(), 1);
    Click(&f, "Command1");
    QCOMPARE(state_.shared.OptionText[11], std::string("7"));
    QCOMPARE(state_.shared.OptionText[10], std::string("2"));
  }

  void testFixedWithoutChannelsFallsBackToNone() {
    lang_ = Language::English;
    Form5 f(state_, lang_, *messages_);
    Choose(&f, "Combo11", 1);
    QCOMPARE(Combo(&f, "Combo11")->currentIndex(), 0);
    QCOMPARE(messages_->records.size(), 1);
    QCOMPARE(messages_->records[0].title, QStringLiteral("Tip"));
    QCOMPARE(messages_->records[0].prompt,
             QStringLiteral("When set to 'fixed' channel not is empty, please reset!"));
  }

  void testDecodeRefillsTheControls() {
    Form5 f(state_, lang_, *messages_);
    EditorState other = StartupState();
    other.grid.channels[1].rx = Freq4FromUnits(43800000);
    other.shared.OptionText[6] = "7";
    other.shared.OptionText[10] = "1";
    other.shared.OptionText[11] = "2";
    other.shared.OptionText[13] = "91";
    other.shared.OptionText[19] = "250";
    other.shared.OptionText[22] = "0";
    QVERIFY(DecodeImage(EncodeImage(other), state_));
    f.LoadFromState();
    QCOMPARE(Combo(&f, "Combo7")->currentIndex(), 7);
    QCOMPARE(Combo(&f, "Combo11")->currentIndex(), 1);
    QCOMPARE(Combo(&f, "Combo12")->currentText(), QStringLiteral("02"));
    QCOMPARE(Combo(&f, "Combo14")->currentText(), QStringLiteral("5.00 S"));
    QCOMPARE(Find<QLineEdit>(&f, "Text6")->text(), QStringLiteral("250"));
    QVERIFY(!Find<QCheckBox>(&f, "Check3")->isChecked());
    QVERIFY(messages_->records.isEmpty());
  }

  void testCaptionsInThreeLanguages() {
    Form5 f(state_, lang_, *messages_);
    Combo(&f, "Combo15")->setCurrentIndex(3);
    f.SetCaptions(Language::English);
    QCOMPARE(f.windowTitle(), QStringLiteral("Optional Function"));
    QCOMPARE(Find<QLabel>(&f, "Label10")->text(), QStringLiteral("VOX GBIN"));
    QCOMPARE(Combo(&f, "Combo15")->itemText(2), QStringLiteral("priority"));
    QCOMPARE(Combo(&f, "Combo15")->currentIndex(), 3);
    f.SetCaptions(Language::Traditional);
    QCOMPARE(f.windowTitle(), QStringLiteral("可选功能"));  // the title is not converted
    QCOMPARE(Find<QLabel>(&f, "Label15")->text(), QStringLiteral("優先信道"));
    QCOMPARE(Combo(&f, "Combo13")->itemText(0), QStringLiteral("空"));
    QCOMPARE(Combo(&f, "Combo15")->itemText(1), QStringLiteral("選定+當前"));
  }

  void testHiddenClicksUnlockTuningAndAWriteSendsThePowerBlock() {
    Form5 f(state_, lang_, *messages_);
    Form2 power(state_, lang_);
    f.SetClock([this] { return now_; });
    connect(&f, &Form5::tuningUnlocked, &power, [&power] { power.SetSlidersEnabled(true); });
    connect(&f, &Form5::tuningLocked, &power, [&power] { power.SetSlidersEnabled(false); });
    QSignalSpy unlocked(&f, &Form5::tuningUnlocked);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    { QCOMPARE(WrittenRadio(state_).blocks(), size_t{46}); }

    ClickCaption(f, "Label18", 500.4);  // window from 500
    ClickCaption(f, "Label14", 503.0);
    ClickCaption(f, "Label17", 505.6);  // too late: a new window with this caption alone
    QCOMPARE(unlocked.count(), 0);
    ClickCaption(f, "Label14", 507.0);
    ClickCaption(f, "Label18", 510.9);  // 506 + 4.9
    QCOMPARE(unlocked.count(), 1);
    QCOMPARE(state_.shared.TuningUnlocked, 1);
    QVERIFY(Find<QSlider>(&power, "Slider1")->isEnabled());

    {
      Find<QSlider>(&power, "Slider1")->setValue(230);
      Click(&power, "Command1");
      WrittenRadio wire(state_);
      QCOMPARE(wire.blocks(), size_t{47});
      QCOMPARE(wire.h.radio.Image()[At(addr::kTxPowerHigh)], uint8_t{230});
    }

    // A decode locks the write again but not the sequence: one caption unlocks.
    QVERIFY(DecodeImage(EncodeImage(state_), state_));
    QCOMPARE(state_.shared.TuningUnlocked, 0);
    ClickCaption(f, "Label17", 511.0);  // the window is still open at 506 + 5.0
    QCOMPARE(unlocked.count(), 2);
    QCOMPARE(state_.shared.TuningUnlocked, 1);
  }
};

QTEST_MAIN(DialogsForm5Test)
#include "dialogs_form5.moc"
