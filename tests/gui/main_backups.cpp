// The backups window and the compare windows of the main window, against the
// built-in simulated radio: reads and writes listed, Open as one undo step,
// Compare with the editor as kv3ctl diff prints it, Delete that asks first,
// and Compare with Radio, which leaves the editor alone.
#include <QAbstractButton>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>

#include "app/backups_window.h"
#include "app/compare_window.h"
#include "codeplug/codec.h"
#include "editor/demo.h"
#include "i18n/messages.h"
#include "i18n/traditional.h"
#include "image/codeplug_file.h"
#include "interchange/backups.h"
#include "interchange/codeplug_diff.h"
#include "link/qt/routed_port.h"
#include "link/simulated_radio.h"
#include "main_window_support.h"
#include "x_input.h"

using namespace kv3test;

namespace {

kv3::EditorState Decoded(const kv3::MemoryImage& image) {
  kv3::EditorState state = kv3::StartupState();
  if (!kv3::DecodeImage(std::span<const uint8_t>(image), state)) qWarning("no decode");
  return state;
}

QStringList Lines(const std::vector<std::string>& lines) {
  QStringList out;
  for (const auto& l : lines) out << QString::fromStdString(l);
  return out;
}

QString CellOf(QTableView* table, int row, int column) {
  return table->model()->index(row, column).data().toString();
}

}  // namespace

