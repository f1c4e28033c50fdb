// Files from outside the File menu's dialogs: a file named on the command
// line, a drop, the recent list across runs, Import with refused rows and
// Export; and the bar that offers back the unsaved edits a run left.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

#include "app/recovery_bar.h"
#include "codeplug/codec.h"
#include "editor/demo.h"
#include "i18n/messages.h"
#include "i18n/traditional.h"
#include "image/codeplug_file.h"
#include "interchange/file_import.h"
#include "interchange/recovery_file.h"
#include "link/qt/routed_port.h"
#include "link/simulated_radio.h"
#include "main_window_support.h"
#include "x_input.h"

using namespace kv3test;

namespace {

const char kCsv[] =
    "Location,Name,Frequency,Duplex,Offset,Power\r\n"
    "1,A,438.125000,,0,High\r\n"
    "2,B,999.000000,,0,High\r\n"
    "3,C,439.000000,,0,Low\r\n";

std::string Local(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QStringList MenuNames(QMenu* menu) {
  QStringList names;
  for (QAction* action : menu->actions())
    names << (action->menu() ? action->menu()->objectName() : action->objectName());
  return names;
}

void Drop(QWidget* window, const QString& file) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(file)});
  const QPoint at = window->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  QVERIFY(drop.isAccepted());
}

}  // namespace

class MainOpenFiles : public QObject {
  Q_OBJECT

  std::unique_ptr<TempConfig> config_;
  std::unique_ptr<QTemporaryDir> data_;
  std::unique_ptr<kv3::MainWindow> w_;

  std::unique_ptr<kv3::MainWindow> Window(bool keepEdits = false) {
    kv3::StartupOptions options;
    options.simulate = true;
    options.parameterPath = Local(config_->parameterPath());
    options.languageHintPath = Local(config_->hintPath());
    options.keepUnsavedEdits = keepEdits;
    options.recoveryFolder = Local(data_->path() + "/unsaved-edits");
    auto window = std::make_unique<kv3::MainWindow>(options);
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("main window not exposed");
    if (!QTest::qWaitFor([&] { return window->findChild<QWidget*>("FormCOM") != nullptr; },
                         kGenerous))
      qWarning("start-up did not finish");
    if (keepEdits && !QTest::qWaitFor([&] { return window->recoveryKeeper() != nullptr; }))
      qWarning("no keeper of unsaved edits");
    return window;
  }

  QString SavedDemo(const QString& name) {
    const QString file = config_->path(name);
    if (!kv3::SaveCodeplug(Local(file), kv3::EncodeImage(kv3::DemoState())).ok())
      qWarning("cannot save %s", qPrintable(file));
    return file;
  }

  QStringList EditFiles() const {
    return QDir(data_->path() + "/unsaved-edits").entryList({"*.edits"}, QDir::Files);
  }

 private slots:
  void init() {
    config_ = std::make_unique<TempConfig>();
    config_->WriteParameters(QByteArray("\x00\x01\x00", 3));
    data_ = std::make_unique<QTemporaryDir>();
  }
  void cleanup() {
    w_.reset();
    data_.reset();
    config_.reset();
  }

  void TheFileMenuListsTheNewCommandsInOrderInEveryLanguage() {
    w_ = Window();
    QMenu* file = Find<QMenu>(w_->menuBar(), "mnuFile");
    QStringList names = MenuNames(file);
    names.removeAll(QString());  // separators of other commands have no names
    QCOMPARE(names.mid(0, 6), (QStringList{"mnuNew", "mnuOpen", "mnuOpenRecent", "mnuAssave",
                                           "mnuline2", "mnuImport"}));
    QCOMPARE(names.at(6), QString("mnuExport"));
    QCOMPARE(names.last(), QString("mnuQuit"));
    QAction* import = Find<QAction>(w_.get(), "mnuImport");
    QMenu* recent = Find<QMenu>(w_->menuBar(), "mnuOpenRecent");
    QCOMPARE(import->text(), QString("导入(&I)…"));
    QCOMPARE(recent->title(), QString("最近的文件(&R)"));
    w_->ChooseEnglish();
    QCOMPARE(import->text(), QString("Import(&I)…"));
    QCOMPARE(Find<QAction>(w_.get(), "mnuExport")->text(), QString("Export(&E)…"));
    QCOMPARE(recent->title(), QString("Open Recent(&R)"));
    w_->ChooseTraditional();
    QCOMPARE(import->text(), QString("導入(&I)…"));
    QCOMPARE(recent->title(), QString::fromStdString(kv3::ToTraditional("最近的文件(&R)")));
  }

