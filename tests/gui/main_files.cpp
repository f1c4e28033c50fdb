// New, Open and Save from the main window: the dialogs are answered by the
// test, the messages recorded.
#include <QFileInfo>

#include "codeplug/codec.h"
#include "i18n/messages.h"
#include "main_window_support.h"

using namespace kv3test;

class MainFiles : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    Start();
    TypeFrequency(*w_, 2, "438.5");
  }
  void cleanup() { Stop(); }

  void OpenRefusesAFileOfAnotherTypeAndChangesNothing() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    const QString wrong = config_->path("wrong.DAT");
    TempConfig::Write(wrong, "MZP49" + QByteArray(848, '\0'));
    const QString shortFile = config_->path("short.DAT");
    TempConfig::Write(shortFile, "MZP48" + QByteArray(100, '\0'));
    dialogs.names = {wrong, shortFile};
    const kv3::EditorState before = w_->state();
    w_->FileOpen();
    w_->FileOpen();
    QCOMPARE(messages.records.size(), 2);
    for (const auto& record : messages.records) {
      QCOMPARE(record.prompt, QString("文件类型不对，无法打开。"));
      QCOMPARE(record.buttonLabels, QStringList{"确定"});
    }
    QVERIFY(w_->state() == before);
    QCOMPARE(Cell(*w_, 2, 1), QString("438.50000"));
  }

  void OpenOfAnUnreadableFileSaysSo() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    dialogs.names = {config_->path("missing.DAT")};
    const kv3::EditorState before = w_->state();
    w_->ChooseEnglish();
    w_->FileOpen();
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(messages.records[0].prompt.startsWith("The file could not be read: "));
    QVERIFY(messages.records[0].prompt.contains("missing.DAT"));
    QCOMPARE(messages.records[0].buttons, 16);
    QVERIFY(w_->state().grid == before.grid);
  }

  void SaveThenOpenRestoresEveryField() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    TypeFrequency(*w_, 9, "401.00625");
    Find<QComboBox>(w_.get(), "Combo3")->setCurrentIndex(39);
    Find<QComboBox>(w_.get(), "Combo7")->setCurrentIndex(0);
    w_->state().shared.EmbeddedInfoText[0] = "HELLO";
    w_->state().shared.Pf2KeyFunction = 4;
    const kv3::MemoryImage saved = kv3::EncodeImage(w_->state());
    const kv3::ChannelGrid savedGrid = w_->state().grid;

    const QString file = config_->path("radio.DAT");
    dialogs.names = {file};
    w_->FileSave();
    QVERIFY(messages.records.isEmpty());
    const QByteArray bytes = TempConfig::Read(file);
    QCOMPARE(bytes.size(), 853);
    QVERIFY(bytes.startsWith("MZP48"));
    QCOMPARE(w_->windowTitle(), "KV-3(T2)-" + file);

    // New clears only the grid, after the warning.
    messages.answers = {kv3::mr::kOk};
    w_->FileNew();
    QCOMPARE(messages.records[0].title, QString("警告"));
    QCOMPARE(messages.records[0].buttonLabels, (QStringList{"确定", "取消"}));
    QCOMPARE(messages.records[0].defaultCode, kv3::mr::kCancel);
    QVERIFY(Cell(*w_, 9, 1).isEmpty());
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo3")->currentIndex(), 39);
    Find<QComboBox>(w_.get(), "Combo3")->setCurrentIndex(0);
    w_->state().shared.Pf2KeyFunction = 1;

    dialogs.names = {file};
    w_->FileOpen();
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(kv3::EncodeImage(w_->state()) == saved);
    for (int i = 0; i < 16; ++i) QVERIFY(w_->state().grid.channels[i] == savedGrid.channels[i]);
    QCOMPARE(Cell(*w_, 9, 1), QString("401.00625"));
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo3")->currentIndex(), 39);
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo7")->currentIndex(), 0);
  }

  void OverwriteQuestionNoGoesBackToTheDialog() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    const QString file = config_->path("old.DAT");
    TempConfig::Write(file, "old contents");
    dialogs.names = {file, QString()};  // No, then cancel the second dialog
    messages.answers = {kv3::mr::kNo};
    w_->FileSave();
    QCOMPARE(dialogs.saves, 2);
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString("该文件已存在，是否覆盖？"));
    QCOMPARE(messages.records[0].buttonLabels, (QStringList{"是", "否"}));
    QCOMPARE(TempConfig::Read(file), QByteArray("old contents"));

    dialogs.names = {file};
    messages.answers = {kv3::mr::kYes};
    w_->FileSave();
    QCOMPARE(TempConfig::Read(file).size(), 853);
  }

  void FailedSaveSaysSoAndKeepsTheTitle() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    const QString title = w_->windowTitle();
    dialogs.names = {config_->path("no/such/folder/x.DAT")};
    w_->FileSave();
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(messages.records[0].prompt.startsWith("无法保存文件："));
    QCOMPARE(messages.records[0].buttons, 16);
    QCOMPARE(w_->windowTitle(), title);
  }

  void NewCancelledKeepsTheGrid() {
    Messages messages(*w_);
    FileDialogs dialogs(*w_);
    messages.answers = {kv3::mr::kCancel};
    w_->FileNew();
    QCOMPARE(Cell(*w_, 2, 1), QString("438.50000"));
    QCOMPARE(dialogs.opens + dialogs.saves, 0);
  }
};

QTEST_MAIN(MainFiles)
#include "main_files.moc"
