// File ▸ Print… and Export PDF…: the record on paper and in a PDF, read back
// with pdftotext, in the three languages; a failed export leaves nothing.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "i18n/messages.h"
#include "main_window_support.h"
#include "x_input.h"

using namespace kv3test;

namespace {

// The text of a PDF as pdftotext lays it out; empty when it cannot be read.
QString PdfText(const QString& file) {
  QProcess p;
  p.start("pdftotext", {"-layout", "-enc", "UTF-8", file, "-"});
  if (!p.waitForFinished(kGenerous) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

QAction* Item(kv3::MainWindow& window, const char* name) {
  return Find<QAction>(&window, name);
}

}  // namespace

class MainPrint : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
      QFAIL("pdftotext is missing (script/bootstrap installs poppler-utils)");
  }
  void init() {
    Start();
    TypeFrequency(*w_, 2, "438.5");
    TypeFrequency(*w_, 16, "470.0125");
  }
  void cleanup() { Stop(); }

  void TheItemsStandBeforeQuit() {
    const QList<QAction*> items = Find<QMenu>(w_.get(), "mnuFile")->actions();
    const qsizetype print = items.indexOf(Item(*w_, "mnuPrint"));
    const qsizetype pdf = items.indexOf(Item(*w_, "mnuExportPdf"));
    qsizetype separator = -1;
    for (qsizetype i = 0; i < items.size(); ++i)
      if (items[i]->objectName() == "mnuline") separator = i;
    QVERIFY(print >= 0);
    QCOMPARE(pdf, print + 1);
    QVERIFY(separator > pdf);
    QCOMPARE(Item(*w_, "mnuPrint")->text(), QString("打印(&P)…"));
    w_->ChooseEnglish();
    QCOMPARE(Item(*w_, "mnuExportPdf")->text(), QString("Export PDF(&D)…"));
    w_->ChooseTraditional();
    QCOMPARE(Item(*w_, "mnuExportPdf")->text(), QString("導出 PDF(&D)…"));
  }

  void ThePdfHasTheChannelsInEachLanguage() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    // The record names the file the codeplug was saved as.
    const QString saved = config_->path("radio.DAT");
    dialogs.names = {saved};
    w_->FileSave();
    struct Case {
      void (kv3::MainWindow::*choose)();
      QString header;
      QString name;
    };
    const Case cases[] = {
        {&kv3::MainWindow::ChooseEnglish, "RX frequency", "en.pdf"},
        {&kv3::MainWindow::ChooseSimplified, "接收频率", "zh-Hans.pdf"},
        {&kv3::MainWindow::ChooseTraditional, "接收頻率", "zh-Hant.pdf"},
    };
    for (const Case& c : cases) {
      (w_.get()->*c.choose)();
      const QString pdf = config_->path(c.name);
      dialogs.names = {pdf};
      Item(*w_, "mnuExportPdf")->trigger();
      QVERIFY2(messages.records.isEmpty(), qPrintable(messages.records.value(0).prompt));
      const QString text = PdfText(pdf);
      QVERIFY2(text.contains(c.header), qPrintable(c.name + ":\n" + text));
      QVERIFY2(text.contains("438.50000") && text.contains("470.01250"), qPrintable(text));
      QVERIFY2(text.contains("radio.DAT"), qPrintable(text));
    }
    // An existing file is replaced only after the question.
    w_->ChooseSimplified();
    const QByteArray before = TempConfig::Read(config_->path("en.pdf"));
    dialogs.names = {config_->path("en.pdf"), QString()};
    messages.answers = {kv3::mr::kNo};
    w_->FileExportPdf();
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kOverwrite.zh));
    QCOMPARE(TempConfig::Read(config_->path("en.pdf")), before);
  }

  void AFailedExportSaysSoAndLeavesNoFile() {
    ModalMessages messages(*w_);
    FileDialogs dialogs(*w_);
    w_->ChooseEnglish();
    const QString missing = config_->path("no/such/folder/record.pdf");
    // A folder named like the PDF: asked about, then refused and left alone.
    const QString folder = config_->path("folder.pdf");
    QVERIFY(QDir().mkpath(folder));
    dialogs.names = {missing, folder};
    w_->FileExportPdf();
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(messages.records[0].prompt.startsWith("The PDF could not be exported: " + missing));
    QCOMPARE(messages.records[0].buttons, 16);
    QVERIFY(!QFileInfo::exists(config_->path("no")));

    w_->FileExportPdf();  // "Yes" to the question, the box's default
    QCOMPARE(messages.records.size(), 3);
    QCOMPARE(messages.records[1].prompt, QString::fromUtf8(kv3::msg::kOverwrite.en));
    QVERIFY(messages.records[2].prompt.startsWith("The PDF could not be exported: " + folder));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(config_->path("")).entryList({"*.pdf*", ".*.pdf*"}, QDir::Files | QDir::Hidden),
             QStringList());
  }

  void PrintGoesThroughThePrintDialog() {
    KV3_REQUIRE_X();
    Messages messages(*w_);
    w_->ChooseEnglish();
    const QString out = config_->path("printed.pdf");
    bool seen = false;
    // The dialog is a real modal one: it is given the file to print to and
    // accepted with the Return key, as a user does.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!dialog || seen || !dialog->isVisible()) return;
      seen = true;
      poll.stop();
      dialog->printer()->setOutputFileName(out);
      auto* name = dialog->findChild<QLineEdit*>("filename");
      if (name) name->setText(out);
      x::Activate(dialog);
      x::Keys({"Return"});
    });
    poll.start(20);
    QTest::keySequence(w_.get(), QKeySequence::Print);
    QVERIFY(seen);
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo(out).size() > 0; }, kGenerous));
    const QString text = PdfText(out);
    QVERIFY2(text.contains("RX frequency") && text.contains("470.01250"), qPrintable(text));
    QVERIFY(messages.records.isEmpty());
  }
};

QTEST_MAIN(MainPrint)
#include "main_print.moc"
