// A radio, and a file, whose band code the band list does not know: the main
// window says so after the open and after the read (once the session has
// ended), and a write asks the band question before it changes the radio's
// band to the one the list shows.
#include <QProcess>
#include <QScopeGuard>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"
#include "link/qt/qt_link.h"
#include "link/qt/routed_port.h"
#include "main_window_support.h"

using namespace kv3test;

class MainBandCode : public QObject {
  Q_OBJECT

 private slots:
  void UnknownBandCodeIsSaidAndAWriteAsks() {
    const QString simProgram = QStringLiteral(KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim");
    if (!QFile::exists(simProgram)) QSKIP("kv3-radio-sim is not built");
    TempConfig config;
    kv3::MemoryImage odd = kv3::EncodeImage(kv3::DemoState());
    odd[kv3::At(kv3::addr::kBandCode)] = odd[kv3::At(kv3::addr::kBandCodeAgain)] = 0x99;
    const QString oddFile = config.path("odd.DAT"), saved = config.path("saved.DAT");
    QVERIFY(kv3::SaveCodeplug(oddFile.toStdString(), odd).ok());

    QProcess radio;
    auto stop = qScopeGuard([&radio] {
      radio.terminate();
      radio.waitForFinished(5000);
    });
    radio.start(simProgram, {"--fast", "--image", oddFile, "--save", saved});
    QVERIFY(radio.waitForStarted());
    QVERIFY(radio.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();

    config.WriteParameters(QByteArray("\x00\x07\x01", 3));  // COM7, English
    kv3::StartupOptions options;
    options.portMap[7] = device.toStdString();
    kv3::MainWindow w(options);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.port().IsOpen());

    // Every box is recorded with whether a session was running; the band
    // question is answered No.
    struct Box {
      QString prompt;
      bool duringSession;
    };
    QList<Box> boxes;
    struct Recorder : MessageStandIn {
      Recorder(kv3::MainWindow& w, QList<Box>& boxes) : MessageStandIn(w), w_(w), boxes_(boxes) {}
      int Answer(const kv3::MessageRecord& r) override {
        boxes_.push_back({r.prompt, w_.session().session().Running()});
        return r.buttons == kv3::kButtonsYesNo ? 7 : r.defaultCode;
      }
      kv3::MainWindow& w_;
      QList<Box>& boxes_;
    } recorder(w, boxes);
    const QString unknown = QString::fromUtf8(kv3::msg::kUnknownBandCode.en);
    const QString question = QString::fromUtf8(kv3::msg::kBandMismatch.en);
    auto* status = Find<QLabel>(&w, "Label");

    // Open: said at once; the write that follows asks, and No keeps the radio.
    FileDialogs dialogs(w);
    dialogs.names = {oddFile};
    w.FileOpen();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].prompt, unknown);
    w.StartWrite();
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), question, kGenerous);
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[1].prompt, question);

    // Read: said once the session has ended; the next write asks again.
    QTRY_VERIFY_WITH_TIMEOUT(
        !w.session().session().Running() && w.session().session().ControlsEnabled(), kGenerous);
    w.StartRead();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.size(), 3, kGenerous);
    QCOMPARE(boxes[2].prompt, unknown);
    QVERIFY(!boxes[2].duringSession);
    QCOMPARE(status->text(), QString("Read frequency success!"));
    QTRY_VERIFY_WITH_TIMEOUT(w.session().session().ControlsEnabled(), kGenerous);
    w.StartWrite();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.size(), 4, kGenerous);
    QCOMPARE(boxes[3].prompt, question);
    QTRY_VERIFY_WITH_TIMEOUT(!w.session().session().Running(), kGenerous);

    radio.terminate();
    QVERIFY(radio.waitForFinished(5000));
    kv3::MemoryImage kept{};
    QVERIFY(kv3::LoadCodeplug(saved.toStdString(), kept).ok());
    QCOMPARE(kept[kv3::At(kv3::addr::kBandCode)], uint8_t{0x99});
  }
};

QTEST_MAIN(MainBandCode)
#include "main_band_code.moc"
