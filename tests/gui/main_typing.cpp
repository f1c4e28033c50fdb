// Typing into the grid's editors through the X server, as a user does: the
// tone list is open while the keys arrive, Delete comes with the text
// U+007F, a paste goes through the key filter, and a click elsewhere is what
// closes an editor.
#include <QAbstractItemView>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "main_window_support.h"
#include "x_input.h"

using namespace kv3test;

class MainTyping : public QObject, WindowFixture {
  Q_OBJECT

 private:
  // Starts a channel with a receive frequency, as typed into the grid.
  void StartChannel(int row, const char* rx) {
    kv3::EditorState& state = w_->state();
    kv3::RequestGridEdit(state.grid);
    kv3::GridClick(state.grid, row, 1, w_->language());
    QCOMPARE(kv3::CommitFrequency(state, rx).outcome, kv3::FrequencyOutcome::NewChannel);
    w_->grid().gridModel().Reload();
  }

  QPoint CellCentre(int row, int col) {
    return w_->grid().visualRect(w_->grid().gridModel().CellIndex(row, col)).center();
  }

  // A left click on a cell through the X server; returns the editor it opened.
  QWidget* OpenCell(int row, int col) {
    x::Click(w_->grid().viewport(), CellCentre(row, col));
    if (!QTest::qWaitFor([&] { return w_->grid().OpenEditorWidget() != nullptr; }, x::kXWait))
      return nullptr;
    return w_->grid().OpenEditorWidget();
  }

  // The tone editor of a cell, opened by a click, with its list dropped down.
  QComboBox* OpenToneList(int row, int col) {
    auto* combo8 = qobject_cast<QComboBox*>(OpenCell(row, col));
    if (!combo8 || combo8->objectName() != "Combo8") return nullptr;
    if (!QTest::qWaitFor([&] { return combo8->view()->isVisible(); }, x::kXWait)) return nullptr;
    return combo8;
  }

