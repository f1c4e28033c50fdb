// The Edit menu, the grid's context menu, the clipboard, the bulk edits and
// the problems list, through the window's actions and, where focus, menus
// or the keyboard matter, through the X server as a user gives them.
#include <QAbstractItemView>
#include <QClipboard>
#include <QDockWidget>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>

#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/tone_entry.h"
#include "i18n/messages.h"
#include "link/qt/routed_port.h"
#include "link/simulated_radio.h"
#include "main_window_support.h"
#include "x_input.h"

using namespace kv3test;
using kv3::EditStep;

namespace {

QAction* Act(kv3::MainWindow& w, const char* name) {
  return Find<QAction>(&w, name);
}

// Channel `row` as the user makes it: a receive frequency typed, then a
// tone and the power picked, so that every channel differs in every field.
void MakeChannel(kv3::MainWindow& w, int row, const char* rx) {
  kv3::EditorState& s = w.state();
  kv3::RequestGridEdit(s.grid);
  kv3::GridClick(s.grid, row, 1, w.language());
  kv3::CommitFrequency(s, rx);
  s.grid.EditCol = 4;
  kv3::PickTone(s, row);
  s.grid.EditCol = 5;
  kv3::PickChoice(s.grid, row % 2);
  w.LoadFromState();
  w.RecordStep(EditStep::Open);
}

void SetClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}

}  // namespace

class MainEdit : public QObject, WindowFixture {
  Q_OBJECT

 private:
  QPoint CellCentre(int row, int col) {
    return w_->grid().visualRect(w_->grid().gridModel().CellIndex(row, col)).center();
  }
  std::optional<EditStep> Undo() { return w_->history().UndoStep(); }

 private slots:
  void init() {
    Start();
    if (x::Available()) QVERIFY(x::Activate(w_.get()));
  }
  void cleanup() { Stop(); }

  void EveryKindOfChangeIsOneNamedStepThatUndoTakesBack() {
    Messages messages(*w_);
    QAction* undo = Act(*w_, "mnuUndo");
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QString("撤销"));

    TypeFrequency(*w_, 1, "438.125");
    QCOMPARE(Undo(), EditStep::RxFrequency);
    QCOMPARE(undo->text(), QString("撤销 接收频率"));
    QVERIFY(undo->isEnabled());

    // A pick from a choice list of the grid.
    ClickCell(*w_, 1, 5);
    auto* combo5 = qobject_cast<QComboBox*>(w_->grid().OpenEditorWidget());
    QVERIFY(combo5);
    QTest::keyClick(combo5->view(), Qt::Key_Up);
    QTest::keyClick(combo5->view(), Qt::Key_Return);
    QTRY_COMPARE(Undo(), EditStep::Power);

    auto* combo2 = Find<QComboBox>(w_.get(), "Combo2");
    combo2->setCurrentIndex((combo2->currentIndex() + 1) % combo2->count());
    QCOMPARE(Undo(), EditStep::FunctionSettings);