  void AFileOnTheCommandLineOpensOnceTheWindowShows() {
    w_ = Window();
    Messages messages(*w_);
    const QString dat = SavedDemo("demo.DAT");
    w_->OpenWhenShown({dat});
    QVERIFY(QTest::qWaitFor([&] { return w_->state().grid == kv3::DemoState().grid; }));
    QVERIFY(!w_->HasUnsavedEdits());  // an open, not an edit
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Open));
    QCOMPARE(w_->RecentFileList(), std::vector<std::string>{Local(dat)});
    // The same messages as Open's, and nothing changes.
    const kv3::EditorState before = w_->state();
    const QString wrong = config_->path("wrong.DAT");
    TempConfig::Write(wrong, "MZP49" + QByteArray(848, '\0'));
    w_->OpenWhenShown({config_->path("missing.DAT"), wrong});
    QVERIFY(QTest::qWaitFor([&] { return messages.records.size() == 2; }));
    QVERIFY(messages.records[0].prompt.startsWith("无法读取文件："));
    QCOMPARE(messages.records[1].prompt, QString("文件类型不对，无法打开。"));
    QVERIFY(w_->state() == before);
  }

  void ADropOpensACodeplugAndImportsAList() {
    w_ = Window();
    Messages messages(*w_);
    Drop(w_.get(), SavedDemo("dropped.DAT"));
    QVERIFY(QTest::qWaitFor([&] { return w_->state().grid == kv3::DemoState().grid; }));
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Open));
    const QString csv = config_->path("good.csv");
    TempConfig::Write(csv, "Location,Frequency\r\n4,439.5\r\n");
    Drop(w_.get(), csv);
    QVERIFY(QTest::qWaitFor([&] { return Cell(*w_, 4, 1) == "439.50000"; }));
    QCOMPARE(Cell(*w_, 1, 1), QString());  // a list replaces every channel
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Import));
    QVERIFY(w_->HasUnsavedEdits());
    QVERIFY(messages.records.isEmpty());
  }

  // A codeplug whose function settings differ from the window's: each way it
  // comes into the editor is one step under its own name, not under the name
  // of the settings lists that change while the window shows it.
  void OpenReadAndABackupAreOneStepEachEvenWhenTheSettingsChange() {
    w_ = Window();
    Messages messages(*w_);
    QTemporaryDir data;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", dataHome); });
    auto other = [](int squelch, int beep) {
      kv3::EditorState s = kv3::DemoState();
      s.settings.squelch = squelch;
      s.settings.beep = beep;
      s.settings.txTimeout = 3;
      return s;
    };

    const QString dat = config_->path("other.DAT");
    QVERIFY(kv3::SaveCodeplug(Local(dat), kv3::EncodeImage(other(2, 0))).ok());
    size_t steps = w_->history().size();
    QVERIFY(w_->OpenCodeplugPath(dat));
    QCOMPARE(w_->state().settings, other(2, 0).settings);
    QCOMPARE(w_->history().size(), steps + 1);
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Open));

    kv3::SimulatedRadio& radio = w_->port().simulatedPort().radio();
    radio.LoadImage(kv3::EncodeImage(other(7, 1)));
    steps = w_->history().size();
    Find<QAction>(w_.get(), "mnureadFre")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w_->state().settings, other(7, 1).settings, kGenerous);
    QTRY_VERIFY_WITH_TIMEOUT(!radio.InSession(), kGenerous);
    QCOMPARE(w_->history().size(), steps + 1);
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Read));

    const QString backup = data.path() + "/backup.DAT";
    QVERIFY(kv3::SaveCodeplug(Local(backup), kv3::EncodeImage(other(4, 0))).ok());
    steps = w_->history().size();
    w_->OpenBackup(backup);
    QCOMPARE(w_->state().settings, other(4, 0).settings);
    QCOMPARE(w_->history().size(), steps + 1);
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::OpenBackup));
    QVERIFY(messages.records.isEmpty());
  }

  void TheRecentListSurvivesARestartAndForgetsFilesThatAreGone() {
    const QString a = SavedDemo("a.DAT"), b = SavedDemo("b.DAT");
    w_ = Window();
    {
      // Gone before its window: it gives the window its own dialogs back.
      FileDialogs dialogs(*w_);
      dialogs.names = {a, b};
      w_->FileOpen();
      w_->FileOpen();
    }
    w_.reset();

    w_ = Window();  // a new run
    QMenu* recent = Find<QMenu>(w_->menuBar(), "mnuOpenRecent");
    QMenu* file = Find<QMenu>(w_->menuBar(), "mnuFile");
    emit file->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(recent->actions()[0]->text().endsWith("b.DAT"));
    QVERIFY(recent->actions()[1]->text().endsWith("a.DAT"));
    QFile::remove(b);
    emit file->aboutToShow();
    QCOMPARE(recent->actions().size(), 1);
    // An entry opens its file, as Open does.
    TypeFrequency(*w_, 2, "438.5");
    recent->actions()[0]->trigger();
    QVERIFY(w_->state().grid.channels == kv3::DemoState().grid.channels);
    QVERIFY(!w_->HasUnsavedEdits());
  }

  void AnImportWithARefusedRowTakesTheGoodRowsOrNothing() {
    w_ = Window();
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    const QString csv = config_->path("list.csv");
    TempConfig::Write(csv, kCsv);
    TypeFrequency(*w_, 9, "438.5");
    const kv3::EditorState before = w_->state();
    w_->ChooseEnglish();

    dialogs.names = {csv};
    messages.answers = {kv3::mr::kNo};
    w_->FileImport();
    QCOMPARE(messages.records.size(), 1);
    const QString prompt = messages.records[0].prompt;
    QVERIFY2(prompt.contains("Line 3, column 3 (Frequency \"999.000000\"): "), qPrintable(prompt));
    QVERIFY(prompt.startsWith(kv3::msg::kImportRefused.en));
    QVERIFY(prompt.endsWith(kv3::msg::kTakeGoodRows.en));
    QCOMPARE(messages.records[0].buttonLabels, (QStringList{"Yes", "No"}));
    QVERIFY(w_->state() == before);

    dialogs.names = {csv};
    messages.answers = {kv3::mr::kYes};
    w_->FileImport();
    QCOMPARE(Cell(*w_, 1, 1), QString("438.12500"));
    QCOMPARE(Cell(*w_, 2, 1), QString());
    QCOMPARE(Cell(*w_, 3, 1), QString("439.00000"));
    QCOMPARE(Cell(*w_, 9, 1), QString());
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::Import));

    // In Chinese the lines are too; a list with no good row only tells.
    w_->ChooseSimplified();
    const QString bad = config_->path("bad.csv");
    TempConfig::Write(bad, "Location,Frequency\r\n1,999\r\n");
    const kv3::EditorState imported = w_->state();
    dialogs.names = {bad};
    w_->FileImport();
    QCOMPARE(messages.records.size(), 3);
    QVERIFY2(messages.records[2].prompt.contains("第 2 行，第 2 列（Frequency “999”）："),
             qPrintable(messages.records[2].prompt));
    QCOMPARE(messages.records[2].buttonLabels, QStringList{"确定"});
    QVERIFY(w_->state() == imported);
  }

  void ExportWritesWhatImportReadsBack() {
    w_ = Window();
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    TypeFrequency(*w_, 3, "438.5");
    TypeFrequency(*w_, 7, "401.0");
    const kv3::EditorState before = w_->state();
    const QString json = config_->path("out.json"), csv = config_->path("out.csv");
    dialogs.names = {json, csv, config_->path("out.txt"), QString()};
    w_->FileExport();
    w_->FileExport();
    w_->FileExport();  // not a format: said, and the dialog comes again
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString(kv3::msg::kNotInterchange.zh));
    QVERIFY(!QFileInfo::exists(config_->path("out.txt")));
    for (const QString& file : {json, csv}) {
      kv3::EditorState state = kv3::StartupState();
      QVERIFY(kv3::ImportInterchangeFile(Local(file), state, false).changed);
      QVERIFY(state.grid.channels == before.grid.channels);
    }
  }

  // The edits an earlier run left are offered in the bar; Restore takes
  // them back as one undo step, with a real click.
  void TheBarRestoresTheEditsAnEarlierRunLeft() {
    KV3_REQUIRE_X();
    const kv3::EditorState left = [] {
      kv3::EditorState s = kv3::DemoState();
      s.settings.squelch = 8;
      return s;
    }();
    {
      kv3::RecoveryStore gone(Local(data_->path() + "/unsaved-edits"));
      QVERIFY(gone.Open());
      QVERIFY(gone.Keep(left, 1).ok());
    }  // that run ended without saving
    w_ = Window(true);
    kv3::RecoveryBar* bar = w_->recoveryBar();
    QVERIFY(bar);
    QVERIFY(QTest::qWaitFor([&] { return bar->isVisible(); }));
    auto* restore = Find<QPushButton>(bar, "RecoveryRestore");
    QCOMPARE(restore->text(), QString("恢复"));
    QCOMPARE(Find<QPushButton>(bar, "RecoveryDiscard")->text(), QString("丢弃"));
    QCOMPARE(Find<QLabel>(bar, "RecoveryText")->text(), QString("上次运行留下了未保存的修改。"));
    w_->ChooseEnglish();
    QCOMPARE(restore->text(), QString("Restore"));
    w_->ChooseTraditional();
    QCOMPARE(Find<QLabel>(bar, "RecoveryText")->text(),
             QString::fromStdString(kv3::ToTraditional("上次运行留下了未保存的修改。")));
    QCOMPARE(restore->text(), QString("恢復"));

    QVERIFY(x::Activate(w_.get()));
    x::Click(restore, restore->rect().center());
    QVERIFY(QTest::qWaitFor([&] { return !bar->isVisible(); }, x::kXWait));
    QCOMPARE(kv3::EncodeImageHex(w_->state()), kv3::EncodeImageHex(left));
    QCOMPARE(w_->history().UndoStep(), std::optional(kv3::EditStep::RestoreEdits));
    QVERIFY(w_->HasUnsavedEdits());
    // The restored edits are this run's own now: one file, holding them.
    QCOMPARE(EditFiles().size(), 1);
    QVERIFY(QFileInfo(w_->recoveryKeeper()->store().ownPath().c_str()).exists());
  }

  void DiscardRemovesTheEditsAndADamagedFileIsDroppedQuietly() {
    const QString folder = data_->path() + "/unsaved-edits";
    QDir().mkpath(folder);
    TempConfig::Write(folder + "/1-1.edits", "{\"format\": \"KV-3(T2) unsaved ed");
    {
      kv3::RecoveryStore gone(Local(folder));
      QVERIFY(gone.Open());
      QVERIFY(gone.Keep(kv3::DemoState(), 1).ok());
    }
    w_ = Window(true);
    kv3::RecoveryBar* bar = w_->recoveryBar();
    QVERIFY(QTest::qWaitFor([&] { return bar->isVisible(); }));
    const kv3::EditorState before = w_->state();
    Click(bar, "RecoveryDiscard");
    QVERIFY(!bar->isVisible());
    QVERIFY(w_->state() == before);
    QVERIFY(EditFiles().isEmpty());
  }

  // Typed edits are kept a moment after the typing stops, and a clean state
  // removes the file again.
  void TypedEditsAreKeptAndASaveRemovesThem() {
    KV3_REQUIRE_X();
    w_ = Window(true);
    FileDialogs dialogs(*w_);
    const std::string own = w_->recoveryKeeper()->store().ownPath();
    QVERIFY(x::Activate(w_.get()));
    kv3::ChannelGridView& grid = w_->grid();
    x::Click(grid.viewport(), grid.visualRect(grid.gridModel().CellIndex(5, 1)).center());
    QVERIFY(QTest::qWaitFor([&] { return grid.OpenEditorWidget() != nullptr; }, x::kXWait));
    x::Type("439.1");
    x::Keys({"Return"});
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(own.c_str()); }, kGenerous));
    kv3::EditorState kept = kv3::StartupState();
    QVERIFY(
        kv3::ParseRecovery(TempConfig::Read(own.c_str()).toStdString(), kv3::StartupState(), kept));
    QCOMPARE(kv3::EncodeImageHex(kept), kv3::EncodeImageHex(w_->state()));
    QCOMPARE(Cell(*w_, 5, 1), QString("439.10000"));

    dialogs.names = {config_->path("saved.DAT")};
    w_->FileSave();
    QVERIFY(QTest::qWaitFor([&] { return !QFileInfo::exists(own.c_str()); }, kGenerous));
  }
};

QTEST_MAIN(MainOpenFiles)
#include "main_open_files.moc"