class MainBackups : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    folder_ = QString::fromStdString(kv3::DefaultBackupFolder());
    QDir(folder_).removeRecursively();
    Start();
  }
  void cleanup() {
    Stop();
    qunsetenv("XDG_DATA_HOME");
  }

  void ReadsAndWritesAreListedNewestFirstInEveryLanguage() {
    Messages messages(*w_);
    w_->StartRead();
    WaitForTheEnd("读频成功！");
    TypeFrequency(*w_, 16, "470.0125");
    w_->StartWrite();
    WaitForTheEnd("写频成功！");
    QTRY_COMPARE_WITH_TIMEOUT(kv3::ListBackups(folder_.toStdString()).size(), size_t(2), kGenerous);
    // The write's backup is what the radio got.
    const std::vector<kv3::BackupInfo> list = kv3::ListBackups(folder_.toStdString());
    QCOMPARE(list[1].kind, kv3::BackupKind::Write);
    kv3::MemoryImage written{};
    QVERIFY(kv3::LoadCodeplug(list[1].path, written).ok());
    QCOMPARE(Decoded(written), Decoded(kv3::EncodeImage(w_->state())));

    Find<QAction>(w_.get(), "mnuBackups")->trigger();
    QWidget* window = w_->backupsWindow();
    QVERIFY(window && window->isVisible());
    auto* table = Find<QTableView>(window, "grdBackups");
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(CellOf(table, 0, 1), QString("写频"));
    QCOMPARE(CellOf(table, 1, 1), QString("读频"));
    QCOMPARE(CellOf(table, 0, 0), QString::fromStdString(list[1].time));
    QCOMPARE(CellOf(table, 1, 2), QString("400-480MHz"));
    QCOMPARE(CellOf(table, 1, 3), QString("6"));
    QCOMPARE(CellOf(table, 1, 4), QString("KV-3(T2) DEMO"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QString("类型"));
    QCOMPARE(window->windowTitle(), QString("备份"));

    w_->ChooseEnglish();
    QCOMPARE(window->windowTitle(), QString("Backups"));
    QCOMPARE(CellOf(table, 0, 1), QString("Write"));
    QCOMPARE(CellOf(table, 1, 1), QString("Read"));
    QCOMPARE(table->model()->headerData(4, Qt::Horizontal).toString(),
             QString("Embedded information"));
    QCOMPARE(Find<QPushButton>(window, "cmdCompare")->text(), QString("Compare with the editor"));
    QCOMPARE(Find<QAction>(w_.get(), "mnuBackups")->text(), QString("Backups…"));
    QCOMPARE(Find<QAction>(w_.get(), "mnuCompareRadio")->text(), QString("Compare with Radio"));

    w_->ChooseTraditional();
    QCOMPARE(CellOf(table, 0, 1), Trad("写频"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), Trad("类型"));
    QCOMPARE(Find<QPushButton>(window, "cmdFolder")->text(), Trad("显示文件夹"));
    QCOMPARE(Find<QAction>(w_.get(), "mnuCompareRadio")->text(), Trad("与电台比较"));
    QVERIFY(messages.records.isEmpty());
  }

  // A write whose backup cannot be saved stands; the box says so once the
  // session has ended (while a real box is open the session is over).
  void AWriteBackupThatFailsIsSaidAfterTheSession() {
    const QString blocked = data_.path() + "/plain-file";
    TempConfig::Write(blocked, "x");
    qputenv("XDG_DATA_HOME", blocked.toUtf8());
    ModalMessages messages(*w_);
    bool runningWhileOpen = true;
    messages.whileOpen = [&](const kv3::MessageRecord&) {
      runningWhileOpen = w_->session().session().Running();
    };
    w_->StartWrite();
    QTRY_COMPARE_WITH_TIMEOUT(messages.closed, 1, kGenerous);
    QVERIFY(
        messages.records[0].prompt.startsWith(QString::fromUtf8(kv3::msg::kWriteBackupFailed.zh)));
    QVERIFY(!runningWhileOpen);
    QCOMPARE(w_->session().session().outcome(), kv3::SessionOutcome::WriteComplete);
    QVERIFY(!w_->port().simulatedPort().radio().writeAddresses().empty());
  }

  // Compare with the editor shows exactly what kv3ctl diff prints for the
  // backup and a file of the editor; Open takes the backup in as one step.
  void CompareIsKv3ctlDiffAndOpenIsOneUndoStep() {
    KV3_REQUIRE_X();
    Messages messages(*w_);
    kv3::EditorState older = kv3::DemoState(), newer = kv3::DemoState();
    newer.settings.squelch = 2;
    const auto now = std::chrono::system_clock::now();
    QVERIFY(kv3::SaveBackup(kv3::EncodeImage(older), folder_.toStdString(),
                            now - std::chrono::seconds(10))
                .ok);
    QVERIFY(kv3::SaveBackup(kv3::EncodeImage(newer), folder_.toStdString(), now, 100,
                            kv3::BackupKind::Write)
                .ok);
    TypeFrequency(*w_, 2, "431.0000");
    const kv3::EditorState editor = w_->state();
    const QString editorFile = data_.path() + "/editor.DAT";
    QVERIFY(kv3::SaveCodeplug(editorFile.toStdString(), kv3::EncodeImage(editor)).ok());

    Find<QAction>(w_.get(), "mnuBackups")->trigger();
    auto* window = w_->backupsWindow();
    QVERIFY(x::Activate(window));
    auto* table = Find<QTableView>(window, "grdBackups");
    QCOMPARE(table->model()->rowCount(), 2);
    x::Click(table->viewport(), table->visualRect(table->model()->index(1, 0)).center());
    QTRY_COMPARE_WITH_TIMEOUT(table->selectionModel()->selectedRows().size() == 1 &&
                                  table->selectionModel()->selectedRows()[0].row() == 1,
                              true, x::kXWait);
    const QString backup = window->SelectedPath();
    QCOMPARE(CellOf(table, 1, 1), QString("读频"));

    QAbstractButton* compare = Find<QPushButton>(window, "cmdCompare");
    x::Click(compare, compare->rect().center());
    QTRY_VERIFY_WITH_TIMEOUT(w_->compareWindow() && w_->compareWindow()->isVisible(), x::kXWait);
    kv3::CompareWindow* shown = w_->compareWindow();
    QVERIFY(!Find<QPushButton>(shown, "cmdWrite")->isVisible());
    QProcess diff;
    diff.start(KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl",
               {"diff", "--lang", "zh-Hans", backup, editorFile});
    QVERIFY(diff.waitForFinished(kGenerous));
    QCOMPARE(diff.exitCode(), 1);
    const QStringList printed =
        QString::fromUtf8(diff.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(shown->lines(), printed);
    QVERIFY(!printed.isEmpty());
    QVERIFY(shown->heading().startsWith("备份 → 编辑器"));
    // The comparison follows the language.
    w_->ChooseEnglish();
    QCOMPARE(shown->lines(), Lines(kv3::DifferenceLines(Decoded(kv3::EncodeImage(older)),
                                                        Decoded(kv3::EncodeImage(editor)),
                                                        kv3::Language::English)));
    w_->ChooseSimplified();
    shown->close();

    const size_t steps = w_->history().size();
    QVERIFY(x::Activate(window));
    QAbstractButton* open = Find<QPushButton>(window, "cmdOpen");
    x::Click(open, open->rect().center());
    const kv3::EditorState opened = Decoded(kv3::EncodeImage(older));
    QTRY_COMPARE_WITH_TIMEOUT(w_->history().size(), steps + 1, x::kXWait);
    QCOMPARE(w_->state().grid.channels, opened.grid.channels);
    QCOMPARE(w_->state().settings, opened.settings);
    QCOMPARE(w_->state().shared, opened.shared);
    QCOMPARE(kv3::EncodeImage(w_->state()), kv3::EncodeImage(older));
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::OpenBackup));
    QVERIFY(w_->HasUnsavedEdits());
    QCOMPARE(Cell(*w_, 3, 1), QString("439.00000"));
    QVERIFY(messages.records.isEmpty());
  }

  // Delete asks with a real box: No keeps the file, Yes removes it.
  void DeleteAsksFirst() {
    KV3_REQUIRE_X();
    QVERIFY(kv3::SaveBackup(kv3::EncodeImage(kv3::DemoState()), folder_.toStdString(),
                            std::chrono::system_clock::now())
                .ok);
    Find<QAction>(w_.get(), "mnuBackups")->trigger();
    auto* window = w_->backupsWindow();
    QVERIFY(x::Activate(window));
    auto* table = Find<QTableView>(window, "grdBackups");
    QCOMPARE(table->model()->rowCount(), 1);
    const QString path = window->SelectedPath();
    QVERIFY(!path.isEmpty());

    for (QMessageBox::ButtonRole answer : {QMessageBox::NoRole, QMessageBox::YesRole}) {
      QMessageBox* seen = nullptr;
      QString prompt;
      QWidget* owner = nullptr;
      QTimer poll;
      connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == seen) return;
        seen = box;
        prompt = box->text();
        owner = box->parentWidget();
        for (QAbstractButton* b : box->buttons())
          if (box->buttonRole(b) == answer) x::Click(b, b->rect().center());
      });
      poll.start(5);
      QAbstractButton* remove = Find<QPushButton>(window, "cmdDelete");
      x::Click(remove, remove->rect().center());
      QTRY_VERIFY_WITH_TIMEOUT(seen != nullptr, x::kXWait);
      QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, x::kXWait);
      QCOMPARE(prompt, QString::fromUtf8(kv3::msg::kDeleteBackup.zh));
      QCOMPARE(owner, static_cast<QWidget*>(window));
      QCOMPARE(QFile::exists(path), answer == QMessageBox::NoRole);
      QCOMPARE(table->model()->rowCount(), answer == QMessageBox::NoRole ? 1 : 0);
    }
    QVERIFY(!Find<QPushButton>(window, "cmdDelete")->isEnabled());
  }

  // Compare with Radio reads the radio, touches nothing of the editor, keeps
  // the read as a backup and lists what a write would change; its Write
  // Frequency then writes what the menu's Write Frequency writes.
  void CompareWithRadioLeavesTheEditorAndWritesAsWriteFrequency() {
    KV3_REQUIRE_X();
    Messages messages(*w_);
    kv3::SimulatedRadio& radio = w_->port().simulatedPort().radio();
    const kv3::MemoryImage radioHeld = radio.Image();
    TypeFrequency(*w_, 16, "470.0125");
    const kv3::EditorState before = w_->state();
    const size_t steps = w_->history().size();
    const bool unsaved = w_->HasUnsavedEdits();

    // The read shows its progress as a read does.
    int progressShown = 0;
    connect(&w_->session(), &kv3::QtSession::progressChanged, this,
            [&](int value, int, bool visible) {
              if (visible) progressShown = std::max(progressShown, value);
            });
    auto* item = Find<QAction>(w_.get(), "mnuCompareRadio");
    QVERIFY(item->isEnabled());
    item->trigger();
    QVERIFY(!item->isEnabled());
    QVERIFY(!Find<QAction>(w_.get(), "mnureadFre")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(w_->compareWindow() && w_->compareWindow()->isVisible(), kGenerous);
    kv3::CompareWindow* shown = w_->compareWindow();
    QCOMPARE(progressShown, 425);
    QCOMPARE(w_->state(), before);
    QCOMPARE(w_->history().size(), steps);
    QCOMPARE(w_->HasUnsavedEdits(), unsaved);
    QCOMPARE(Cell(*w_, 1, 1), QString());
    QCOMPARE(radio.sessionsStarted(), 1);
    QVERIFY(radio.writeAddresses().empty());
    const QStringList expected = Lines(kv3::DifferenceLines(
        Decoded(radioHeld), Decoded(kv3::EncodeImage(before)), kv3::Language::Simplified));
    QVERIFY(expected.size() > 1);
    QCOMPARE(shown->lines(), expected);
    QVERIFY(shown->heading().startsWith("电台 → 编辑器"));
    const std::vector<kv3::BackupInfo> kept = kv3::ListBackups(folder_.toStdString());
    QCOMPARE(kept.size(), size_t(1));
    QCOMPARE(kept[0].kind, kv3::BackupKind::Read);

    // Write Frequency comes back with the session's controls.
    auto* write = Find<QPushButton>(shown, "cmdWrite");
    QVERIFY(write->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(write->isEnabled(), kGenerous);
    QVERIFY(x::Activate(shown));
    x::Click(write, write->rect().center());
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(w_.get(), "Label")->text(), QString("写频成功！"),
                              kGenerous);
    QVERIFY(!shown->isVisible());
    const kv3::MemoryImage byCompare = radio.Image();
    const std::vector<int> blocksByCompare = radio.writeAddresses();
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);

    radio.LoadImage(radioHeld);
    radio.ClearCounters();
    Find<QAction>(w_.get(), "mnuwriteFre")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(radio.endBytes(), 1, kGenerous);
    QCOMPARE(radio.Image(), byCompare);
    QCOMPARE(radio.writeAddresses(), blocksByCompare);
    QCOMPARE(Decoded(byCompare).grid, Decoded(kv3::EncodeImage(before)).grid);
    QVERIFY(messages.records.isEmpty());
  }

  // The same against kv3-radio-sim, a radio of its own process behind a
  // pseudo-terminal mapped to COM7: the editor stays, the radio is only read,
  // and the lines are what kv3ctl diff --port prints for that radio.
  void CompareWithKv3RadioSimListsWhatAWriteWouldChange() {
    const QString simProgram = QStringLiteral(KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim");
    if (!QFile::exists(simProgram)) QSKIP("kv3-radio-sim is not built");
    Stop();
    TempConfig config;
    kv3::EditorState held = kv3::DemoState();
    held.settings.squelch = 2;
    held.grid.channels[4].rx = kv3::Freq4FromUnits(43900000);
    const QString heldFile = config.path("held.DAT"), saved = config.path("saved.DAT");
    QVERIFY(kv3::SaveCodeplug(heldFile.toStdString(), kv3::EncodeImage(held)).ok());
    QProcess radio;
    auto stop = qScopeGuard([&radio] {
      radio.terminate();
      radio.waitForFinished(kGenerous);
    });
    radio.start(simProgram, {"--fast", "--image", heldFile, "--save", saved});
    QVERIFY(radio.waitForStarted(kGenerous));
    QVERIFY(radio.waitForReadyRead(kGenerous));
    const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();

    config.WriteParameters(QByteArray("\x00\x07\x01", 3));  // COM7, English
    kv3::StartupOptions options;
    options.portMap[7] = device.toStdString();
    kv3::MainWindow w(options);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.port().IsOpen());
    Messages messages(w);
    FileDialogs dialogs(w);
    const QString mine = config.path("mine.DAT");
    QVERIFY(kv3::SaveCodeplug(mine.toStdString(), kv3::EncodeImage(kv3::DemoState())).ok());
    dialogs.names = {mine};
    w.FileOpen();
    const kv3::EditorState before = w.state();
    const size_t steps = w.history().size();

    w.CompareWithRadio();
    QTRY_VERIFY_WITH_TIMEOUT(w.compareWindow() && w.compareWindow()->isVisible(), kGenerous);
    QCOMPARE(w.state(), before);
    QCOMPARE(w.history().size(), steps);
    QVERIFY(!w.HasUnsavedEdits());
    QTRY_VERIFY_WITH_TIMEOUT(!w.session().session().Running(), kGenerous);
    QCOMPARE(w.compareWindow()->lines(),
             Lines(kv3::DifferenceLines(Decoded(kv3::EncodeImage(held)), before,
                                        kv3::Language::English)));
    QCOMPARE(w.compareWindow()->lines().size(), 2);  // the squelch and channel 5
    QVERIFY(messages.records.isEmpty());

    // Only read: the radio keeps what it held.
    radio.terminate();
    QVERIFY(radio.waitForFinished(kGenerous));
    kv3::MemoryImage kept{};
    QVERIFY(kv3::LoadCodeplug(saved.toStdString(), kept).ok());
    QCOMPARE(kept, kv3::EncodeImage(held));
  }

  // The band a write is checked against after a compare is the radio's: a
  // write of another band asks first, as after a read.
  void AWriteAfterTheCompareAsksWhenTheBandsDiffer() {
    Messages messages(*w_);
    // OK to the band change (which clears the channels), No to the write.
    messages.answers = {kv3::mr::kOk, kv3::mr::kNo};
    Find<QComboBox>(w_.get(), "Combo1")->setCurrentIndex(2);
    w_->CompareWithRadio();
    QTRY_VERIFY_WITH_TIMEOUT(w_->compareWindow() && w_->compareWindow()->isVisible(), kGenerous);
    QCOMPARE(w_->state().band.index, 2);
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);
    Click(w_->compareWindow(), "cmdWrite");
    const QString question = QString::fromUtf8(kv3::msg::kBandMismatch.zh);
    QTRY_VERIFY_WITH_TIMEOUT(
        !messages.records.isEmpty() && messages.records.last().prompt == question, kGenerous);
    QTRY_VERIFY_WITH_TIMEOUT(!w_->session().session().Running(), kGenerous);
    QVERIFY(w_->port().simulatedPort().radio().writeAddresses().empty());
  }

  // A radio that stops answering: the read fails as a read does, no compare
  // is shown, the editor and the backups stay as they were.
  void ARadioThatStopsAnsweringShowsNoCompare() {
    ModalMessages messages(*w_);
    messages.closeWhen = [&] { return !w_->session().session().Running(); };
    w_->port().simulatedPort().radio().faults().silentFrom = 5;
    TypeFrequency(*w_, 3, "433.0000");
    const kv3::EditorState before = w_->state();
    const size_t steps = w_->history().size();
    w_->CompareWithRadio();
    QTRY_COMPARE_WITH_TIMEOUT(messages.closed, 1, kGenerous);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kCommError.zh));
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w_.get(), "mnuCompareRadio")->isEnabled(), kGenerous);
    QCoreApplication::processEvents();
    QVERIFY(!w_->compareWindow() || !w_->compareWindow()->isVisible());
    QCOMPARE(w_->state(), before);
    QCOMPARE(w_->history().size(), steps);
    QVERIFY(kv3::ListBackups(folder_.toStdString()).empty());
    QCOMPARE(messages.records.size(), 1);

    // The next compare, with the radio answering again, is a compare (not a
    // read into the editor).
    w_->port().simulatedPort().radio().faults() = {};
    w_->CompareWithRadio();
    QTRY_VERIFY_WITH_TIMEOUT(w_->compareWindow() && w_->compareWindow()->isVisible(), kGenerous);
    QCOMPARE(w_->state(), before);
  }

 private:
  void WaitForTheEnd(const char* status) {
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(w_.get(), "Label")->text(), QString(status), kGenerous);
    QTRY_VERIFY_WITH_TIMEOUT(Find<QToolBar>(w_.get(), "Toolbar1")->isEnabled(), kGenerous);
  }
  static QString Trad(const char* simplified) {
    return QString::fromStdString(kv3::ToTraditional(simplified));
  }

  QTemporaryDir data_;
  QString folder_;
};

QTEST_MAIN(MainBackups)
#include "main_backups.moc"
