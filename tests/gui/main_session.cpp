// Read and write sessions from the main window against the built-in
// simulated radio, with the real 500 ms and 200 ms timers.
#include <QMessageBox>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolBar>

#include "codeplug/codec.h"
#include "dialogs/ui/form5.h"
#include "editor/demo.h"
#include "editor/grid_text.h"
#include "i18n/messages.h"
#include "interchange/backups.h"
#include "link/qt/routed_port.h"
#include "link/simulated_radio.h"
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
    Messages messages(*w_);
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
    Messages messages(*w_);
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
    Messages messages(*w_);
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
    Messages messages(*w_);
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
    Messages messages(*w_);
    w_->port().simulatedPort().radio().faults().silentFrom = 1;
    w_->StartRead();
    QTRY_COMPARE_WITH_TIMEOUT(messages.records.size(), 1, kGenerous);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kCommError.zh));
    QCOMPARE(messages.records[0].buttons, 16);
    QVERIFY(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled());
    QVERIFY(Find<QProgressBar>(w_.get(), "ProgressBar1")->isHidden());
    for (int col = 1; col <= 8; ++col) QVERIFY(Cell(*w_, 1, col).isEmpty());
  }

  // A slow radio: its reply `late` comes only after the time-out, while the
  // communication error is open, which is left open until that reply is in
  // and the radio has nothing more to say. The session that timed out stays
  // over: no further request or block, one end byte (sent before the box
  // opened), and the editor and the backup folder are as they were.
  void ALateReplyBehindTheErrorBoxMovesNothing_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("late");
    QTest::newRow("read") << false << 12;
    QTest::newRow("write") << true << 10;
  }
  void ALateReplyBehindTheErrorBoxMovesNothing() {
    QFETCH(bool, write);
    QFETCH(int, late);
    QTemporaryDir data;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", dataHome); });
    const QString backups = QString::fromStdString(kv3::DefaultBackupFolder());
    Messages atOnce(*w_);
    TypeFrequency(*w_, 16, "470.0125");
    const kv3::EditorState before = w_->state();

    kv3::QtSimulatedPort& sim = w_->port().simulatedPort();
    const kv3::SimulatedRadio& radio = sim.radio();
    sim.radio().faults().heldFrom = late;
    int delivered = 0;
    QObject counter;
    connect(&w_->port(), &kv3::QtPort::bytesReceived, &counter, [&] { ++delivered; });
    ModalMessages messages(*w_);
    int endBytesAtOpen = -1;
    size_t requestsAtOpen = 0;
    int deliveredAtOpen = 0;
    bool controlsAtOpen = false;
    messages.whileOpen = [&](const kv3::MessageRecord&) {
      endBytesAtOpen = radio.endBytes();
      requestsAtOpen = radio.readAddresses().size() + radio.writeAddresses().size();
      deliveredAtOpen = delivered;
      controlsAtOpen = Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled();
      sim.ReleaseHeld();
    };
    messages.closeWhen = [&] { return delivered > deliveredAtOpen && !radio.InSession(); };

    QTest::keyClick(w_.get(), write ? Qt::Key_W : Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(messages.closed, 1, kGenerous);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kCommError.zh));
    QCOMPARE(endBytesAtOpen, 1);
    QVERIFY(controlsAtOpen);
    QCOMPARE(radio.readAddresses().size() + radio.writeAddresses().size(), requestsAtOpen);
    QCOMPARE(radio.endBytes(), 1);
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(w_->state() == before);
    QCOMPARE(Cell(*w_, 1, 1), QString());
    QVERIFY(!QDir(backups).exists() || QDir(backups).isEmpty());
    QVERIFY(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled());
  }

  // The radio holds "固定" priority on an empty channel. The decode shows it
  // as it is, asks nothing, and the read completes.
  void AReadOfAFixedPriorityOnAnEmptyChannelCompletes() {
    kv3::EditorState radioState = kv3::DemoState();
    radioState.shared.OptionText[10] = "1";  // "固定"
    radioState.shared.OptionText[11] = "9";  // channel 9 is empty
    w_->port().simulatedPort().radio().LoadImage(kv3::EncodeImage(radioState));
    ModalMessages messages(*w_);
    messages.closeWhen = [&] { return !w_->session().session().Running(); };
    QTest::keyClick(w_.get(), Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!w_->session().session().Running(), kGenerous);
    QCOMPARE(w_->session().session().outcome(), kv3::SessionOutcome::ReadComplete);
    QCOMPARE(Find<QLabel>(w_.get(), "Label")->text(), QString("读频成功！"));
    QVERIFY(messages.records.isEmpty());
    QCOMPARE(Find<QComboBox>(&w_->form5(), "Combo11")->currentIndex(), 1);
    QCOMPARE(Find<QComboBox>(&w_->form5(), "Combo12")->currentText(), QString("09"));
    QCOMPARE(w_->state().shared.OptionText[11], std::string("9"));
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);
    QVERIFY(messages.records.isEmpty());
  }

  // The real box: application-modal, opened after the session has ended.
  void TheErrorBoxIsApplicationModalAndComesAfterTheEnd() {
    kv3::SimulatedRadio& radio = w_->port().simulatedPort().radio();
    radio.faults().silentFrom = 5;
    QMessageBox* box = nullptr;
    bool runningWhileOpen = true;
    int endBytesWhileOpen = -1;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* modal = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!modal || box) return;
      box = modal;
      modality = box->windowModality();
      runningWhileOpen = w_->session().session().Running();
      endBytesWhileOpen = radio.endBytes();
      box->buttons().constFirst()->click();
    });
    poll.start(5);
    w_->StartWrite();
    QTRY_VERIFY_WITH_TIMEOUT(box != nullptr, kGenerous);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!runningWhileOpen);
    QCOMPARE(endBytesWhileOpen, 1);
    QCOMPARE(radio.endBytes(), 1);
  }

  void ClosedPortIsReportedAndNothingStarts() {
    Messages messages(*w_);
    w_->port().Close();
    w_->StartRead();
    // The box opens after the command has returned.
    QCOMPARE(messages.records.size(), 0);
    QTRY_COMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kPortNotOpen.zh));
    QCOMPARE(messages.records[0].buttons, 64);
    QVERIFY(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled());
  }
};

QTEST_MAIN(MainSession)
#include "main_session.moc"
