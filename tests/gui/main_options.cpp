// The command line of kv3-programmer: help, and refused options.
#include <QProcess>
#include <QTest>

class MainOptions : public QObject {
  Q_OBJECT

 private:
  static QProcess* Run(const QStringList& args) {
    auto* process = new QProcess;
    process->start(QStringLiteral(KV3_BINARY_DIR "/src/app/kv3-programmer"), args);
    process->waitForFinished(10000);
    return process;
  }

 private slots:
  void initTestCase() {
    if (!QFile::exists(KV3_BINARY_DIR "/src/app/kv3-programmer")) QSKIP("not built");
  }

  void HelpNamesTheOptionsAndTheParameterFile() {
    std::unique_ptr<QProcess> p(Run({"--help"}));
    QCOMPARE(p->exitCode(), 0);
    const QString out = QString::fromLocal8Bit(p->readAllStandardOutput());
    QVERIFY(out.contains("--simulate"));
    QVERIFY(out.contains("--port-map COMn=DEVICE"));
    QVERIFY(out.contains("KV-3/parameter"));
  }

  void BadOptionsAreRefusedWithUsageExit() {
    for (const QStringList& args :
         {QStringList{"--port-map", "COM0=/dev/null"}, QStringList{"--port-map", "COM3"},
          QStringList{"--port-map=COM21=/dev/null"}, QStringList{"--port-map"},
          QStringList{"--frobnicate"}}) {
      std::unique_ptr<QProcess> p(Run(args));
      QCOMPARE(p->exitCode(), 2);
      QVERIFY(!p->readAllStandardError().isEmpty());
    }
  }
};

QTEST_MAIN(MainOptions)
#include "main_options.moc"
