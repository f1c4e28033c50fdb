// The command line of kv3-programmer: help, version, a file from the
// desktop, and refused options.
#include <QProcess>
#include <QTest>

#include "kv3_version.h"

class MainOptions : public QObject {
  Q_OBJECT

 private:
  static QProcess* Run(const QStringList& args,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    auto* process = new QProcess;
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(KV3_BINARY_DIR "/src/app/kv3-programmer"), args);
    process->waitForFinished(60000);
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

  void VersionAndHelpNeedNoDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    std::unique_ptr<QProcess> version(Run({"--version"}, env));
    QCOMPARE(version->exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(version->readAllStandardOutput()),
             QStringLiteral("kv3-programmer %1\n").arg(kv3::kProgramVersion));
    std::unique_ptr<QProcess> help(Run({"-h"}, env));
    QCOMPARE(help->exitCode(), 0);
    QVERIFY(help->readAllStandardOutput().contains("--version"));
  }

  // What the desktop entry runs for a double-clicked codeplug: the window
  // comes up (and, with --benchmark-startup, quits once it has painted).
  void AFileFromTheDesktopDoesNotStopTheWindow() {
    std::unique_ptr<QProcess> p(
        Run({"--benchmark-startup", QStringLiteral(KV3_SOURCE_DIR "/data/demo.DAT")}));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QVERIFY(p->readAllStandardOutput().contains("main_to_shown_ms"));
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