  // A feature dialog opened by its menu command, holding the X focus.
  QWidget* OpenDialog(const char* command, const char* name) {
    Find<QAction>(w_.get(), command)->trigger();
    QWidget* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String(name)) dialog = top;
    if (!dialog || !x::Activate(dialog)) return nullptr;
    return dialog;
  }

  bool EditorClosed() {
    return QTest::qWaitFor([&] { return w_->grid().OpenEditorWidget() == nullptr; }, x::kXWait);
  }

 private slots:
  void init() {
    Start();
    if (x::Available()) QVERIFY(x::Activate(w_.get()));
  }
  void cleanup() { Stop(); }

  void TonesTypedWhileTheListIsOpenAreKept_data() {
    QTest::addColumn<QStringList>("first");  // keys before the typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    const struct {
      const char* typed;
      const char* stored;
    } cases[] = {{"254", "254.0"}, {"d027n", "D027N"}, {"69", "69.0"}, {"d23nx#", "D023N"}};
    for (const auto& c : cases) QTest::newRow(c.typed) << QStringList{} << c.typed << c.stored;
    // The list closed first: the text is still selected, typing replaces it.
    QTest::newRow("F4 254") << QStringList{"F4"} << QString("254") << QString("254.0");
  }
  void TonesTypedWhileTheListIsOpenAreKept() {
    KV3_REQUIRE_X();
    QFETCH(QStringList, first);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    StartChannel(6, "450");
    QComboBox* combo8 = OpenToneList(6, 2);
    QVERIFY(combo8);
    if (!first.isEmpty()) x::Keys(first);
    x::Type(typed);
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 6, 2), stored);
    // A typed tone leaves the stored list choice as it was.
    QCOMPARE(w_->state().grid.ChannelChoice[5][0], 0);
  }

  void PickingFromTheOpenListStillPicks() {
    KV3_REQUIRE_X();
    StartChannel(7, "450");
    // A click on an entry of the list.
    QComboBox* combo8 = OpenToneList(7, 4);
    QVERIFY(combo8);
    QAbstractItemView* list = combo8->view();
    const QRect entry = list->visualRect(list->model()->index(3, 0));
    QVERIFY(list->viewport()->rect().contains(entry));
    x::Click(list->viewport(), entry.center());
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 7, 4), QString("71.9"));
    QCOMPARE(w_->state().grid.ChannelChoice[6][2], 3);
    // The arrows and Enter, from the entry shown.
    QVERIFY(OpenToneList(7, 4));
    x::Keys({"Down", "Down", "Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 7, 4), QString("77.0"));
    QCOMPARE(w_->state().grid.ChannelChoice[6][2], 5);
  }

  // Delete comes with the text U+007F: it must still delete, like the
  // other editing keys, in both editors and whether or not the list is open.
  void EditingKeysWorkInTheCellEditors() {
    KV3_REQUIRE_X();
    StartChannel(2, "438.125");
    auto* text1 = qobject_cast<QLineEdit*>(OpenCell(2, 1));
    QVERIFY(text1);
    x::Keys({"Home", "Delete"});
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("38.12500"), x::kXWait);
    x::Keys({"ctrl+z"});
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("438.12500"), x::kXWait);
    // "438.12" with ".12" selected from the cursor to the end, then deleted.
    x::Keys({"End", "BackSpace", "BackSpace", "BackSpace", "Left", "Left", "Left", "shift+End",
             "Delete"});
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("438"), x::kXWait);
    x::Type(".5");
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 2, 1), QString("438.50000"));

    // The whole tone shown is selected: Delete with the list open empties it.
    QComboBox* combo8 = OpenToneList(2, 2);
    QVERIFY(combo8);
    x::Keys({"Delete"});
    QTRY_VERIFY_WITH_TIMEOUT(combo8->lineEdit()->text().isEmpty(), x::kXWait);
    x::Type("d023n");
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 2, 2), QString("D023N"));
    combo8 = OpenToneList(2, 2);
    QVERIFY(combo8);
    x::Keys({"End", "Left", "Left", "BackSpace", "Delete"});
    QTRY_COMPARE_WITH_TIMEOUT(combo8->lineEdit()->text(), QString("D0N"), x::kXWait);
    x::Type("54");
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 2, 2), QString("D054N"));
  }

  void APasteGoesThroughTheKeyFilter() {
    KV3_REQUIRE_X();
    QGuiApplication::clipboard()->setText(" 439.1 MHz");
    auto* text1 = qobject_cast<QLineEdit*>(OpenCell(3, 1));
    QVERIFY(text1);
    x::Keys({"ctrl+v"});
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("439.1"), x::kXWait);
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 3, 1), QString("439.10000"));

    // The text box's own menu, and the middle button (the selection).
    text1 = qobject_cast<QLineEdit*>(OpenCell(3, 1));
    QVERIFY(text1);
    QGuiApplication::clipboard()->setText("43x9.2");
    x::Click(text1, text1->rect().center(), 3);
    QMenu* menu = nullptr;
    QVERIFY(QTest::qWaitFor(
        [&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); },
        x::kXWait));
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
      if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
        paste = action;
    QVERIFY(paste);
    x::Click(menu, menu->actionGeometry(paste).center());
    QTRY_COMPARE_WITH_TIMEOUT(text1->text(), QString("439.2"), x::kXWait);
    QGuiApplication::clipboard()->setText("5 5", QClipboard::Selection);
    x::Click(text1, text1->rect().center(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(text1->text().size(), 7, x::kXWait);
    QVERIFY(text1->text().count('5') == 2);
    x::Keys({"ctrl+a", "Delete"});
    QTRY_VERIFY_WITH_TIMEOUT(text1->text().isEmpty(), x::kXWait);
    x::Type("439.3");
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 3, 1), QString("439.30000"));

    QGuiApplication::clipboard()->setText("d23n ");
    QComboBox* combo8 = OpenToneList(3, 4);
    QVERIFY(combo8);
    x::Keys({"ctrl+v"});
    QTRY_COMPARE_WITH_TIMEOUT(combo8->lineEdit()->text(), QString("D23N"), x::kXWait);
    x::Keys({"Return"});
    QVERIFY(EditorClosed());
    QCOMPARE(Cell(*w_, 3, 4), QString("D023N"));
  }

  // A radio may hold a channel with a receive frequency only, and one off
  // the raster: clicking through its cells leaves it as it was.
  void ClickingThroughAReceiveOnlyChannelChangesNothing() {
    KV3_REQUIRE_X();
    kv3::Channel& ch = w_->state().grid.channels[0];
    ch.rx = kv3::Freq4FromUnits(43812340);
    ch.rxTone = kv3::Tone::Ctcss(885);
    ch.power = 0;
    ch.forbid = 1;
    ch.bandwidth = 0;
    ch.scan = 0;
    const kv3::Channel before = ch;
    w_->grid().gridModel().Reload();
    QVERIFY(OpenCell(1, 1));
    QVERIFY(OpenCell(1, 3));
    QVERIFY(OpenCell(1, 2));
    x::Click(w_->grid().viewport(), CellCentre(9, 1), 3);  // a right press ends the edit
    QVERIFY(EditorClosed());
    QVERIFY(w_->state().grid.channels[0] == before);
    QCOMPARE(Cell(*w_, 1, 1), QString("438.12340"));
    QVERIFY(Cell(*w_, 1, 3).isEmpty());
  }

  // Test frequencies: a click starts the editor of a cell, and the next
  // click commits it; a cell passed through keeps the row as it was.
  void PassingThroughTestFrequencyCellsChangesNothing() {
    KV3_REQUIRE_X();
    w_->FinishStartup();
    auto& table = w_->state().shared.TestFrequencyTable;
    table[0][0] = kv3::Freq4FromUnits(43501250);
    table[0][1] = kv3::Freq4FromUnits(43502000);
    w_->LoadFromState();
    QWidget* form4 = OpenDialog("mnutestfre", "Form4");
    QVERIFY(form4);
    auto* grid = Find<QTableWidget>(form4, "mfgrid1");
    auto clickCell = [&](int row, int col) {
      x::Click(grid->viewport(), grid->visualItemRect(grid->item(row, col)).center());
      return QTest::qWaitFor(
          [&] {
            auto* editor = grid->viewport()->findChild<QLineEdit*>();
            return grid->currentRow() == row && grid->currentColumn() == col && editor &&
                   editor->isVisible() && editor->hasFocus();
          },
          x::kXWait);
    };
    QVERIFY(clickCell(1, 1));
    QVERIFY(clickCell(1, 2));
    QVERIFY(clickCell(2, 1));
    QVERIFY(clickCell(1, 2));
    QCOMPARE(grid->item(1, 2)->text(), QString("435.02000"));

    // The editing keys work in the dialog's editor too.
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    x::Keys({"Home", "Delete"});
    QTRY_COMPARE_WITH_TIMEOUT(editor->text(), QString("35.02000"), x::kXWait);
    x::Keys({"ctrl+z", "End", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace"});
    QTRY_COMPARE_WITH_TIMEOUT(editor->text(), QString("435."), x::kXWait);
    x::Type("5");
    x::Keys({"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(grid->item(1, 2)->text(), QString("435.50000"), x::kXWait);
    QCOMPARE(grid->item(1, 1)->text(), QString("435.01250"));
    x::Click(Find<QPushButton>(form4, "Command1"), {10, 10});
    QTRY_VERIFY_WITH_TIMEOUT(form4->isHidden(), x::kXWait);
    QCOMPARE(kv3::FrequencyText(table[0][0]), std::string("435.01250"));
    QCOMPARE(kv3::FrequencyText(table[0][1]), std::string("435.50000"));
  }

  // A frequency the raster refuses: the real box comes once, after the
  // editor has closed, owned by the dialog (over it, not over the main
  // window) and application-modal; the cell keeps what it had.
  void ARefusedTestFrequencyIsToldInABoxOfTheDialog() {
    KV3_REQUIRE_X();
    w_->FinishStartup();
    QWidget* form4 = OpenDialog("mnutestfre", "Form4");
    QVERIFY(form4);
    auto* grid = Find<QTableWidget>(form4, "mfgrid1");
    x::Click(grid->viewport(), grid->visualItemRect(grid->item(1, 1)).center());
    QTRY_VERIFY_WITH_TIMEOUT(grid->viewport()->findChild<QLineEdit*>() &&
                                 grid->viewport()->findChild<QLineEdit*>()->hasFocus(),
                             x::kXWait);

    int boxes = 0;
    QWidget* owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    bool editorOpenWhileShown = true;
    QString cellWhileShown;
    QMessageBox* seen = nullptr;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box == seen) return;
      seen = box;
      ++boxes;
      owner = box->parentWidget();
      modality = box->windowModality();
      auto* editor = grid->viewport()->findChild<QLineEdit*>();
      editorOpenWhileShown = editor && editor->isVisible();
      cellWhileShown = grid->item(1, 1)->text();
      QAbstractButton* ok = box->buttons().constFirst();
      x::Click(ok, ok->rect().center());
    });
    poll.start(5);
    x::Type("4385");
    x::Keys({"Return"});
    QTRY_VERIFY_WITH_TIMEOUT(seen != nullptr, x::kXWait);
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, x::kXWait);
    QCOMPARE(boxes, 1);
    QCOMPARE(owner, form4);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!editorOpenWhileShown);
    QCOMPARE(cellWhileShown, QString());
    QCOMPARE(grid->item(1, 1)->text(), QString());
    form4->hide();
  }

  void EditingKeysWorkInTheDialogFields_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::newRow("Form5 Text5") << QString("mnudtmf") << QString("Form5") << QString("Text5");
    QTest::newRow("Form7 Text1") << QString("mnusetin") << QString("Form7") << QString("Text1");
  }
  void EditingKeysWorkInTheDialogFields() {
    KV3_REQUIRE_X();
    QFETCH(QString, command);
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    w_->FinishStartup();
    QWidget* window = OpenDialog(qPrintable(command), qPrintable(dialog));
    QVERIFY(window);
    auto* box = Find<QLineEdit>(window, qPrintable(field));
    x::Click(box, box->rect().center());
    QTRY_VERIFY_WITH_TIMEOUT(box->hasFocus(), x::kXWait);
    x::Keys({"ctrl+a"});
    x::Type("12345");
    x::Keys({"Home", "Delete", "End", "BackSpace"});
    QTRY_COMPARE_WITH_TIMEOUT(box->text(), QString("234"), x::kXWait);
    x::Keys({"Left", "shift+Home", "Delete"});
    QTRY_COMPARE_WITH_TIMEOUT(box->text(), QString("4"), x::kXWait);
    x::Keys({"ctrl+z"});
    QTRY_COMPARE_WITH_TIMEOUT(box->text(), QString("234"), x::kXWait);
    window->hide();
  }
};

QTEST_MAIN(MainTyping)
#include "main_typing.moc"
