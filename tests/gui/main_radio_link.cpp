// The main window on a real serial device (a pseudo-terminal of
// kv3-radio-sim pinned with the port map), and the re-lock key "TAnMa".
#include <QProcess>
#include <QScopeGuard>
#include <QSlider>
#include <QToolBar>

#include "dialogs/ui/form2.h"
#include "dialogs/ui/form5.h"
#include "editor/demo.h"
#include "editor/grid_text.h"
#include "link/qt/routed_port.h"
#include "link/ui/form_com.h"
#include "main_window_support.h"

using namespace kv3test;

class MainRadioLink : public QObject {
  Q_OBJECT

 private slots:
  void ReadsARadioOnAPinnedPseudoTerminal() {
    const QString sim = QStringLiteral(KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim");
    if (!QFile::exists(sim)) QSKIP("kv3-radio-sim is not built");
    QProcess radio;
    auto stop = qScopeGuard([&radio] {
      radio.terminate();
      radio.waitForFinished(5000);
    });
    radio.start(sim, {"--fast"});
    QVERIFY(radio.waitForStarted());
    QVERIFY(radio.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();
    QVERIFY(device.startsWith("/dev/"));

    TempConfig config;
    config.WriteParameters(QByteArray("\x00\x07\x01", 3));  // COM7, English
    kv3::StartupOptions options;
    options.portMap[7] = device.toStdString();
    Messages messages;
    {
      kv3::MainWindow w(options);
      w.SetMessagePresenter(&messages);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QCOMPARE(w.ComPortNumber(), 7);
      QVERIFY2(w.port().IsOpen(), w.formCom().failure(7).c_str());
      QVERIFY(!w.port().simulated());
      w.StartRead();
      QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(&w, "Label")->text(),
                                QString("Read frequency success!"), kGenerous);
      const kv3::EditorState demo = kv3::DemoState();
      QCOMPARE(Cell(w, 3, 2),
               QString::fromStdString(kv3::CellText(demo.grid, 3, 2, kv3::Language::English)));
      QCOMPARE(w.state().grid.channels, demo.grid.channels);
    }
    QVERIFY(messages.records.isEmpty());
  }

  void TAnMaShowsAfterTheUnlockAndADoubleClickLocksAgain() {
    TempConfig config;
    config.WriteParameters(QByteArray("\x00\x01\x00", 3));
    auto w = StartWindow();
    QAction* tanma = Find<QAction>(w.get(), "TAnMa");
    auto* slider = Find<QSlider>(&w->form2(), "Slider1");
    QVERIFY(!tanma->isVisible());
    QVERIFY(!slider->isEnabled());

    w->state().shared.TuningUnlocked = 1;
    emit w->form5().tuningUnlocked();
    QVERIFY(tanma->isVisible());
    QVERIFY(slider->isEnabled());

    double now = 100.2;
    w->form5().SetClock([&now] { return now; });
    w->RelockClicked();
    now = 101.6;  // 1.6 s after the stored 100: not a double click
    w->RelockClicked();
    QVERIFY(tanma->isVisible());
    now = 101.9;
    tanma->trigger();  // routed by the key
    QVERIFY(!tanma->isVisible());
    QVERIFY(!slider->isEnabled());
    QCOMPARE(w->state().shared.TuningUnlocked, 0);
  }
};

QTEST_MAIN(MainRadioLink)
#include "main_radio_link.moc"
