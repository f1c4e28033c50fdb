// Read and write sessions from the main window against the built-in
// simulated radio, with the real 500 ms and 200 ms timers.
#include <QProgressBar>
#include <QToolBar>

#include "editor/demo.h"
#include "editor/grid_text.h"
#include "i18n/messages.h"
#include "image/codec.h"
#include "link/simulated_radio.h"
#include "link/ui/routed_port.h"
#include "main_window_support.h"

using namespace kv3test;

class MainSession : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    Start();  // COM1, the simulated radio
    QVERIFY(w_->port().IsOpen());
    QVERIFY(w_->port().simulated());
  }
  void cleanup() { Stop(); }

  void ReadFillsTheWindowAndBringsTheControlsBack() {
    Messages messages;
    auto* toolbar = Find<QToolBar>(w_.get(), "Toolbar1");
    auto* status = Find<QLabel>(w_.get(), "Label");
    QTest::keyClick(w_.get(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!toolbar->isEnabled());
    QVERIFY(!Find<QMenu>(w_.get(), "mnupro")->isEnabled());
    QVERIFY(!Find<QAction>(w_.get(), "mnureadFre")->isEnabled());
    QCOMPARE(status->text(), QString("正在通信,请稍后……"));
    // Ctrl+R while the session runs does nothing.
    QTest::keyClick(w_.get(), Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString("读频成功！"), kGenerous);
    QCOMPARE(w_->port().simulatedPort().radio().sessionsStarted(), 1);
    QVERIFY(Find<QProgressBar>(w_.get(), "ProgressBar1")->isHidden());

    const kv3::EditorState demo = kv3::DemoState();
    for (int row = 1; row <= 16; ++row) {
      for (int col = 1; col <= 8; ++col) {
        QCOMPARE(Cell(*w_, row, col), QString::fromStdString(kv3::CellText(
                                          demo.grid, row, col, kv3::Language::Simplified)));
      }
    }
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo1")->currentIndex(), demo.band.index);
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo9")->currentIndex(), demo.settings.squelch);
    QTRY_VERIFY_WITH_TIMEOUT(toolbar->isEnabled(), kGenerous);
    QVERIFY(Find<QAction>(w_.get(), "mnureadFre")->isEnabled());
    QVERIFY(status->isHidden());
    QVERIFY(messages.records.isEmpty());
  }

  void ASessionKeepsALockedBandLocked() {
    Messages messages;
    w_->ToggleLock();
    auto* frame = Find<QWidget>(w_.get(), "Frame1");
    QVERIFY(!frame->isEnabled());
    QTest::keyClick(w_.get(), Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(w_.get(), "Label")->text(), QString("读频成功！"),
                              kGenerous);
    QVERIFY(!frame->isEnabled());
    w_->ToggleLock();
    QVERIFY(frame->isEnabled());
  }

  void WriteSendsTheEditedChannels() {
    Messages messages;
    TypeFrequency(*w_, 16, "470.0125");
    auto* status = Find<QLabel>(w_.get(), "Label");
    Find<QAction>(w_.get(), "write")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString("写频成功！"), kGenerous);
    kv3::EditorState written = kv3::StartupState();
    QVERIFY(kv3::DecodeImage(std::span<const uint8_t>(w_->port().simulatedPort().radio().Image()),
                             written));
    QCOMPARE(written.grid.channels[15], w_->state().grid.channels[15]);
    QCOMPARE(written.settings, w_->state().settings);
    QVERIFY(messages.records.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);
  }

  void AnotherBandAsksBeforeWritingAndNoStopsIt() {
    Messages messages;
    messages.answers = {kv3::mr::kOk, kv3::mr::kNo};  // the band change, then the write
    Find<QComboBox>(w_.get(), "Combo1")->setCurrentIndex(1);
    w_->ChooseEnglish();
    QTest::keyClick(w_.get(), Qt::Key_W, Qt::ControlModifier);
    auto* status = Find<QLabel>(w_.get(), "Label");
    QTRY_COMPARE_WITH_TIMEOUT(messages.records.size(), 2, kGenerous);
    QCOMPARE(messages.records[1].prompt,
             QString("Frequency band with discrepancies, do you wish to continue?"));
    QCOMPARE(messages.records[1].buttonLabels, (QStringList{"Yes", "No"}));
    QTRY_COMPARE(status->text(), messages.records[1].prompt);
    QVERIFY(w_->port().simulatedPort().radio().writeAddresses().empty());
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);
  }

  void SilentRadioEndsWithTheErrorMessage() {
    Messages messages;
    w_->port().simulatedPort().radio().faults().silentFrom = 1;
    w_->StartRead();
    QTRY_COMPARE_WITH_TIMEOUT(messages.records.size(), 1, kGenerous);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kCommError.zh));
    QCOMPARE(messages.records[0].buttons, 16);
    QVERIFY(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled());
    QVERIFY(Find<QProgressBar>(w_.get(), "ProgressBar1")->isHidden());
    for (int col = 1; col <= 8; ++col) QVERIFY(Cell(*w_, 1, col).isEmpty());
  }

  void ClosedPortIsReportedAndNothingStarts() {
    Messages messages;
    w_->port().Close();
    w_->StartRead();
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kPortNotOpen.zh));
    QCOMPARE(messages.records[0].buttons, 64);
    QVERIFY(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled());
  }
};

QTEST_MAIN(MainSession)
#include "main_session.moc"