    // A feature dialog's OK.
    Act(*w_, "Key_enactment")->trigger();
    QWidget* form6 = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == "Form6") form6 = top;
    QVERIFY(form6);
    auto* key = form6->findChildren<QComboBox*>().value(0);
    key->setCurrentIndex((key->currentIndex() + 1) % key->count());
    Click(form6, "Command1");
    QCOMPARE(Undo(), EditStep::KeysSet);

    const kv3::EditorState beforeBand = w_->state();
    messages.answers = {kv3::mr::kOk};
    Find<QComboBox>(w_.get(), "Combo1")->setCurrentIndex(5);
    QCOMPARE(Undo(), EditStep::Band);
    QVERIFY(Cell(*w_, 1, 1).isEmpty());  // the band change cleared the channel

    // Undo gives back the band with its channel; every control shows it.
    undo->trigger();
    QVERIFY(kv3::SameCodeplug(w_->state(), beforeBand));
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo1")->currentIndex(), beforeBand.band.index);
    QCOMPARE(Cell(*w_, 1, 1), QString("438.12500"));
    QCOMPARE(Act(*w_, "mnuRedo")->text(), QString("重做 频段"));
    QTest::keyClick(w_.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Find<QComboBox>(w_.get(), "Combo1")->currentIndex(), 5);

    // New is a step (it drops what could be redone); the captions follow the
    // language.
    undo->trigger();
    messages.answers = {kv3::mr::kOk};
    w_->FileNew();
    QVERIFY(!Act(*w_, "mnuRedo")->isEnabled());
    QCOMPARE(Undo(), EditStep::New);
    w_->ChooseEnglish();
    QCOMPARE(undo->text(), QString("Undo New"));
    QCOMPARE(Find<QMenu>(w_.get(), "mnuEdit")->title(), QString("Edit(&E)"));
    QCOMPARE(Find<QMenu>(w_.get(), "mnuBulkPower")->title(), QString("Power"));
    QCOMPARE(Act(*w_, "mnuBulkPower1")->text(), QString("Hight"));
    w_->ChooseTraditional();
    QCOMPARE(Find<QMenu>(w_.get(), "mnuEdit")->title(), QString("編輯(&E)"));
    QCOMPARE(Find<QMenu>(w_.get(), "mnuBulk")->title(), QString("批量設置(&B)"));
    QCOMPARE(undo->text(), QString::fromStdString(
                               kv3::UndoText(EditStep::New, false, kv3::Language::Traditional)));
  }

  void CopyAndPasteBetweenTwoWindowsKeepsEveryField() {
    MakeChannel(*w_, 2, "438.125");
    MakeChannel(*w_, 3, "439.5");
    w_->grid().SelectRows(2, 3);
    Act(*w_, "mnuCopy")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->text().startsWith("Location\t"));
    QVERIFY(data->hasFormat("text/csv"));

    auto other = StartWindow();
    other->grid().SelectRows(7, 7);
    Act(*other, "mnuPaste")->trigger();
    QCOMPARE(other->history().UndoStep(), EditStep::Paste);
    for (int k = 0; k < 2; ++k) {
      QCOMPARE(other->state().grid.channels[6 + k], w_->state().grid.channels[1 + k]);
      for (int col = 1; col <= 8; ++col) QCOMPARE(Cell(*other, 7 + k, col), Cell(*w_, 2 + k, col));
    }
    // One step takes the whole paste back.
    Act(*other, "mnuUndo")->trigger();
    QVERIFY(other->state().grid.channels[6].empty() && other->state().grid.channels[7].empty());
  }

  void PasteTakesSpreadsheetTextAndCsvWithAHeader() {
    Messages messages(*w_);
    w_->grid().SelectRows(4, 4);
    // No header: the columns of a copy, in order.
    SetClipboard("1\t\t438.125" + QString("\t").repeated(13) + "Low\t\tOn\n");
    Act(*w_, "mnuPaste")->trigger();
    QCOMPARE(Cell(*w_, 4, 1), QString("438.12500"));
    QCOMPARE(Cell(*w_, 4, 5), QString("低"));
    QCOMPARE(Cell(*w_, 4, 6), QString("载波"));

    w_->grid().SelectRows(9, 9);
    SetClipboard("Power,Frequency,Mode\nHigh,446.00625,NFM\n,,\n");
    Act(*w_, "mnuPaste")->trigger();
    QCOMPARE(Cell(*w_, 9, 1), QString("446.00625"));
    QCOMPARE(Cell(*w_, 9, 7), QString("窄带"));
    QVERIFY(Cell(*w_, 10, 1).isEmpty());
    QVERIFY(messages.records.isEmpty());
  }

  void ARefusedPasteChangesNothingAndSaysRowColumnAndReason() {
    Messages messages(*w_);
    MakeChannel(*w_, 1, "438.125");
    const kv3::EditorState before = w_->state();
    const auto steps = w_->history().size();
    w_->grid().SelectRows(1, 1);
    SetClipboard("Frequency\tPower\n439\tHigh\n481\tMaybe\n");
    Act(*w_, "mnuPaste")->trigger();
    QVERIFY(w_->state() == before);
    QCOMPARE(w_->history().size(), steps);
    QCOMPARE(messages.records.size(), 1);
    const QString zh = messages.records[0].prompt;
    QVERIFY2(zh.startsWith(QString::fromUtf8(kv3::msg::kPasteRefused.zh)), qPrintable(zh));
    QVERIFY2(zh.contains("行 3, 信道 02, Frequency: 481: 超出频段范围"), qPrintable(zh));
    QVERIFY2(zh.contains("Power: Maybe: 不是 High、Low"), qPrintable(zh));

    w_->ChooseEnglish();
    Act(*w_, "mnuPaste")->trigger();
    QVERIFY(
        messages.records[1].prompt.contains("Row 3, Channel 02, Frequency: 481: outside the band"));
  }

  void InsertRemoveMoveAndSortMoveWholeChannels() {
    Messages messages(*w_);
    MakeChannel(*w_, 1, "439.5");
    MakeChannel(*w_, 2, "438.125");
    const kv3::Channel a = w_->state().grid.channels[0], b = w_->state().grid.channels[1];
    w_->grid().SelectRows(1, 1);
    Act(*w_, "mnuInsert")->trigger();
    QCOMPARE(Undo(), EditStep::InsertChannel);
    QVERIFY(w_->state().grid.channels[0].empty());
    QCOMPARE(w_->state().grid.channels[1], a);
    QCOMPARE(w_->state().grid.channels[2], b);
    Act(*w_, "mnuRemove")->trigger();
    QCOMPARE(w_->state().grid.channels[0], a);

    w_->grid().SelectRows(2, 2);
    w_->grid().setFocus();
    QTest::keyClick(&w_->grid(), Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(Undo(), EditStep::MoveUp);
    QCOMPARE(w_->state().grid.channels[0], b);
    QCOMPARE(w_->grid().SelectedRows(), std::vector<int>{1});  // the selection goes along
    Act(*w_, "mnuSort")->trigger();
    QCOMPARE(w_->state().grid.channels[0], b);  // already sorted: no step
    QCOMPARE(Undo(), EditStep::MoveUp);
    QTest::keyClick(&w_->grid(), Qt::Key_Down, Qt::AltModifier);
    Act(*w_, "mnuSort")->trigger();
    QCOMPARE(Undo(), EditStep::Sort);
    QCOMPARE(w_->state().grid.channels[0], b);
    QCOMPARE(w_->state().grid.channels[1], a);

    // Channel 16 in use: Insert says why and changes nothing.
    MakeChannel(*w_, 16, "440");
    const kv3::EditorState full = w_->state();
    Act(*w_, "mnuInsert")->trigger();
    QVERIFY(w_->state() == full);
    QCOMPARE(messages.records.size(), 1);
    QCOMPARE(messages.records[0].prompt, QString::fromUtf8(kv3::msg::kInsertRefused.zh));
  }

  void BulkEditsSetEverySelectedRowInOneStep() {
    for (int row = 3; row <= 5; ++row) MakeChannel(*w_, row, "438.125");
    w_->grid().SelectRows(3, 5);
    Act(*w_, "mnuBulkBandwidth0")->trigger();
    QCOMPARE(Undo(), EditStep::Bandwidth);
    for (int row = 3; row <= 5; ++row) QCOMPARE(Cell(*w_, row, 7), QString("窄带"));
    const auto steps = w_->history().size();
    Act(*w_, "mnuUndo")->trigger();
    for (int row = 3; row <= 5; ++row) QCOMPARE(Cell(*w_, row, 7), QString("宽带"));
    QCOMPARE(w_->history().size(), steps);

    // A tone for all of them, typed into the question's list.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      dialog->setTextValue("D023N");
      dialog->accept();
    });
    Act(*w_, "mnuBulkRxTone")->trigger();
    QCOMPARE(Undo(), EditStep::RxTone);
    for (int row = 3; row <= 5; ++row) QCOMPARE(Cell(*w_, row, 2), QString("D023N"));
  }

  void TheLockAndASessionStopEveryEditCommand() {
    Messages messages(*w_);
    MakeChannel(*w_, 1, "438.125");
    const QStringList names = {"mnuUndo",   "mnuCut",    "mnuCopy",   "mnuPaste", "mnuDelete",
                               "mnuInsert", "mnuRemove", "mnuMoveUp", "mnuSort",  "mnuSelectAll"};
    for (const QString& name : names) QVERIFY(Act(*w_, qPrintable(name))->isEnabled());
    w_->ToggleLock();
    for (const QString& name : names)
      QVERIFY2(!Act(*w_, qPrintable(name))->isEnabled(), qPrintable(name));
    QVERIFY(!Find<QMenu>(w_.get(), "mnuBulk")->isEnabled());
    const kv3::EditorState locked = w_->state();
    QTest::keyClick(w_.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w_->state() == locked);
    w_->ToggleLock();
    QVERIFY(Act(*w_, "mnuUndo")->isEnabled());

    // A read that gets no answer: everything is stopped until it has ended.
    w_->port().simulatedPort().radio().faults().silentFrom = 1;
    w_->StartRead();
    for (const QString& name : names)
      QVERIFY2(!Act(*w_, qPrintable(name))->isEnabled(), qPrintable(name));
    QTRY_COMPARE_WITH_TIMEOUT(messages.records.size(), 1, kGenerous);
    QTRY_VERIFY_WITH_TIMEOUT(Act(*w_, "mnuUndo")->isEnabled(), kGenerous);
  }

  void ProblemsListIsLiveRememberedAndLeadsToTheCell() {
    auto* dock = Find<QDockWidget>(w_.get(), "ProblemsDock");
    auto* list = Find<QListWidget>(w_.get(), "ProblemsList");
    QVERIFY(dock->isHidden());
    Act(*w_, "mnuProblems")->trigger();
    QVERIFY(dock->isVisible());
    QCOMPARE(list->count(), 0);
    // A value the editor would not take, as a read or an import brings it.
    w_->state().grid.channels[3] = w_->state().grid.channels[0];
    MakeChannel(*w_, 4, "438.125");
    w_->state().grid.channels[3].rx = kv3::Freq4{{0x00, 0x50, 0x1A, 0x43}};
    w_->LoadFromState();
    w_->RecordStep(EditStep::Open);
    QCOMPARE(list->count(), 1);
    QVERIFY2(list->item(0)->text().startsWith("信道 04, 接收频率"),
             qPrintable(list->item(0)->text()));
    emit list->itemActivated(list->item(0));
    QCOMPARE(w_->grid().currentIndex(), w_->grid().gridModel().CellIndex(4, 1));
    Act(*w_, "mnuUndo")->trigger();
    QCOMPARE(list->count(), 0);
    w_->ChooseEnglish();
    QCOMPARE(dock->windowTitle(), QString("Problems"));

    // Open in the next run of the program too, and closed when closed.
    auto again = StartWindow();
    QVERIFY(Find<QDockWidget>(again.get(), "ProblemsDock")->isVisible());
    Act(*again, "mnuProblems")->trigger();
    again.reset();
    again = StartWindow();
    QVERIFY(Find<QDockWidget>(again.get(), "ProblemsDock")->isHidden());
  }

  // The spreadsheet's keys and clicks, as the X server gives them.
  void ClicksOnChannelNumbersSelectRowsAndShiftCtrlExtend() {
    KV3_REQUIRE_X();
    for (int row = 1; row <= 5; ++row) MakeChannel(*w_, row, "438.125");
    QWidget* viewport = w_->grid().viewport();
    x::Click(viewport, CellCentre(2, 0));
    QTRY_COMPARE_WITH_TIMEOUT(w_->grid().SelectedRows(), std::vector<int>{2}, x::kXWait);
    QVERIFY(!w_->grid().OpenEditorWidget());
    x::Xdotool({"keydown", "shift"});
    x::Click(viewport, CellCentre(4, 0));
    x::Xdotool({"keyup", "shift"});
    QTRY_COMPARE_WITH_TIMEOUT(w_->grid().SelectedRows(), (std::vector<int>{2, 3, 4}), x::kXWait);
    x::Xdotool({"keydown", "ctrl"});
    x::Click(viewport, CellCentre(3, 0));
    x::Xdotool({"keyup", "ctrl"});
    QTRY_COMPARE_WITH_TIMEOUT(w_->grid().SelectedRows(), (std::vector<int>{2, 4}), x::kXWait);

    // Delete clears the selected channels.
    x::Keys({"Delete"});
    QTRY_VERIFY_WITH_TIMEOUT(w_->state().grid.channels[1].empty(), x::kXWait);
    QVERIFY(w_->state().grid.channels[3].empty());
    QVERIFY(!w_->state().grid.channels[2].empty());
    QCOMPARE(Undo(), EditStep::ClearChannels);

    // The context menu by a right click offers the same actions.
    x::Click(viewport, CellCentre(5, 3), 3);
    QMenu* menu = nullptr;
    QVERIFY(QTest::qWaitFor(
        [&] {
          menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
          return menu && menu->isVisible();
        },
        x::kXWait));
    QVERIFY(menu->actions().contains(Act(*w_, "mnuPaste")));
    QCOMPARE(w_->grid().SelectedRows(), std::vector<int>{5});
    x::Keys({"Escape"});
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activePopupWidget(), x::kXWait);
  }

  void TypingF2TabAndEscapeEditAsInASpreadsheet() {
    KV3_REQUIRE_X();
    MakeChannel(*w_, 1, "438.125");
    // A character typed on a closed cell starts its editor with it.
    x::Click(w_->grid().viewport(), CellCentre(2, 0));
    QTRY_COMPARE_WITH_TIMEOUT(w_->grid().SelectedRows(), std::vector<int>{2}, x::kXWait);
    x::Type("439.5");
    QTRY_VERIFY_WITH_TIMEOUT(w_->grid().OpenEditorWidget(), x::kXWait);
    auto* text1 = qobject_cast<QLineEdit*>(w_->grid().OpenEditorWidget());
    QVERIFY(text1);
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("439.5"), x::kXWait);
    // Tab commits and opens the next cell's editor (the tone list).
    x::Keys({"Tab"});
    QTRY_COMPARE_WITH_TIMEOUT(Cell(*w_, 2, 1), QString("439.50000"), x::kXWait);
    QTRY_VERIFY_WITH_TIMEOUT(
        w_->grid().OpenEditorWidget() && w_->grid().OpenEditorWidget()->objectName() == "Combo8",
        x::kXWait);
    QCOMPARE(w_->state().grid.EditCol, 2);
    x::Keys({"shift+Tab"});
    QTRY_VERIFY_WITH_TIMEOUT(
        w_->grid().OpenEditorWidget() && w_->grid().OpenEditorWidget()->objectName() == "Text1",
        x::kXWait);
    // Escape leaves without storing.
    x::Type("440");
    x::Keys({"Escape"});
    QTRY_VERIFY_WITH_TIMEOUT(!w_->grid().OpenEditorWidget(), x::kXWait);
    QCOMPARE(Cell(*w_, 2, 1), QString("439.50000"));
    // F2 opens the current cell's editor; Enter stores it.
    x::Keys({"F2"});
    QTRY_VERIFY_WITH_TIMEOUT(w_->grid().OpenEditorWidget(), x::kXWait);
    x::Keys({"ctrl+a"});
    x::Type("441");
    x::Keys({"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(Cell(*w_, 2, 1), QString("441.00000"), x::kXWait);
    QCOMPARE(Undo(), EditStep::RxFrequency);
    // Ctrl+Z from the grid undoes it.
    x::Keys({"ctrl+z"});
    QTRY_COMPARE_WITH_TIMEOUT(Cell(*w_, 2, 1), QString("439.50000"), x::kXWait);
  }
};

QTEST_MAIN(MainEdit)
#include "main_edit.moc"
